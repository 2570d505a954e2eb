// The scale dialogs and the wedge colours.

#include "shellfixture.h"

#include <algorithm>

namespace lobus::test {
namespace {

class ViewCommands : public ShellTest {
protected:
    void startWithCase(int variant = 2)
    {
        start(variant);
        open(handCase("widok", variant, evenLayout(3, 10), 5.0e6f));
        m_mark = layer.calls.size();
    }
    // The calls since the case was opened (or since the last mark).
    std::vector<std::string> since() const
    {
        return {layer.calls.begin() + static_cast<long>(m_mark), layer.calls.end()};
    }
    void mark() { m_mark = layer.calls.size(); }

private:
    std::size_t m_mark = 0;
};

std::vector<std::string> only(const std::vector<std::string>& calls, const std::string& prefix)
{
    std::vector<std::string> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return out;
}

TEST_F(ViewCommands, DrawingScaleShowsHalfyWithThreeDecimalsAndTakesItOnOk)
{
    startWithCase();
    layer.answerModal(1, {{1004, 3.0f}});
    layer.menu(40007);
    drain();
    EXPECT_EQ(layer.formats.at(104).at(1004), "(f7.3)");
    EXPECT_EQ(only(since(), "WDIALOGSHOW"), std::vector<std::string> {"WDIALOGSHOW(-1,-1,0,1)"});
    EXPECT_EQ(only(since(), "WDIALOGPUTREAL"),
              std::vector<std::string> {"WDIALOGPUTREAL(1004,1.500000,(f7.3))"});
    EXPECT_FLOAT_EQ(state().rysuj.halfy, 3.0f);
    EXPECT_EQ(layer.screen.pictures, 2);

    // Cancel: nothing changes, nothing is drawn.
    layer.answerModal(2, {{1004, 7.0f}});
    layer.menu(40007);
    drain();
    EXPECT_FLOAT_EQ(state().rysuj.halfy, 3.0f);
    EXPECT_EQ(layer.screen.pictures, 2);

    // A value outside the field's range never becomes the scale.
    layer.answerModal(1, {{1004, 0.0f}});
    layer.menu(40007);
    drain();
    EXPECT_FLOAT_EQ(state().rysuj.halfy, 3.0f);
}

TEST_F(ViewCommands, PressureScaleRunsItsDialogThroughTheMainQueue)
{
    startWithCase();
    layer.menu(40008);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1006); });
    layer.push(kExpose);            // not drawn while the dialog is up
    layer.push(kMenuSelect, 40002); // nor any command run
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1005); });
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1006); });
    layer.push(kPushButton, 1, [](ScriptedLayer& l) {
        l.typeReal(102, 1004, 0.4f);
        l.typeReal(102, 1009, 3.5e6f);
    });
    drain();

    const auto calls = since();
    const std::vector<std::string> opening(calls.begin() + 1, calls.begin() + 8);
    EXPECT_EQ(opening,
              (std::vector<std::string> {"WMESSAGEENABLE(10,1)", "WDIALOGSELECT(102)",
                                         "WDIALOGPUTREAL(1004,0.700000,(f3.1))",
                                         "WDIALOGPUTRADIOBUTTON(1005)", "WDIALOGFIELDSTATE(1007,0)",
                                         "WDIALOGFIELDSTATE(1009,0)", "WDIALOGSHOW(-1,-1,0,3)"}));
    EXPECT_EQ(only(calls, "WDIALOGFIELDSTATE"),
              (std::vector<std::string> {"WDIALOGFIELDSTATE(1007,0)", "WDIALOGFIELDSTATE(1009,0)",
                                         "WDIALOGFIELDSTATE(1007,1)", "WDIALOGFIELDSTATE(1009,1)",
                                         "WDIALOGFIELDSTATE(1007,0)", "WDIALOGFIELDSTATE(1009,0)",
                                         "WDIALOGFIELDSTATE(1007,1)", "WDIALOGFIELDSTATE(1009,1)"}));
    EXPECT_TRUE(only(calls, "WSELECTFILE").empty());
    const std::vector<std::string> closing(calls.end() - 2, calls.end());
    EXPECT_EQ(closing, (std::vector<std::string> {"WMESSAGEENABLE(10,0)", "WDIALOGHIDE"}));
    EXPECT_EQ(layer.screen.pictures, 2); // the one redraw after the dialog

    EXPECT_FLOAT_EQ(state().rysuj.plen, 0.4f);
    EXPECT_EQ(state().rysuj.autop, 0);
    EXPECT_FLOAT_EQ(state().rysuj.pscale, 3.5e6f);

    // Shown again, the dialog opens on the manual choice with its fields enabled.
    mark();
    layer.menu(40008);
    layer.push(kPushButton, 2);
    drain();
    EXPECT_EQ(only(since(), "WDIALOGPUTRADIOBUTTON"),
              std::vector<std::string> {"WDIALOGPUTRADIOBUTTON(1006)"});
    EXPECT_EQ(only(since(), "WDIALOGPUTREAL"),
              std::vector<std::string> {"WDIALOGPUTREAL(1004,0.400000,(f3.1))"});
    EXPECT_EQ(layer.fieldStates.at(102).at(1009), 1);
    // The manual value typed last is still in the field; the shell did not put it there.
    EXPECT_EQ(layer.real(102, 1009), 3.5e6f);
}

