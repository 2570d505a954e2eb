// The Open command: menu states per case, cancelling, re-sized arrays, the
// automatic maxima, and a failed reading keeping the shown case.

#include "shellfixture.h"

namespace lobus::test {
namespace {

using Open = ShellTest;

// Everything of the shown case and its settings that a failed Open must keep.
struct Snapshot {
    DANE dane;
    int ilkat;
    std::vector<float> katcis, cis, tem1, tem2;
    RYSUJ rysuj;
    std::string datafile, cisfile;
    bool loaded;
    std::map<int, int> enabled;
    std::map<int, std::string> status;
    int pictures;

    static std::vector<float> copy(const ResultArray& a)
    {
        return a.cols() ? std::vector<float>(a.data(), a.data() + 6 * a.cols()) : std::vector<float> {};
    }
    Snapshot(const ShellState& s, const ScriptedLayer& l)
        : dane(s.shown.dane),
          ilkat(s.shown.results.ilkat),
          katcis(copy(s.shown.results.katcis)),
          cis(copy(s.shown.results.cis)),
          tem1(copy(s.shown.results.tem1)),
          tem2(copy(s.shown.results.tem2)),
          rysuj(s.rysuj),
          datafile(s.datafile),
          cisfile(s.cisfile),
          loaded(s.loaded),
          enabled(l.enabled),
          status(l.status),
          pictures(l.screen.pictures)
    { }
    bool operator==(const Snapshot&) const = default;
};

void expectColourItems(const ScriptedLayer& layer, int wedges)
{
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(layer.enabled.at(40009 + k), k <= wedges ? 1 : 0) << "Klin nr " << k;
}

TEST_F(Open, ACaseOfThreeWedgesEnablesTheCommandsAndThreeColourItems)
{
    start(kVariantMerant);
    const auto dan = open(evenCase("trzy", 3, 10));

    ASSERT_EQ(layer.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(layer.dialogs.fileDialogs[0].filter, 50004);
    EXPECT_EQ(layer.dialogs.fileDialogs[0].flags, 8);
    EXPECT_EQ(layer.dialogs.fileDialogs[0].title, "Wybor zbioru danych");
    EXPECT_EQ(layer.dialogs.fileDialogs[0].name, "");

    const ShellState& s = state();
    EXPECT_TRUE(s.loaded);
    EXPECT_EQ(s.datafile, dan.string());
    EXPECT_EQ(s.cisfile, (dir() / "P" / "WYN" / "trzy.cis").string());
    EXPECT_EQ(layer.status.at(1), dan.string());
    EXPECT_EQ(s.shown.dane.ikm, 3);
    EXPECT_EQ(s.shown.dane.variant, 2);
    EXPECT_EQ(s.shown.results.ilkat, 10);
    for (int id : {40003, 40004, 40007, 40008, 40009})
        EXPECT_EQ(layer.enabled.at(id), 1) << id;
    EXPECT_EQ(layer.enabled.at(40016), 0); // isothermal cases have no temperatures
    expectColourItems(layer, 3);
    EXPECT_TRUE(layer.dialogs.boxes.empty());
    EXPECT_EQ(layer.screen.pictures, 1);

    // Expose and resize now redraw.
    layer.push(kExpose);
    layer.push(kResize);
    drain();
    EXPECT_EQ(layer.screen.pictures, 3);
}

TEST_F(Open, SixWedgesEnableEveryColourItemAndAThermalCaseTheTemperatureScale)
{
    start(kVariantSolako);
    open(evenCase("szesc", 6, 8, 1));
    EXPECT_EQ(layer.dialogs.fileDialogs[0].filter, 50001);
    EXPECT_EQ(state().shown.dane.ikm, 6);
    EXPECT_EQ(layer.enabled.at(40016), 1);
    expectColourItems(layer, 6);

    // A later case with fewer wedges greys the colour items it does not have.
    open(evenCase("dwa", 2, 8, 1));
    expectColourItems(layer, 2);
}

TEST_F(Open, CancellingTheDataFileDialogChangesNothing)
{
    start(kVariantMerant);
    open(evenCase("a", 3, 10));
    const Snapshot before(state(), layer);
    const std::size_t calls = layer.calls.size();

    layer.answerFile(std::nullopt);
    layer.menu(40002);
    drain();
    EXPECT_EQ(Snapshot(state(), layer), before);
    EXPECT_TRUE(layer.dialogs.boxes.empty());
    EXPECT_EQ(layer.calls.size(), calls + 3); // the message, the dialog, its outcome
}

TEST_F(Open, CancellingThePressureFileDialogKeepsTheShownCase)
{
    start(kVariantMerant);
    open(evenCase("a", 3, 10));
    const Snapshot before(state(), layer);

    CaseText noCis = caseText(evenCase("b", 4, 12));
    noCis.cis.clear();
    const auto dan = writeCase(dir() / "P", noCis);
    layer.answerFile(dan.string());
    layer.answerFile(std::nullopt); // the pressure file is not chosen
    layer.menu(40002);
    drain();

    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].title, "UWAGA");
    EXPECT_EQ(layer.dialogs.boxes[0].text, "Brak zbioru " + (dir() / "P" / "WYN" / "b.cis").string());
    ASSERT_EQ(layer.dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(layer.dialogs.fileDialogs[2].filter, 50006);
    EXPECT_EQ(Snapshot(state(), layer), before);
}

TEST_F(Open, AFileNamedAtStartOrDroppedOpensAsOpenDoesWithoutTheDataFileDialog)
{
    const auto first = writeCase(dir() / "P", evenCase("start", 3, 10));
    ShellOptions options;
    options.tracePath = (dir() / "wdr.txt").string();
    options.openAtStart = first.string();
    layer.push(kCloseRequest);
    Shell atStart(layer, 2, options);
    EXPECT_EQ(atStart.run(), 0);
    EXPECT_TRUE(layer.dialogs.fileDialogs.empty());
    EXPECT_TRUE(atStart.state().loaded);
    EXPECT_EQ(layer.status.at(1), first.string());
    EXPECT_EQ(layer.screen.pictures, 1);
    EXPECT_EQ(layer.openedFiles, std::vector<std::string> {first.string()});

    // A dropped file whose pressure file is missing: the pass's warning and
    // dialog as after Open; cancelled, the shown case stays.
    start(2);
    CaseText noCis = caseText(evenCase("bez", 4, 12));
    noCis.cis.clear();
    Message drop;
    drop.text = writeCase(dir() / "Q", noCis).string();
    layer.answerFile(std::nullopt);
    shell().handle(kOpenFile, drop);
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].text, "Brak zbioru " + (dir() / "Q" / "WYN" / "bez.cis").string());
    ASSERT_EQ(layer.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(layer.dialogs.fileDialogs[0].title, "Wybor zbioru wyników");
    EXPECT_FALSE(state().loaded);
    EXPECT_EQ(layer.openedFiles.size(), 1u);
}

TEST_F(Open, ASecondCaseWithMorePointsResizesTheArrays)
{
    start(kVariantMerant);
    open(evenCase("maly", 3, 10));
    EXPECT_EQ(state().shown.results.katcis.cols(), 10);

    std::vector<LobeLayout> lobes = evenLayout(4, 40);
    lobes[2].points = 55;
    const SolverCase big = handCase("duzy", kVariantMerant, lobes);
    open(big);
    const Results& r = state().shown.results;
    EXPECT_EQ(r.ilkat, 55);
    for (const ResultArray* a : {&r.katcis, &r.cis, &r.tem1, &r.tem2})
        EXPECT_EQ(a->cols(), 55);
    EXPECT_EQ(state().shown.dane.ikm, 4);
    EXPECT_FLOAT_EQ(state().shown.dane.ilcis(3), 55.0f);
    EXPECT_FLOAT_EQ(r.katcis(3, 55), big.lobe(3).end);
    EXPECT_EQ(layer.screen.pictures, 2);

    // And back to a smaller one. The case block carries over: the angle
    // slots of the wedges the new case does not have keep their values.
    const DANE before = state().shown.dane;
    open(evenCase("maly2", 2, 7));
    EXPECT_EQ(state().shown.results.katcis.cols(), 7);
    EXPECT_EQ(state().shown.dane.ikm, 2);
    for (int i = 5; i <= 12; ++i)
        EXPECT_EQ(state().shown.dane.tabpsi(i), before.tabpsi(i)) << i;
    EXPECT_NE(state().shown.dane.tabpsi(4), before.tabpsi(4));
}

TEST_F(Open, AReadingFailureIsReportedAndKeepsTheShownCaseAndEverySetting)
{
    start(kVariantMerant);
    const SolverCase good = handCase("dobry", kVariantMerant, evenLayout(3, 10), 3.0e6f);
    open(good);
    // Settings the user has made must survive as well.
    layer.answerColour(std::array<int, 3> {1, 2, 3});
    layer.menu(40011);
    layer.answerModal(1, {{1004, 2.5f}});
    layer.menu(40007);
    drain();
    const Snapshot before(state(), layer);
    ASSERT_EQ(before.rysuj.pscale, good.solution.pmax);

    const SolverCase bad = handCase("zly", kVariantMerant, evenLayout(5, 20), 8.0e6f);
    CaseText badFiles = caseText(bad);
    replaceRecord(badFiles.cis, pointRecord(bad, 1, 3), "12.5 1.2x6");
    const auto dan = writeCase(dir() / "P", badFiles);
    layer.answerFile(dan.string());
    layer.menu(40002);
    drain();

    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].title, "Błąd odczytu");
    EXPECT_EQ(layer.dialogs.boxes[0].icon, 1);
    EXPECT_EQ(layer.dialogs.boxes[0].buttons, 0);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("zly.cis"), std::string::npos) << layer.dialogs.boxes[0].text;
    EXPECT_EQ(Snapshot(state(), layer), before);

    // The old picture is what an expose draws, and the program goes on.
    layer.push(kExpose);
    open(evenCase("nastepny", 2, 6));
    EXPECT_EQ(layer.screen.pictures, before.pictures + 2);
    EXPECT_EQ(state().shown.dane.ikm, 2);
}

