// The window layer's dialogs: the system's message box, file selection and
// colour choice, and the dialogs built from the program's resources.

#include "gui/qtwindowlayer.h"

#include "datafiles/blanks.h"
#include "dialogs/filename.h"

#include "dialogs/resourcedialog.h"
#include "gui/mainwindow.h"
#include "gui/windowthread.h"
#include "resources/resources.h"
#include "translations/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <string>
#include <utility>

namespace lobus {
// ---- system dialogs ------------------------------------------------------

void QtWindowLayer::WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                                const std::string& title)
{
    assertWindowThread();
    MessageBoxRequest request;
    request.buttons = buttons;
    request.icon = icon;
    request.defaultButton = defaultButton;
    request.text = QString::fromStdString(text);
    request.title = QString::fromStdString(title);
    const bool confirmed = m_hooks.messageBox ? m_hooks.messageBox(dialogParent(), request)
                                              : systemMessageBox(dialogParent(), request);
    m_lastConfirmed = confirmed ? 1 : 0;
}

void QtWindowLayer::WSELECTFILE(int filter, int flags, std::string& name, const std::string& title)
{
    assertWindowThread();
    FileRequest request;
    request.title = QString::fromStdString(title);
    request.filter = qtFileFilter(resourceText(stringResource(filter).value_or(std::string())));
    const Folder folder = folderOf(filter);
    request.initial = startingPoint(folder, QString::fromStdString(trimTrailingBlanks(name)));
    request.save = (flags & kSelectSave) != 0;
    request.confirm = (flags & kSelectConfirm) != 0;
    request.mustExist = (flags & kSelectMayBeNew) == 0;
    const auto chosen = m_hooks.selectFile ? m_hooks.selectFile(dialogParent(), request)
                                           : systemSelectFile(dialogParent(), request);
    if (!chosen || chosen->isEmpty()) {
        m_lastConfirmed = 0;
        return;
    }
    m_lastConfirmed = 1;
    name = fileSystemName(*chosen);
    rememberFolder(folder, *chosen);
    if (!(flags & kSelectKeepDirectory))
        QDir::setCurrent(QFileInfo(*chosen).absolutePath());
}

QtWindowLayer::Folder QtWindowLayer::folderOf(int filter)
{
    switch (filter) {
    case kFilterSolakoData:
    case kFilterMerantData:
        return Folder::Open;
    case kFilterChaSolako:
    case kFilterCisSolako:
    case kFilterChaMerant:
    case kFilterCisMerant:
    case kFilterTemSolako:
        return Folder::Results;
    case kFilterPictures:
        return Folder::Export;
    default:
        return Folder::None; // Save bitmap: the name the shell proposes, as it is
    }
}

const char* QtWindowLayer::folderKey(Folder folder)
{
    switch (folder) {
    case Folder::Open:
        return kDirectoryKey;
    case Folder::Results:
        return kResultDirectoryKey;
    case Folder::Export:
        return kExportDirectoryKey;
    case Folder::None:
        break;
    }
    return nullptr;
}

QString QtWindowLayer::startingPoint(Folder folder, const QString& name) const
{
    const char* key = folderKey(folder);
    const QString remembered
        = m_settings && key ? m_settings->value(QLatin1String(key)).toString() : QString();
    // An empty name starts where the user last chose a file of the kind.
    if (name.isEmpty())
        return remembered;
    if (folder != Folder::Export)
        return name;
    // An export goes where the last one went; else beside the case, unless
    // the case's folder cannot be written (the installed examples): then into
    // the user's pictures folder.
    const QFileInfo proposed(name);
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return QDir(remembered).filePath(proposed.fileName());
    if (mayWriteInto(proposed.absolutePath()))
        return name;
    return QDir(picturesFolder()).filePath(proposed.fileName());
}

void QtWindowLayer::rememberFolder(Folder folder, const QString& chosen)
{
    const char* key = folderKey(folder);
    if (m_settings && key) {
        m_settings->setValue(QLatin1String(key), QFileInfo(chosen).absolutePath());
        storeSettings();
    }
}