TEST_F(ViewCommands, AManualScaleLeftEmptyReadsAsZero)
{
    startWithCase();
    layer.menu(40008);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1006); });
    layer.push(kPushButton, 1, [](ScriptedLayer& l) { l.typeReal(102, 1009, std::nullopt); });
    drain();
    EXPECT_EQ(state().rysuj.autop, 0);
    EXPECT_EQ(state().rysuj.pscale, 0.0f);
}

TEST_F(ViewCommands, CancelChangesNoSettingButStillRedraws)
{
    startWithCase();
    const RYSUJ before = state().rysuj;
    layer.menu(40008);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1006); });
    layer.push(kPushButton, 2, [](ScriptedLayer& l) {
        l.typeReal(102, 1004, 0.2f);
        l.typeReal(102, 1009, 9.0f);
    });
    drain();
    EXPECT_EQ(state().rysuj, before);
    EXPECT_EQ(layer.screen.pictures, 2);
    EXPECT_EQ(layer.calls.back(), "WDIALOGHIDE");
}

TEST_F(ViewCommands, TemperatureScaleUsesDialog106ForThermalCasesOnly)
{
    startWithCase(kVariantSolako);
    const float tmax = state().shown.dane.tmax;
    layer.menu(40016);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(106, 1006); });
    layer.push(kPushButton, 1, [](ScriptedLayer& l) {
        l.typeReal(106, 1004, 0.3f);
        l.typeReal(106, 1009, 120.0f);
    });
    drain();
    EXPECT_EQ(only(since(), "WDIALOGSELECT"), std::vector<std::string> {"WDIALOGSELECT(106)"});
    EXPECT_EQ(layer.formats.at(106).at(1004), "(f3.1)");
    EXPECT_FLOAT_EQ(state().rysuj.tlen, 0.3f);
    EXPECT_EQ(state().rysuj.autot, 0);
    EXPECT_FLOAT_EQ(state().rysuj.tscale, 120.0f);
    EXPECT_FLOAT_EQ(state().rysuj.plen, 0.7f); // the pressure settings are not touched
    EXPECT_EQ(state().rysuj.autop, 1);

    layer.menu(40016);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(106, 1005); });
    layer.push(kPushButton, 1);
    drain();
    EXPECT_EQ(state().rysuj.autot, 1);
    EXPECT_FLOAT_EQ(state().rysuj.tscale, tmax);
}

TEST_F(ViewCommands, TemperatureScaleIsNoCommandForIsothermalCases)
{
    startWithCase(kVariantMerant);
    layer.menu(40016);
    drain();
    EXPECT_TRUE(only(since(), "WDIALOG").empty());
    EXPECT_EQ(layer.screen.pictures, 1);
}

TEST_F(ViewCommands, AConfirmedColourIsStoredAndDrawnACancelledOneIsNot)
{
    startWithCase();
    layer.answerColour(std::array<int, 3> {10, 20, 30});
    layer.menu(40012); // wedge 3, blue by default
    drain();
    EXPECT_EQ(only(since(), "WSELECTCOLOUR"), std::vector<std::string> {"WSELECTCOLOUR(0,0,255)"});
    EXPECT_EQ(state().rysuj.colour(1, 3), 10);
    EXPECT_EQ(state().rysuj.colour(2, 3), 20);
    EXPECT_EQ(state().rysuj.colour(3, 3), 30);
    EXPECT_EQ(layer.screen.pictures, 2);

    const RYSUJ before = state().rysuj;
    layer.answerColour(std::nullopt);
    layer.menu(40015); // wedge 6
    drain();
    EXPECT_EQ(state().rysuj, before);
    EXPECT_EQ(layer.screen.pictures, 2);

    // Colours survive the next Open.
    open(evenCase("inny", 4, 6));
    EXPECT_EQ(state().rysuj.colour(1, 3), 10);
}

} // namespace
} // namespace lobus::test
