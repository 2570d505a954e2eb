#pragma once
// A scratch directory for one test, removed at its end, and a helper that
// writes a file (creating its directories) with exactly the bytes given.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace lobus::test {

class TempDir {
public:
    TempDir()
    {
        // Unique per process and per directory, without platform calls.
        static const unsigned run = std::random_device {}();
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path()
            / ("lobus-test-" + std::to_string(run) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Writes `bytes` to `relative` below the directory; returns the full name.
    std::string write(const std::string& relative, const std::string& bytes) const
    {
        const auto p = m_path / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream out(p, std::ios::binary);
        out << bytes;
        return p.string();
    }

private:
    std::filesystem::path m_path;
};

} // namespace lobus::test
