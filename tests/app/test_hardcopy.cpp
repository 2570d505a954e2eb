// Save bitmap, Print and Export picture.

#include "shellfixture.h"

#include <fstream>

namespace lobus::test {
namespace {

using Hardcopy = ShellTest;

TEST_F(Hardcopy, SaveBitmapProposesTheCaseNameAndWritesTheChosenOneAsBmp)
{
    start(kVariantMerant);
    const auto dan = open(evenCase("rys", 3, 8));
    const auto out = dir() / "obraz.txt";
    layer.answerFile(out.string());
    layer.menu(40003);
    drain();
    const ScriptedUi::FileDialog& d = layer.dialogs.fileDialogs.back();
    EXPECT_EQ(d.filter, 50007);
    EXPECT_EQ(d.flags, 11);
    EXPECT_EQ(d.title, "Zapisz mapę bitową");
    EXPECT_EQ(d.name, (dir() / "P" / "DANE" / "rys.bmp").string());
    EXPECT_EQ(layer.savedImages, std::vector<std::string> {(dir() / "obraz.bmp").string()});
    EXPECT_TRUE(layer.dialogs.boxes.empty());

    // Cancelled: nothing is written.
    layer.answerFile(std::nullopt);
    layer.menu(40003);
    drain();
    EXPECT_EQ(layer.savedImages.size(), 1u);
    EXPECT_EQ(state().datafile, dan.string());
}

TEST_F(Hardcopy, ABitmapThatCannotBeWrittenIsReported)
{
    start(kVariantMerant);
    open(evenCase("rys", 3, 8));
    layer.saveImageSucceeds = false;
    layer.answerFile("/nie/ma/takiego/katalogu/a.bmp");
    layer.menu(40003);
    drain();
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].icon, 1);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("/nie/ma/takiego/katalogu/a.bmp"), std::string::npos);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("No space left on device"), std::string::npos);
}

TEST_F(Hardcopy, AFileThatTheBmpRulePicksInsteadIsAskedAboutBeforeItIsReplaced)
{
    start(2);
    open(evenCase("rys", 3, 8));
    const auto existing = dir() / "wynik.bmp";
    std::ofstream(existing) << "kept";

    // "wynik" confirmed, "wynik.bmp" exists: asked, and No keeps it.
    layer.dialogs.boxAnswers = {false};
    layer.answerFile((dir() / "wynik").string());
    layer.menu(40003);
    drain();
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].buttons, 2);
    EXPECT_NE(layer.dialogs.boxes[0].text.find(existing.string()), std::string::npos);
    EXPECT_TRUE(layer.savedImages.empty());

    layer.dialogs.boxAnswers = {true};
    layer.answerFile((dir() / "wynik").string());
    layer.menu(40003);
    drain();
    EXPECT_EQ(layer.dialogs.boxes.size(), 2u);
    EXPECT_EQ(layer.savedImages, std::vector<std::string> {existing.string()});

    // The name the dialog itself asked about, and a new name, are not asked again.
    layer.answerFile(existing.string());
    layer.menu(40003);
    layer.answerFile((dir() / "inny").string());
    layer.menu(40003);
    drain();
    EXPECT_EQ(layer.dialogs.boxes.size(), 2u);
    EXPECT_EQ(layer.savedImages.size(), 3u);
}

TEST_F(Hardcopy, PrintDrawsOnceToThePrinterUnderACheckMarkAndRedrawsTheScreen)
{
    start(kVariantMerant);
    open(evenCase("rys", 3, 8));
    const std::size_t mark = layer.calls.size();
    layer.menu(40004);
    drain();
    std::vector<std::string> calls(layer.calls.begin() + static_cast<long>(mark) + 1, layer.calls.end());
    EXPECT_EQ(calls,
              (std::vector<std::string> {"WMENUSETSTATE(40004,2,1)", "IGRHARDCOPYSELECT(1,10)",
                                         "IGRHARDCOPY( )", "IGRHARDCOPY(S)", "WMENUSETSTATE(40004,2,0)"}));
    EXPECT_EQ(layer.printer.pictures, 1);
    EXPECT_GT(layer.printer.primitives, 0);
    EXPECT_EQ(layer.screen.pictures, 2);
    EXPECT_EQ(layer.checked.at(40004), 0);
}

TEST_F(Hardcopy, ExportProposesAPngOfTheCaseAndKeepsOnlyThePictureExtensions)
{
    start(2);
    layer.menu(40101); // no case yet: nothing to export, no dialog
    drain();
    EXPECT_TRUE(layer.dialogs.fileDialogs.empty());

    open(evenCase("rys", 3, 8));
    const std::string chosen[] = {"a.SVG", "b.pdf", "c.bmp", "d"};
    for (const std::string& name : chosen) {
        layer.answerFile((dir() / name).string());
        layer.menu(40101);
    }
    drain();
    const ScriptedUi::FileDialog& d = layer.dialogs.fileDialogs[1];
    EXPECT_EQ(d.filter, 50101);
    EXPECT_EQ(d.flags, 11);
    EXPECT_EQ(d.name, (dir() / "P" / "DANE" / "rys.png").string());
    EXPECT_EQ(layer.exportedPictures,
              (std::vector<std::string> {(dir() / "a.SVG").string(), (dir() / "b.pdf").string(),
                                         (dir() / "c.bmp.png").string(), (dir() / "d.png").string()}));
    EXPECT_EQ(layer.savedImages.size(), 0u); // Save bitmap's own path is not taken

    // The size (or other options) cancelled: nothing is written, nothing said.
    layer.exportOptions = {false};
    layer.answerFile((dir() / "f.png").string());
    layer.menu(40101);
    drain();
    EXPECT_EQ(layer.exportedPictures.size(), 4u);
    EXPECT_TRUE(layer.dialogs.boxes.empty());

    layer.exportError = "disk full";
    layer.answerFile((dir() / "e.png").string());
    layer.menu(40101);
    drain();
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].text,
              "Nie można zapisać rysunku " + (dir() / "e.png").string() + ":\ndisk full");
}

} // namespace
} // namespace lobus::test
