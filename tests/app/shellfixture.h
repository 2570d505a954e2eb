#pragma once
// A shell over the scripted layer, with a temporary directory for its trace
// file and the cases the test writes.

#include "app/shell.h"
#include "scriptedlayer.h"
#include "tests/support/cases.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace lobus::test {

class ShellTest : public ::testing::Test {
protected:
    void TearDown() override { m_shell.reset(); }

    // Starts a shell of `variant` with its trace in the test's directory
    // (as from the desktop when `desktop`).
    void start(int variant, std::string tracePath = {}, bool desktop = false)
    {
        ShellOptions options;
        options.tracePath = tracePath.empty() ? (dir() / "wdr.txt").string() : tracePath;
        options.quietTrace = desktop;
        m_shell = std::make_unique<Shell>(layer, variant, options);
        m_shell->startUp();
    }

    // Handles every queued message.
    void drain()
    {
        while (layer.pending() > 0 && m_shell->step()) { }
    }

    // Writes the case and opens it through the File menu.
    template <class Files> std::filesystem::path open(const Files& files)
    {
        const auto dan = writeCase(dir() / "P", files);
        layer.answerFile(dan.string());
        layer.menu(40002);
        drain();
        return dan;
    }

    const ShellState& state() const { return m_shell->state(); }
    Shell& shell() { return *m_shell; }
    const std::filesystem::path& dir() const { return m_dir.path(); }

    ScriptedLayer layer;

private:
    TempDir m_dir;
    std::unique_ptr<Shell> m_shell;
};

} // namespace lobus::test
