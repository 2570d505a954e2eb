// The scale dialogs as the layer builds them from the resources, and the
// range rule of their field tables.

#include "dialogs/resourcedialog.h"
#include "layerfixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace lobus::test {
namespace {

QString labelText(ResourceDialog* d, int id)
{
    auto* label = qobject_cast<QLabel*>(d->field(id));
    return label ? label->text() : QStringLiteral("<none>");
}

QLineEdit* edit(ResourceDialog* d, int id) { return qobject_cast<QLineEdit*>(d->field(id)); }

void click(ResourceDialog* d, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(d->field(id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

// OK clicked with the focus on the OK button, as a click leaves it: true when
// the dialog gave the focus back to `field`. The dialog's own focus child
// tells, whether or not the platform made the dialog the active window.
bool okGivesTheFocusBack(ResourceDialog* d, QLineEdit* field)
{
    d->field(1)->setFocus();
    if (d->focusWidget() == field)
        return false;
    click(d, 1);
    return d->focusWidget() == field;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        layer.WINDOWOPEN(programWindow());
        layer.WDIALOGLOAD(104);
        layer.WDIALOGLOAD(102);
        layer.WDIALOGLOAD(106);
        drain(layer);
    }
    QtWindowLayer layer;
};

TEST_F(Dialogs, TextsFieldsAndInitialValuesAreTheResources)
{
    ResourceDialog* d104 = layer.dialog(104);
    ResourceDialog* d102 = layer.dialog(102);
    ResourceDialog* d106 = layer.dialog(106);
    ASSERT_TRUE(d104 && d102 && d106);

    EXPECT_EQ(d104->windowTitle(), QStringLiteral("Skala rysunku"));
    EXPECT_EQ(labelText(d104, 1001),
              QStringLiteral("Współczynnik skali : wysokość rysunku / promień koła luzów"));
    ASSERT_NE(edit(d104, 1004), nullptr);
    EXPECT_EQ(edit(d104, 1004)->text(), QStringLiteral("1.5"));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(d104->field(1))->text(), QStringLiteral("&OK"));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(d104->field(2))->text(), QStringLiteral("&Anuluj"));

    EXPECT_EQ(d102->windowTitle(), QStringLiteral("Skala ciśnień"));
    EXPECT_EQ(labelText(d102, 1001),
              QStringLiteral("Współczynik skali : oś Pmax / promień koła luzów   ( 0.0, 1.0 >"));
    EXPECT_EQ(edit(d102, 1004)->text(), QStringLiteral("0.7"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(d102->field(1010))->title(), QStringLiteral("Rodzaj skali"));
    auto* automatic = qobject_cast<QRadioButton*>(d102->field(1005));
    auto* manual = qobject_cast<QRadioButton*>(d102->field(1006));
    ASSERT_TRUE(automatic && manual);
    EXPECT_EQ(automatic->text(), QStringLiteral("Automatyczna skala ciśnień"));
    EXPECT_EQ(manual->text(), QStringLiteral("Ręczna skala ciśnień"));
    EXPECT_TRUE(automatic->isChecked());
    EXPECT_FALSE(manual->isChecked());
    EXPECT_EQ(labelText(d102, 1007), QStringLiteral("Maksymalna wartość ciśnienia"));
    EXPECT_EQ(edit(d102, 1009)->text(), QString());

    EXPECT_EQ(d106->windowTitle(), QStringLiteral("Skala temperatur"));
    EXPECT_EQ(labelText(d106, 1001),
              QStringLiteral("Wspolczynnik skali : oś  Tmax / promień koła luzow  ( 0.0, 1.0 >"));
    EXPECT_EQ(edit(d106, 1004)->text(), QStringLiteral("0.5"));
    EXPECT_EQ(labelText(d106, 1007), QStringLiteral("Maksymalna wartość temperatur"));

    // Every control lies inside its dialog, and each text fits its place.
    for (ResourceDialog* d : {d104, d102, d106}) {
        for (QWidget* child : d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(d->rect().contains(child->geometry())) << d->resourceId();
            if (auto* label = qobject_cast<QLabel*>(child)) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height() + 2)
                    << label->text().toStdString();
            }
        }
    }
}