TEST_F(Open, MemoryThatRunsOutDrawingTheNewCaseKeepsTheShownOne)
{
    start(2);
    open(evenCase("stary", 3, 8));
    const Snapshot before(state(), layer);

    layer.screen.outOfMemory = 1;
    open(evenCase("nowy", 5, 20));
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("Brak pamięci"), std::string::npos)
        << layer.dialogs.boxes[0].text;
    EXPECT_NE(layer.dialogs.boxes[0].text.find("nowy.dan"), std::string::npos) << layer.dialogs.boxes[0].text;
    Snapshot after(state(), layer);
    EXPECT_EQ(after.pictures, before.pictures + 1); // the old case drawn again
    after.pictures = before.pictures;
    EXPECT_EQ(after, before);

    // Before any case: the program stays without one. A box is said once
    // while the drawing keeps failing.
    ScriptedLayer fresh;
    ShellOptions options;
    options.tracePath = (dir() / "fresh.txt").string();
    Shell shell(fresh, 2, options);
    shell.startUp();
    fresh.screen.outOfMemory = 2;
    fresh.answerFile(writeCase(dir() / "Q", evenCase("nowy", 2, 6)).string());
    fresh.menu(40002);
    fresh.push(kExpose);
    while (fresh.pending() > 0 && shell.step()) { }
    EXPECT_EQ(fresh.dialogs.boxes.size(), 1u);
    EXPECT_FALSE(shell.state().loaded);
    EXPECT_EQ(fresh.enabled.at(40003), 0);
    EXPECT_EQ(fresh.screen.pictures, 0);
}

