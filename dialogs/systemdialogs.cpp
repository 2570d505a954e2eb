#include "dialogs/dialoghooks.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace lobus {

std::optional<QString> systemSelectFile(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setNameFilter(request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save || !request.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.save && request.confirm));
    if (!request.initial.isEmpty()) {
        const QFileInfo info(request.initial);
        if (info.isDir()) {
            dialog.setDirectory(info.absoluteFilePath());
        } else {
            if (info.absoluteDir().exists())
                dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    if (!request.save && request.confirm && !QFileInfo::exists(chosen)) {
        const auto answer = QMessageBox::question(
            parent, request.title,
            QCoreApplication::translate("lobus::SystemDialogs", "Plik %1 nie istnieje. Utworzyć go?")
                .arg(chosen));
        if (answer != QMessageBox::Yes)
            return std::nullopt;
    }
    return chosen;
}

std::optional<QStringList> systemSelectFiles(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (request.folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    } else {
        dialog.setNameFilter(request.filter);
        dialog.setFileMode(QFileDialog::ExistingFiles);
    }
    if (!request.initial.isEmpty())
        dialog.setDirectory(request.initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles();
}

std::optional<QColor> systemSelectColour(QWidget* parent, QColor initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void warningBox(const DialogHooks& hooks, QWidget* parent, const QString& text)
{
    MessageBoxRequest request;
    request.icon = kIconWarning;
    request.text = text;
    request.title = QStringLiteral("UWAGA");
    if (hooks.messageBox)
        hooks.messageBox(parent, request);
    else
        systemMessageBox(parent, request);
}

bool systemMessageBox(QWidget* parent, const MessageBoxRequest& request)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
    case kIconError:
        icon = QMessageBox::Critical;
        break;
    case kIconQuestion:
        icon = QMessageBox::Question;
        break;
    case kIconWarning:
        icon = QMessageBox::Warning;
        break;
    case kIconInformation:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    // The buttons in the order the button code lists them; the default
    // button counts from 1 in that order.
    QList<QMessageBox::StandardButton> buttons;
    switch (request.buttons) {
    case kButtonsOkCancel:
        buttons = {QMessageBox::Ok, QMessageBox::Cancel};
        break;
    case kButtonsYesNo:
        buttons = {QMessageBox::Yes, QMessageBox::No};
        break;
    case kButtonsYesNoCancel:
        buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        break;
    case kButtonsRetryCancel:
        buttons = {QMessageBox::Retry, QMessageBox::Cancel};
        break;
    default:
        buttons = {QMessageBox::Ok};
        break;
    }
    QMessageBox box(icon, request.title, request.text, QMessageBox::NoButton, parent);
    QMessageBox::StandardButtons all;
    for (auto b : buttons)
        all |= b;
    box.setStandardButtons(all);
    const int index = request.defaultButton - 1;
    if (index >= 0 && index < buttons.size())
        box.setDefaultButton(buttons[index]);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return clicked == QMessageBox::Ok || clicked == QMessageBox::Yes || clicked == QMessageBox::Retry;
}

bool systemPrintSetup(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString qtFileFilter(const QString& resourceFilter)
{
    if (resourceFilter.isEmpty())
        return {};
    const QChar separator = resourceFilter.back();
    const QStringList parts = resourceFilter.split(separator);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString pattern = parts[i + 1].trimmed();
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.isEmpty() && pattern.isEmpty())
            continue;
        // Qt takes the patterns from the brackets at the end of the entry.
        const QString suffix = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (description.endsWith(suffix))
            filters << description;
        else
            filters << description + QLatin1Char(' ') + suffix;
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace lobus