TEST_F(Dialogs, PutAndGetRealRadioAndFieldState)
{
    layer.WDIALOGSELECT(104);
    layer.WDIALOGPUTREAL(1004, 1.5f, "(f7.3)");
    EXPECT_EQ(edit(layer.dialog(104), 1004)->text(), QStringLiteral("1.500"));
    float value = 0.0f;
    layer.WDIALOGGETREAL(1004, value);
    EXPECT_FLOAT_EQ(value, 1.5f);

    layer.WDIALOGSELECT(102);
    float pscale = 99.0f;
    layer.WDIALOGGETREAL(1009, pscale); // empty field
    EXPECT_FLOAT_EQ(pscale, 0.0f);
    edit(layer.dialog(102), 1009)->setText(QStringLiteral("2.5D5"));
    layer.WDIALOGGETREAL(1009, pscale);
    EXPECT_FLOAT_EQ(pscale, 2.5e5f);

    int index = 0;
    layer.WDIALOGGETRADIOBUTTON(1005, index);
    EXPECT_EQ(index, 1);
    layer.WDIALOGPUTRADIOBUTTON(1006);
    layer.WDIALOGGETRADIOBUTTON(1005, index); // asked through either button of the group
    EXPECT_EQ(index, 2);
    layer.WDIALOGGETRADIOBUTTON(1006, index);
    EXPECT_EQ(index, 2);

    layer.WDIALOGFIELDSTATE(1007, 0);
    layer.WDIALOGFIELDSTATE(1009, 0);
    EXPECT_FALSE(layer.dialog(102)->field(1007)->isEnabled());
    EXPECT_FALSE(layer.dialog(102)->field(1009)->isEnabled());
    layer.WDIALOGFIELDSTATE(1009, 1);
    EXPECT_TRUE(layer.dialog(102)->field(1009)->isEnabled());

    // The selection is per dialog: 106 was not touched.
    layer.WDIALOGSELECT(106);
    layer.WDIALOGGETRADIOBUTTON(1005, index);
    EXPECT_EQ(index, 1);
}

