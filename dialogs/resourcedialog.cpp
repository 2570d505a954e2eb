#include "dialogs/resourcedialog.h"

#include "dialogs/realfield.h"
#include "translations/language.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

namespace lobus {
namespace {

// Dialog units: a quarter of the font's average character width across and
// an eighth of its height down.
struct DialogUnits {
    double x = 1.5;
    double y = 1.625;

    explicit DialogUnits(const QFont& font)
    {
        const QFontMetrics metrics(font);
        const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const double average = metrics.horizontalAdvance(alphabet) / 52.0;
        x = std::round(average) / 4.0;
        y = metrics.height() / 8.0;
    }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(static_cast<int>(std::lround(left * x)), static_cast<int>(std::lround(top * y)),
                     static_cast<int>(std::lround(width * x)), static_cast<int>(std::lround(height * y)));
    }
};

} // namespace

ResourceDialog::ResourceDialog(const DialogResource& resource, QWidget* parent)
    : QDialog(parent), m_id(resource.id), m_table(parseFieldTable(resource.fieldTable))
{
    setWindowTitle(resourceText(resource.title));
    // A fixed dialog: a title and a close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build(resource);
    const DialogUnits units(font());
    setFixedSize(units.rect(0, 0, resource.width, resource.height).size());
}

void ResourceDialog::build(const DialogResource& resource)
{
    const DialogUnits units(font());
    QButtonGroup* group = nullptr;
    for (const DialogControl& control : resource.controls) {
        // An edit field's text is a value, every other text is translated.
        const QString text = control.kind == DialogControl::Kind::RealEdit
            ? QString::fromStdString(control.text)
            : resourceText(control.text);
        QWidget* widget = nullptr;
        if (control.kind != DialogControl::Kind::RadioButton)
            group = nullptr; // a group of radio buttons ends at any other control
        switch (control.kind) {
        case DialogControl::Kind::Text: {
            auto* label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case DialogControl::Kind::RealEdit: {
            auto* edit = new QLineEdit(text, this);
            const int id = control.id;
            connect(edit, &QLineEdit::textEdited, this, [this, id] { emit fieldChanged(id); });
            connect(edit, &QLineEdit::editingFinished, this, [this, id] {
                if (acceptable(id))
                    m_accepted[id] = m_edits[id]->text();
            });
            edit->installEventFilter(this);
            m_edits.insert(id, edit);
            m_accepted.insert(id, text);
            widget = edit;
            break;
        }
        case DialogControl::Kind::GroupBox:
            widget = new QGroupBox(text, this);
            break;
        case DialogControl::Kind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            if (!group || control.groupStart) {
                group = new QButtonGroup(this);
                group->setExclusive(true);
            }
            group->addButton(radio, control.id);
            const int id = control.id;
            connect(radio, &QAbstractButton::clicked, this, [this, id] { emit fieldChanged(id); });
            m_radios.insert(id, radio);
            m_groupOf.insert(id, group);
            widget = radio;
            break;
        }
        case DialogControl::Kind::PushButton: {
            auto* button = new QPushButton(text, this);
            const int id = control.id;
            button->setAutoDefault(false);
            button->setDefault(id == 1);
            connect(button, &QAbstractButton::clicked, this, [this, id] { pushButton(id); });
            widget = button;
            break;
        }
        }
        widget->setGeometry(units.rect(control.x, control.y, control.width, control.height));
        if (control.id != 0 && control.id != -1)
            m_fields.insert(control.id, widget);
    }
    // Group boxes are only frames: the buttons placed on them stay on top.
    for (QGroupBox* box : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        box->lower();

    for (const auto& [id, on] : m_table.checks)
        if (QAbstractButton* radio = m_radios.value(id))
            radio->setChecked(on);
}

void ResourceDialog::putReal(int field, float value, const std::string& format)
{
    QLineEdit* edit = m_edits.value(field);
    if (!edit)
        return;
    edit->setText(QString::fromStdString(formatRealField(value, format)));
    m_accepted[field] = edit->text();
}

std::optional<float> ResourceDialog::getReal(int field) const
{
    QLineEdit* edit = m_edits.value(field);
    if (!edit)
        return std::nullopt;
    const auto value = parseRealField(edit->text().toStdString());
    return value ? static_cast<float>(*value) : 0.0f;
}

void ResourceDialog::putRadio(int field)
{
    if (QAbstractButton* radio = m_radios.value(field))
        radio->setChecked(true);
}

int ResourceDialog::radioIndex(int field) const
{
    QButtonGroup* group = m_groupOf.value(field);
    if (!group)
        return 0;
    const QList<QAbstractButton*> buttons = group->buttons();
    for (qsizetype i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i) + 1;
    return 0;
}

void ResourceDialog::setFieldState(int field, int state)
{
    QWidget* widget = m_fields.value(field);
    if (!widget || (state != 0 && state != 1))
        return;
    widget->setEnabled(state == 1);
}

std::optional<std::pair<double, double>> ResourceDialog::range(int field) const
{
    auto it = m_table.ranges.find(field);
    if (it == m_table.ranges.end())
        return std::nullopt;
    return it->second;
}

bool ResourceDialog::acceptable(int field) const
{
    QLineEdit* edit = m_edits.value(field);
    if (!edit)
        return true;
    const auto value = parseRealField(edit->text().toStdString());
    if (!value)
        return false; // text that is no number, in any real field
    const auto limits = range(field);
    return !limits || (*value >= limits->first && *value <= limits->second);
}

int ResourceDialog::fieldRefused() const
{
    auto refused = [this](int id) {
        QLineEdit* edit = m_edits.value(id);
        return edit && edit->isEnabled() && !acceptable(id);
    };
    if (m_lastFocused != 0 && refused(m_lastFocused))
        return m_lastFocused;
    QList<int> ids = m_edits.keys();
    std::sort(ids.begin(), ids.end());
    for (int id : ids)
        if (refused(id))
            return id;
    return 0;
}

void ResourceDialog::acceptTexts()
{
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        if (acceptable(it.key()))
            m_accepted[it.key()] = it.value()->text();
}

void ResourceDialog::pushButton(int id)
{
    if (id == 1) {
        if (const int bad = fieldRefused()) {
            QApplication::beep();
            QLineEdit* edit = m_edits.value(bad);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            return;
        }
        acceptTexts();
    } else {
        for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
            if (!acceptable(it.key()))
                it.value()->setText(m_accepted.value(it.key()));
    }
    if (m_modal)
        done(id);
    else
        emit buttonPushed(id);
}

void ResourceDialog::reject() { pushButton(2); }

bool ResourceDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
            if (it.value() == watched)
                m_lastFocused = it.key();
    }
    return QDialog::eventFilter(watched, event);
}

void ResourceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QWidget* first = m_fields.value(m_initialField);
    if (!first || !first->isEnabled()) {
        first = nullptr;
        for (QObject* child : children()) {
            auto* edit = qobject_cast<QLineEdit*>(child);
            if (edit && edit->isEnabled()) {
                first = edit;
                break;
            }
        }
    }
    if (!first)
        return;
    first->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(first))
        edit->selectAll();
}

int ResourceDialog::runModal()
{
    m_modal = true;
    setWindowModality(Qt::ApplicationModal);
    const int button = exec();
    m_modal = false;
    return button;
}

void ResourceDialog::showModeless()
{
    m_modal = false;
    // Input goes to the dialog only, as with a modal one, but the caller's
    // message loop keeps running.
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

} // namespace lobus
