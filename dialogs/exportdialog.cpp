#include "dialogs/exportdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

#include <array>

namespace lobus {

namespace {

// The largest side a picture file may have (as lobus-render allows).
constexpr int kLargestSide = 32768;
// A4 landscape, 297 x 210 mm, at 300 dots to the inch.
constexpr QSize kA4At300 {3508, 2480};

QString pixels(QSize s) { return QStringLiteral("%1 × %2").arg(s.width()).arg(s.height()); }

} // namespace

QSize exportPixels(const ExportChoice& choice, QSize shown)
{
    switch (choice.size) {
    case ExportChoice::Size::FullHd:
        return {1920, 1080};
    case ExportChoice::Size::UltraHd:
        return {3840, 2160};
    case ExportChoice::Size::A4Landscape:
        return kA4At300;
    case ExportChoice::Size::Custom:
        return choice.custom;
    case ExportChoice::Size::Shown:
        break;
    }
    return shown;
}

QString exportChoiceText(const ExportChoice& choice)
{
    switch (choice.size) {
    case ExportChoice::Size::FullHd:
        return QStringLiteral("1920x1080");
    case ExportChoice::Size::UltraHd:
        return QStringLiteral("3840x2160");
    case ExportChoice::Size::A4Landscape:
        return QStringLiteral("a4-300");
    case ExportChoice::Size::Custom:
        return QStringLiteral("custom:%1x%2").arg(choice.custom.width()).arg(choice.custom.height());
    case ExportChoice::Size::Shown:
        break;
    }
    return QStringLiteral("shown");
}

std::optional<ExportChoice> exportChoiceFromText(const QString& text)
{
    ExportChoice c;
    if (text == QStringLiteral("shown"))
        c.size = ExportChoice::Size::Shown;
    else if (text == QStringLiteral("1920x1080"))
        c.size = ExportChoice::Size::FullHd;
    else if (text == QStringLiteral("3840x2160"))
        c.size = ExportChoice::Size::UltraHd;
    else if (text == QStringLiteral("a4-300"))
        c.size = ExportChoice::Size::A4Landscape;
    else if (text.startsWith(QStringLiteral("custom:"))) {
        const QStringList wh = text.mid(7).split(QLatin1Char('x'));
        bool okW = false;
        bool okH = false;
        const int w = wh.size() == 2 ? wh[0].toInt(&okW) : 0;
        const int h = wh.size() == 2 ? wh[1].toInt(&okH) : 0;
        if (!okW || !okH || w < 1 || h < 1 || w > kLargestSide || h > kLargestSide)
            return std::nullopt;
        c.size = ExportChoice::Size::Custom;
        c.custom = QSize(w, h);
    } else {
        return std::nullopt;
    }
    return c;
}

std::optional<ExportChoice> systemExportChoice(QWidget* parent, const ExportChoice& initial, QSize shown)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("lobus::ExportDialog", "Rozmiar rysunku"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* group = new QButtonGroup(&dialog);
    const std::array<QString, 5> labels = {
        QCoreApplication::translate("lobus::ExportDialog", "Jak na ekranie (%1)").arg(pixels(shown)),
        pixels({1920, 1080}),
        pixels({3840, 2160}),
        QCoreApplication::translate("lobus::ExportDialog", "A4 poziomo, 300 dpi (%1)").arg(pixels(kA4At300)),
        QCoreApplication::translate("lobus::ExportDialog", "Inny:"),
    };
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        auto* radio = new QRadioButton(labels[static_cast<std::size_t>(i)], &dialog);
        group->addButton(radio, i);
        grid->addWidget(radio, i, 0);
    }
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height})
        box->setRange(1, kLargestSide);
    width->setValue(initial.custom.width());
    height->setValue(initial.custom.height());
    auto* custom = new QHBoxLayout;
    custom->addWidget(width);
    custom->addWidget(new QLabel(QStringLiteral("×"), &dialog));
    custom->addWidget(height);
    grid->addLayout(custom, 4, 1);
    const auto customOn = [&] {
        const bool on = group->checkedId() == static_cast<int>(ExportChoice::Size::Custom);
        width->setEnabled(on);
        height->setEnabled(on);
    };
    auto* every = new QCheckBox(
        QCoreApplication::translate("lobus::ExportDialog", "Każdy punkt w zbiorze SVG i PDF"), &dialog);
    every->setChecked(initial.fullDetail);
    layout->addWidget(every);
    group->button(static_cast<int>(initial.size))->setChecked(true);
    customOn();
    QObject::connect(group, &QButtonGroup::idToggled, &dialog, customOn);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    ExportChoice chosen;
    chosen.size = static_cast<ExportChoice::Size>(group->checkedId());
    chosen.custom = QSize(width->value(), height->value());
    chosen.fullDetail = every->isChecked();
    return chosen;
}

} // namespace lobus