TEST_F(Dialogs, ModalOkWithAValueOutOfRangeRefocusesAndCancelRestores)
{
    layer.WDIALOGSELECT(104);
    layer.WDIALOGPUTREAL(1004, 1.5f, "(f7.3)");
    ResourceDialog* d = layer.dialog(104);
    bool stayedOpen = false;
    QString selected;
    bool focused = false;
    QString selectedAtStart;
    whenModal([&](QWidget* modal) {
        ASSERT_EQ(modal, d);
        QLineEdit* field = edit(d, 1004);
        selectedAtStart = field->selectedText(); // typing replaces the shown value
        field->setText(QStringLiteral("0.5"));   // below 1.0
        focused = okGivesTheFocusBack(d, field);
        stayedOpen = d->isVisible();
        selected = field->selectedText();
        click(d, 2);
    });
    layer.WDIALOGSHOW(-1, -1, 0, 1);
    EXPECT_EQ(selectedAtStart, QStringLiteral("1.500"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(selected, QStringLiteral("0.5"));
    EXPECT_TRUE(focused);
    EXPECT_EQ(layer.WINFODIALOG(1), 2);
    EXPECT_FALSE(d->isVisible());
    // Cancel put the last accepted text back.
    EXPECT_EQ(edit(d, 1004)->text(), QStringLiteral("1.500"));
}

TEST_F(Dialogs, ModalOkWithAValueInRangeCloses)
{
    layer.WDIALOGSELECT(104);
    ResourceDialog* d = layer.dialog(104);
    whenModal([&](QWidget*) {
        edit(d, 1004)->setText(QStringLiteral("1000")); // the upper end is allowed
        click(d, 1);
    });
    layer.WDIALOGSHOW(-1, -1, 0, 1);
    EXPECT_EQ(layer.WINFODIALOG(1), 1);
    float halfy = 0.0f;
    layer.WDIALOGGETREAL(1004, halfy);
    EXPECT_FLOAT_EQ(halfy, 1000.0f);

    // Escape (the close box likewise) is Cancel.
    whenModal([&](QWidget*) { d->reject(); });
    layer.WDIALOGSHOW(-1, -1, 0, 1);
    EXPECT_EQ(layer.WINFODIALOG(1), 2);
}

TEST_F(Dialogs, ModelessDialogSendsButtonsAndFieldChangesThroughTheQueue)
{
    layer.WMESSAGEENABLE(10, 1);
    layer.WDIALOGSELECT(102);
    layer.WDIALOGPUTREAL(1004, 0.7f, "(f3.1)");
    layer.WDIALOGSHOW(-1, -1, 0, 3);
    ResourceDialog* d = layer.dialog(102);
    settle();
    EXPECT_TRUE(d->isVisible());
    drain(layer);

    int itype = 0;
    Message msg;
    click(d, 1006);
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kFieldChanged);
    EXPECT_EQ(msg.value1, 1006);
    EXPECT_EQ(msg.win, 102);

    // Out of range: no push-button message, the dialog stays, the text is selected.
    edit(d, 1004)->setText(QStringLiteral("1.2"));
    click(d, 1);
    settle();
    EXPECT_EQ(layer.pendingMessages(), 0u);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(edit(d, 1004)->selectedText(), QStringLiteral("1.2"));

    edit(d, 1004)->setText(QStringLiteral("0.3"));
    click(d, 1);
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kPushButton);
    EXPECT_EQ(msg.value1, 1);
    // The dialog stays up until the shell hides it.
    EXPECT_TRUE(d->isVisible());
    layer.WDIALOGHIDE();
    EXPECT_FALSE(d->isVisible());

    // With field messages off, changes are not reported.
    layer.WMESSAGEENABLE(10, 0);
    layer.WDIALOGSHOW(-1, -1, 0, 3);
    settle();
    click(d, 1005);
    settle();
    EXPECT_EQ(layer.pendingMessages(), 0u);

    // Cancel on an out-of-range text restores the accepted one, then reports 2.
    edit(d, 1004)->setText(QStringLiteral("abc"));
    click(d, 2);
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kPushButton);
    EXPECT_EQ(msg.value1, 2);
    EXPECT_EQ(edit(d, 1004)->text(), QStringLiteral("0.3"));
    layer.WDIALOGHIDE();
}

// Letters in the manual maximum, a field without a range, would read as 0.0
// and flatten the diagrams: OK refuses them like a value out of range. An
// empty field still reads as 0.0.
TEST_F(Dialogs, OkRefusesTextThatIsNoNumberInAnyRealField)
{
    layer.WDIALOGSELECT(102);
    layer.WDIALOGPUTREAL(1004, 0.7f, "(f3.1)");
    ResourceDialog* d = layer.dialog(102);
    bool stayedOpen = false;
    bool focused = false;
    QString selected;
    whenModal([&](QWidget*) {
        QLineEdit* field = edit(d, 1009);
        field->setText(QStringLiteral("abc"));
        focused = okGivesTheFocusBack(d, field);
        stayedOpen = d->isVisible();
        selected = field->selectedText();
        field->setText(QString());
        click(d, 1);
    });
    layer.WDIALOGSHOW(-1, -1, 0, 1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focused);
    EXPECT_EQ(selected, QStringLiteral("abc"));
    EXPECT_EQ(layer.WINFODIALOG(1), 1);
    float pscale = 99.0f;
    layer.WDIALOGGETREAL(1009, pscale);
    EXPECT_FLOAT_EQ(pscale, 0.0f);
}

TEST_F(Dialogs, ADisabledFieldDoesNotBlockOk)
{
    layer.WDIALOGSELECT(104);
    ResourceDialog* d = layer.dialog(104);
    edit(d, 1004)->setText(QStringLiteral("0"));
    layer.WDIALOGFIELDSTATE(1004, 0);
    whenModal([&](QWidget*) { click(d, 1); });
    layer.WDIALOGSHOW(-1, -1, 0, 1);
    EXPECT_EQ(layer.WINFODIALOG(1), 1);
}

} // namespace
} // namespace lobus::test