std::optional<QString> QtWindowLayer::chooseSaveFile(const QString& title, const QString& filter,
                                                     const QString& name)
{
    assertWindowThread();
    FileRequest request;
    request.title = title;
    request.filter = filter;
    // Proposed beside the case, as Export proposes its picture.
    const QString data = QFile::decodeName(QByteArray::fromStdString(m_datafile));
    request.initial
        = startingPoint(Folder::Export, data.isEmpty() ? name : QFileInfo(data).dir().filePath(name));
    request.save = true;
    request.confirm = true;
    request.mustExist = false;
    const auto chosen = m_hooks.selectFile ? m_hooks.selectFile(dialogParent(), request)
                                           : systemSelectFile(dialogParent(), request);
    if (chosen && !chosen->isEmpty())
        rememberFolder(Folder::Export, *chosen);
    return chosen && !chosen->isEmpty() ? chosen : std::nullopt;
}

int QtWindowLayer::WINFODIALOG(int what)
{
    assertWindowThread();
    switch (what) {
    case kInfoLastButton:
        return m_lastButton;
    case kInfoConfirmed:
        return m_lastConfirmed;
    default:
        return 0;
    }
}

void QtWindowLayer::WSELECTCOLOUR(int rgb[3])
{
    assertWindowThread();
    const QColor initial(std::clamp(rgb[0], 0, 255), std::clamp(rgb[1], 0, 255), std::clamp(rgb[2], 0, 255));
    const auto chosen = m_hooks.selectColour ? m_hooks.selectColour(dialogParent(), initial)
                                             : systemSelectColour(dialogParent(), initial);
    if (!chosen || !chosen->isValid()) {
        m_lastConfirmed = 0;
        return;
    }
    rgb[0] = chosen->red();
    rgb[1] = chosen->green();
    rgb[2] = chosen->blue();
    m_lastConfirmed = 1;
}

// ---- resource dialogs ----------------------------------------------------

ResourceDialog* QtWindowLayer::dialog(int id) const
{
    auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : it->second.get();
}

void QtWindowLayer::WDIALOGLOAD(int id)
{
    assertWindowThread();
    const DialogResource* resource = dialogResource(id);
    if (!resource)
        return;
    if (!dialog(id)) {
        auto created = std::make_unique<ResourceDialog>(*resource, m_window.get());
        ResourceDialog* d = created.get();
        QObject::connect(d, &ResourceDialog::buttonPushed, d, [this, id](int button) {
            Message msg;
            msg.win = id;
            msg.value1 = button;
            post(kPushButton, msg);
        });
        QObject::connect(d, &ResourceDialog::fieldChanged, d, [this, id](int field) {
            Message msg;
            msg.win = id;
            msg.value1 = field;
            post(kFieldChanged, msg);
        });
        m_dialogs.emplace(id, std::move(created));
    }
    m_current = dialog(id);
}

void QtWindowLayer::WDIALOGSELECT(int id)
{
    assertWindowThread();
    if (ResourceDialog* d = dialog(id))
        m_current = d;
}

void QtWindowLayer::WDIALOGPUTREAL(int field, float value, const std::string& format)
{
    assertWindowThread();
    if (m_current)
        m_current->putReal(field, value, format);
}

void QtWindowLayer::WDIALOGGETREAL(int field, float& value)
{
    assertWindowThread();
    if (!m_current)
        return;
    if (const auto read = m_current->getReal(field))
        value = *read;
}

void QtWindowLayer::WDIALOGPUTRADIOBUTTON(int field)
{
    assertWindowThread();
    if (m_current)
        m_current->putRadio(field);
}

void QtWindowLayer::WDIALOGGETRADIOBUTTON(int field, int& index)
{
    assertWindowThread();
    index = m_current ? m_current->radioIndex(field) : 0;
}

void QtWindowLayer::WDIALOGFIELDSTATE(int field, int state)
{
    assertWindowThread();
    if (m_current)
        m_current->setFieldState(field, state);
}

void QtWindowLayer::WDIALOGSHOW(int left, int top, int initialField, int mode)
{
    assertWindowThread();
    ResourceDialog* d = m_current;
    if (!d)
        return;
    if (left >= 0 && top >= 0)
        d->move(left, top);
    d->setInitialField(initialField);
    if (mode == 1)
        m_lastButton = d->runModal();
    else
        d->showModeless();
}

void QtWindowLayer::WDIALOGHIDE()
{
    assertWindowThread();
    if (m_current)
        m_current->hide();
}

} // namespace lobus