TEST_F(Open, AReadingStoppedByTheUserKeepsTheShownCaseAndSaysNothing)
{
    start(2);
    open(evenCase("dobry", 3, 10));
    drain();
    const Snapshot before(state(), layer);

    const auto dan = writeCase(dir() / "P", evenCase("drugi", 5, 20));
    layer.stopNextLoad = true;
    layer.answerFile(dan.string());
    layer.menu(40002);
    drain();
    EXPECT_TRUE(layer.dialogs.boxes.empty());
    EXPECT_EQ(Snapshot(state(), layer), before);

    open(evenCase("trzeci", 2, 6)); // and the program goes on
    EXPECT_EQ(state().shown.dane.ikm, 2);
}

TEST_F(Open, AFailureInTheFirstOpenLeavesTheProgramWithoutACase)
{
    start(kVariantMerant);
    const SolverCase bad = evenCase("zly", 2, 6);
    CaseText badFiles = caseText(bad);
    replaceRecord(badFiles.cis, pointRecord(bad, 1, 3), "abc");
    open(badFiles);
    EXPECT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_FALSE(state().loaded);
    EXPECT_EQ(layer.enabled.at(40003), 0);
    EXPECT_TRUE(layer.status.empty());
    layer.push(kExpose);
    drain();
    EXPECT_EQ(layer.screen.pictures, 0);
}

