#pragma once
// A shell over the scripted layer, with a temporary directory for its trace
// file and the cases the test writes.

#include "app/shell.h"
#include "casewriter.h"
#include "scriptedlayer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace lobus::test {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = freshDirectory(std::string(info->test_suite_name()) + "-" + info->name());
    }
    void TearDown() override
    {
        m_shell.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    // Starts a shell of `variant` with its trace in the test's directory.
    void start(int variant, std::string tracePath = {})
    {
        ShellOptions options;
        options.tracePath = tracePath.empty() ? (m_dir / "wdr.txt").string() : tracePath;
        m_shell = std::make_unique<Shell>(layer, variant, options);
        m_shell->startUp();
    }

    // Handles every queued message.
    void drain()
    {
        while (layer.pending() > 0 && m_shell->step()) { }
    }

    // Writes the case and opens it through the File menu.
    std::filesystem::path open(const SolverFiles& desc)
    {
        const auto dan = writeCase(m_dir / "P", desc);
        layer.answerFile(dan.string());
        layer.menu(40002);
        drain();
        return dan;
    }

    const ShellState& state() const { return m_shell->state(); }
    Shell& shell() { return *m_shell; }
    const std::filesystem::path& dir() const { return m_dir; }

    ScriptedLayer layer;

private:
    std::filesystem::path m_dir;
    std::unique_ptr<Shell> m_shell;
};

} // namespace lobus::test
