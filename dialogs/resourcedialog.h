#pragma once
// A dialog built from a dialog resource: its texts, real edit fields, group
// boxes with radio buttons and push buttons, placed in dialog units scaled
// from the font, and the field table's check states and ranges.
//
// Ranges: when button 1 (OK) is pressed while an enabled real field holds
// text that is no number, or a ranged field a value outside its range, the
// dialog beeps, gives that field the focus with its whole text selected and
// passes nothing on. An empty field reads as 0.0 and is refused only when 0.0
// is outside its range. Any other button first puts the last accepted text
// back into such a field. A modal run ends with the button
// that closed it; a modeless one reports its buttons and field changes.

#include "resources/resources.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace lobus {

class ResourceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ResourceDialog(const DialogResource& resource, QWidget* parent = nullptr);

    int resourceId() const { return m_id; }

    // The widget of a field or button; null if the dialog has none.
    QWidget* field(int id) const { return m_fields.value(id); }

    void putReal(int field, float value, const std::string& format);
    // The value of a real edit field: empty text reads as 0.0, and so does
    // unreadable text (which OK refuses); nullopt only when there is no such
    // edit field.
    std::optional<float> getReal(int field) const;
    void putRadio(int field);
    // Position (from 1) of the selected button in the group of `field`; 0 when
    // none is selected or the field is no radio button.
    int radioIndex(int field) const;
    // 0 disables the field, 1 enables it; other states are ignored.
    void setFieldState(int field, int state);

    // The field that has the focus when the dialog appears; 0: the first
    // enabled edit field. An edit field starts with its whole text selected,
    // so typing replaces it.
    void setInitialField(int field) { m_initialField = field; }

    // Shows the dialog modally; returns the identifier of the button that
    // closed it (2 for the close box or Escape).
    int runModal();
    // Shows it without blocking; buttons and field changes come as signals.
    void showModeless();

    // The accepted value range of a field, if the field table gives one.
    std::optional<std::pair<double, double>> range(int field) const;

signals:
    void buttonPushed(int id);
    void fieldChanged(int id);

public slots:
    // Escape and the close box act as button 2 (Cancel).
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build(const DialogResource& resource);
    void pushButton(int id);
    // The first enabled real field that OK refuses (the focused one first); 0 if none.
    int fieldRefused() const;
    // The field's text reads as a number, within the field's range if it has one.
    bool acceptable(int field) const;
    void acceptTexts();

    int m_id = 0;
    bool m_modal = false;
    QHash<int, QWidget*> m_fields;
    QHash<int, QLineEdit*> m_edits;
    QHash<int, QAbstractButton*> m_radios;
    QHash<int, QButtonGroup*> m_groupOf; // radio button id -> its group
    QHash<int, QString> m_accepted;      // last accepted text of each real field
    FieldTable m_table;
    int m_lastFocused = 0;
    int m_initialField = 0;
};

} // namespace lobus