// The other solver's case is refused with a box naming the program that
// reads it; the shown case and every setting stay. The box after Open asks
// whether to open it there; a case dropped or named at start goes there at
// once, and a program that shows nothing else then ends (unless a series
// window asked).
TEST_F(Open, TheOtherSolversCaseIsRefusedWithTheProgramThatReadsIt)
{
    start(2);
    const auto example = [](const char* name) {
        return (std::filesystem::path(LOBUS_EXAMPLES_DIR) / "DANE" / (std::string(name) + ".dan")).string();
    };
    layer.answerFile(example("merant3"));
    layer.menu(40002);
    drain();
    const Snapshot before(state(), layer);
    layer.startsPrograms = true;
    layer.dialogs.boxAnswers = {false};
    layer.answerFile(example("solako4"));
    layer.menu(40002);
    drain();
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].buttons, kButtonsYesNo);
    EXPECT_TRUE(layer.startedPrograms.empty());
    EXPECT_EQ(layer.dialogs.boxes[0].title, "UWAGA");
    EXPECT_NE(layer.dialogs.boxes[0].text.find("solako4.dan"), std::string::npos)
        << layer.dialogs.boxes[0].text;
    EXPECT_NE(layer.dialogs.boxes[0].text.find("lobus-solako"), std::string::npos)
        << layer.dialogs.boxes[0].text;
    EXPECT_EQ(Snapshot(state(), layer), before);
    layer.answerFile(example("solako4"));
    layer.menu(40002);
    drain();
    Message drop;
    drop.text = example("solako4");
    EXPECT_TRUE(shell().handle(kOpenFile, drop)); // a case is shown: the program stays
    const std::pair<int, std::string> handed {kVariantSolako, example("solako4")};
    EXPECT_EQ(layer.startedPrograms, (std::vector {handed, handed}));
    EXPECT_EQ(layer.dialogs.boxes.size(), 2u);
    EXPECT_EQ(Snapshot(state(), layer), before);

    start(2);
    layer.otherWindows = true; // a series window is open: it stays
    EXPECT_TRUE(shell().handle(kOpenFile, drop));
    layer.otherWindows = false;
    EXPECT_FALSE(shell().handle(kOpenFile, drop)); // nothing shown: handed over, ended
    EXPECT_EQ(layer.startedPrograms.size(), 4u);
    EXPECT_FALSE(layer.startedFromDesktop);
    start(2, {}, true); // from the desktop: the other program too
    EXPECT_FALSE(shell().handle(kOpenFile, drop));
    EXPECT_TRUE(layer.startedFromDesktop);
    layer.startsPrograms = false;

    start(1);
    layer.dialogs.boxes.clear();
    layer.dialogs.boxAnswers = {false};
    open(evenCase("izotermiczny", 2, 6, 2));
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("program lobus."), std::string::npos)
        << layer.dialogs.boxes[0].text;
    EXPECT_FALSE(state().loaded);
}

TEST_F(Open, AResultFileDialogCancelledInTheReadingPassKeepsWhatWasRead)
{
    start(kVariantSolako);
    const SolverCase desc = evenCase("bez_tem", 3, 9, kVariantSolako);
    CaseText noTem = caseText(desc);
    noTem.tem.clear();
    const auto dan = writeCase(dir() / "P", noTem);
    layer.answerFile(dan.string());
    layer.answerFile(std::nullopt); // the temperature file is not chosen
    layer.menu(40002);
    drain();

    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].text, "Brak zbioru " + (dir() / "P" / "WYN" / "bez_tem.tem").string());
    EXPECT_EQ(layer.dialogs.fileDialogs.back().filter, 50008);
    const ShellState& s = state();
    EXPECT_TRUE(s.loaded);
    EXPECT_EQ(layer.status.at(1), dan.string());
    for (int k = 1; k <= 3; ++k)
        EXPECT_FLOAT_EQ(s.shown.dane.ilcis(k), 9.0f) << k;
    EXPECT_EQ(s.shown.dane.pmax, desc.solution.pmax);
    EXPECT_EQ(s.rysuj.pscale, desc.solution.pmax);
    EXPECT_EQ(layer.screen.pictures, 1);
}

