// Start-up, the loop's expose/resize/close handling and the trace file.

#include "shellfixture.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace lobus::test {
namespace {

bool refusesForWantOfRoom(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_WRONLY);
    if (fd < 0)
        return false;
    const bool refused = ::write(fd, "x", 1) < 0 && errno == ENOSPC;
    ::close(fd);
    return refused;
}

using StartUp = ShellTest;

TEST_F(StartUp, OpensTheWindowLoadsTheDialogsAndDisablesTheCaseCommands)
{
    start(kVariantMerant);
    const std::vector<std::string> head(layer.calls.begin(), layer.calls.begin() + 6);
    EXPECT_EQ(head,
              (std::vector<std::string> {"WINITIALISE( )", "WINDOWOPEN", "WINDOWSTATUSBARPARTS(2,6000,-1)",
                                         "WDIALOGLOAD(104)", "WDIALOGLOAD(102)", "WDIALOGLOAD(106)"}));
    ASSERT_TRUE(layer.window);
    EXPECT_EQ(layer.window->flags, 47);
    EXPECT_EQ(layer.window->left, -1);
    EXPECT_EQ(layer.window->top, -1);
    EXPECT_EQ(layer.window->width, 0);
    EXPECT_EQ(layer.window->height, 0);
    EXPECT_EQ(layer.window->menuid, 30001);
    EXPECT_EQ(layer.window->title, "Graficzna interpretacja danych i wyników programu MERANT");

    EXPECT_EQ(layer.enabled,
              (std::map<int, int> {{40003, 0}, {40004, 0}, {40007, 0}, {40008, 0}, {40009, 0}, {40016, 0}}));
    EXPECT_TRUE(layer.checked.empty());
    EXPECT_TRUE(layer.dialogs.boxes.empty());
    EXPECT_TRUE(layer.status.empty());

    const ShellState& s = state();
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(s.variant(), 2);
    EXPECT_EQ(s.rysuj, RYSUJ());
    EXPECT_EQ(s.shown.results.ilkat, 0);
    // Wedge 4 starts in the yellow of wedge 1.
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(s.rysuj.colour(c, 4), s.rysuj.colour(c, 1));
}

TEST_F(StartUp, TheThermalVariantHasItsOwnTitle)
{
    start(kVariantSolako);
    ASSERT_TRUE(layer.window);
    EXPECT_EQ(layer.window->title, "Graficzna interpretacja danych i wyników programu SOLAKO");
    EXPECT_EQ(state().variant(), 1);
}

TEST_F(StartUp, ExposeAndResizeDrawNothingBeforeACaseAndTheCaseCommandsDoNothing)
{
    start(kVariantMerant);
    const std::size_t before = layer.calls.size();
    layer.push(kExpose);
    layer.push(kResize);
    for (int id : {40003, 40004, 40007, 40008, 40016, 40010, 40015})
        layer.menu(id);
    layer.push(kFieldChanged, 1005); // not for the main loop
    drain();
    EXPECT_EQ(layer.screen.pictures, 0);
    EXPECT_EQ(layer.printer.pictures, 0);
    // Nothing but the messages themselves.
    for (std::size_t i = before; i < layer.calls.size(); ++i)
        EXPECT_EQ(layer.calls[i].rfind("WMESSAGE->", 0), 0u) << layer.calls[i];
    EXPECT_FALSE(shell().ended());
}

TEST_F(StartUp, ExitAndTheCloseBoxEndTheProgram)
{
    start(kVariantMerant);
    layer.menu(40005);
    layer.push(kExpose); // never asked for
    EXPECT_FALSE(shell().step());
    EXPECT_TRUE(layer.closed);
    EXPECT_TRUE(shell().ended());
    EXPECT_FALSE(shell().step());
    EXPECT_EQ(layer.pending(), 1u);
    EXPECT_EQ(layer.calls.back(), "WINDOWCLOSE");

    ScriptedLayer other;
    other.push(kCloseRequest);
    ShellOptions options;
    options.tracePath = (dir() / "second.txt").string();
    EXPECT_EQ(runLobus(other, 1, options), 0);
    EXPECT_TRUE(other.closed);
}

TEST_F(StartUp, TheTraceFileHoldsEachPassAsSoonAsItEnds)
{
    start(kVariantMerant);
    open(evenCase("a", 2, 5));
    // Still running: a kill now would lose nothing of the passes.
    std::ifstream in(dir() / "wdr.txt");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("1tabpsi="), std::string::npos);
    EXPECT_NE(text.str().find("nrcis="), std::string::npos);
}

TEST_F(StartUp, ATraceThatCannotBeWrittenIsReportedOnceAndTheProgramRunsOnWithoutIt)
{
    // A device of the test's own that refuses every write for want of room
    // (the kind of /dev/full), as a full disk does.
    const std::string full = (dir() / "full").string();
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 || !refusesForWantOfRoom(full))
        GTEST_SKIP() << "no device node can be made and written here";
    start(2, full);
    EXPECT_TRUE(layer.dialogs.boxes.empty());
    // Said after a case dropped or picked from Recent files, as after Open.
    Message drop;
    drop.text = writeCase(dir() / "P", evenCase("a", 3, 6)).string();
    shell().handle(kOpenFile, drop);
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].title, "UWAGA");
    EXPECT_EQ(layer.dialogs.boxes[0].icon, 3);
    EXPECT_NE(layer.dialogs.boxes[0].text.find("No space left on device"), std::string::npos);
    EXPECT_EQ(state().trace, nullptr);
    EXPECT_TRUE(state().loaded);

    open(evenCase("b", 2, 5));
    EXPECT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.status[1], (dir() / "P" / "DANE" / "b.dan").string());
}

TEST_F(StartUp, ATraceFileThatCannotBeCreatedIsReportedOnceAndTheProgramRunsOn)
{
    const auto unwritable = dir() / "no-such-directory" / "wdr.txt";
    // A start from the desktop says so in the status bar, without a box.
    ShellOptions desktop;
    desktop.tracePath = unwritable.string();
    desktop.quietTrace = true;
    Shell quiet(layer, kVariantMerant, desktop);
    quiet.startUp();
    EXPECT_TRUE(layer.dialogs.boxes.empty());
    EXPECT_NE(layer.status[2].find(unwritable.string()), std::string::npos);

    start(kVariantMerant, unwritable.string());
    ASSERT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_EQ(layer.dialogs.boxes[0].title, "UWAGA");
    EXPECT_EQ(layer.dialogs.boxes[0].icon, 3);
    EXPECT_NE(layer.dialogs.boxes[0].text.find(unwritable.string()), std::string::npos);
    // The box comes once the window is open.
    EXPECT_EQ(layer.calls.back(), "WMESSAGEBOX(0,3,1)");
    EXPECT_EQ(state().trace, nullptr);

    open(evenCase("a", 3, 6));
    EXPECT_TRUE(state().loaded);
    EXPECT_EQ(layer.screen.pictures, 1);
    layer.menu(40005);
    drain();
    EXPECT_EQ(layer.dialogs.boxes.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(unwritable));
}

} // namespace
} // namespace lobus::test