// A case that stands but is cut short says so in the status bar; its files
// are never written over by Save bitmap or Export, whatever name leads to
// them.
TEST_F(Open, ACaseCutShortSaysSoAndItsFilesAreNeverWrittenOver)
{
    start(kVariantMerant);
    const SolverCase c = evenCase("krotki", 3, 9);
    CaseText cut = caseText(c);
    keepRecords(cut.cis, pointRecord(c, 2, 4));
    const auto dan = open(cut);
    ASSERT_TRUE(state().loaded);
    EXPECT_NE(layer.status[2].find("krotki.cis"), std::string::npos) << layer.status[2];
    EXPECT_NE(layer.status[2].find(" 2 "), std::string::npos) << layer.status[2];

    std::filesystem::create_symlink(dan, dir() / "obraz.bmp");
    std::filesystem::create_symlink(dir() / "P/WYN/krotki.cis", dir() / "obraz.png");
    layer.dialogs.boxes.clear();
    layer.answerFile((dir() / "obraz.bmp").string());
    layer.menu(40003);
    layer.answerFile((dir() / "obraz.png").string());
    layer.menu(kCmdExportPicture);
    drain();
    ASSERT_EQ(layer.dialogs.boxes.size(), 2u);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("krotki.dan"), std::string::npos)
        << layer.dialogs.boxes[0].text;
    EXPECT_NE(layer.dialogs.boxes[1].text.find("krotki.cis"), std::string::npos)
        << layer.dialogs.boxes[1].text;
    for (const std::string& call : layer.calls)
        EXPECT_TRUE(call.rfind("IGRSAVEIMAGE", 0) != 0 && call.rfind("exportPicture", 0) != 0) << call;
}

TEST_F(Open, AutomaticScalesFollowEachCaseAndManualOnesStay)
{
    start(kVariantSolako);
    const SolverCase first = handCase("pierwszy", kVariantSolako, evenLayout(3, 10), 2.0e6f, 40.0f);
    open(first);
    EXPECT_EQ(state().rysuj.pscale, first.solution.pmax);
    EXPECT_EQ(state().rysuj.tscale, first.solution.tmax); // the largest temperature of the case
    EXPECT_EQ(state().shown.dane.tmax, first.solution.tmax);

    // The pressure scale made manual; the temperature scale stays automatic.
    layer.menu(40008);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1006); });
    layer.push(kPushButton, 1, [](ScriptedLayer& l) { l.typeReal(102, 1009, 1.25e6f); });
    drain();
    EXPECT_EQ(state().rysuj.autop, 0);
    EXPECT_FLOAT_EQ(state().rysuj.pscale, 1.25e6f);

    const SolverCase second = handCase("drugi", kVariantSolako, evenLayout(4, 12), 7.0e6f, 60.0f);
    open(second);
    EXPECT_EQ(state().shown.dane.pmax, second.solution.pmax);
    EXPECT_FLOAT_EQ(state().rysuj.pscale, 1.25e6f);
    EXPECT_EQ(state().rysuj.tscale, second.solution.tmax);

    // Back to automatic: the shown case's maximum again.
    layer.menu(40008);
    layer.push(kFieldChanged, 1005, [](ScriptedLayer& l) { l.clickRadio(102, 1005); });
    layer.push(kPushButton, 1);
    drain();
    EXPECT_EQ(state().rysuj.autop, 1);
    EXPECT_EQ(state().rysuj.pscale, second.solution.pmax);
}

} // namespace
} // namespace lobus::test

namespace lobus::test {
namespace {

struct Example {
    const char* name;
    int variant;
    int wedges;
    friend void PrintTo(const Example& e, std::ostream* os) { *os << e.name; }
};

class BundledExample : public ShellTest, public ::testing::WithParamInterface<Example> { };

TEST_P(BundledExample, OpensWithoutAWordAndDrawsEveryWedge)
{
    const Example e = GetParam();
    start(e.variant);
    const auto dan = std::filesystem::path(LOBUS_EXAMPLES_DIR) / "DANE" / (std::string(e.name) + ".dan");
    layer.answerFile(dan.string());
    layer.menu(40002);
    drain();
    EXPECT_TRUE(layer.dialogs.boxes.empty())
        << (layer.dialogs.boxes.empty() ? "" : layer.dialogs.boxes[0].text);
    ASSERT_TRUE(state().loaded);
    EXPECT_EQ(layer.status.at(1), dan.string());
    EXPECT_EQ(state().shown.dane.ikm, e.wedges);
    for (int k = 1; k <= e.wedges; ++k)
        EXPECT_GT(state().shown.dane.ilcis(k), 1.0f) << k;
    EXPECT_GT(state().rysuj.pscale, 0.0f);
    if (e.variant == kVariantSolako) {
        EXPECT_GT(state().rysuj.tscale, 0.0f);
    }
    EXPECT_EQ(layer.screen.pictures, 1);
    EXPECT_GT(layer.screen.primitives, 100);
}

INSTANTIATE_TEST_SUITE_P(Examples, BundledExample,
                         ::testing::Values(Example {"merant3", 2, 3}, Example {"cytryna2", 2, 2},
                                           Example {"solako4", 1, 4}, Example {"solako3w", 1, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lobus::test
