// Replacing a file whole: what the replaced file was (its owner, mode, other
// names) is respected, and every name that fits the file system is written.

#include "datafiles/filereplace.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace lobus::test {
namespace {

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(FileReplacement, KeepsOwnerAndModeRefusesAReadOnlyFileAndSaysWhenALinkSplits)
{
    TempDir dir;
    const std::string name = dir.write("a.csv", "old\n");
    const std::string other = (dir.path() / "b.csv").string();
    ASSERT_EQ(::link(name.c_str(), other.c_str()), 0);
    ASSERT_EQ(::chmod(name.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(name.c_str(), 1234, 5678), 0);
    }

    std::string error, note;
    ASSERT_TRUE(replaceFileWhole(name, "new\n", error, {}, &note)) << error;
    EXPECT_EQ(slurp(name), "new\n");
    EXPECT_EQ(slurp(other), "old\n") << "the other name keeps what it had";
    EXPECT_NE(note.find("1"), std::string::npos) << note;
    EXPECT_NE(note.find("a.csv"), std::string::npos) << note;
    struct stat st { };
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 1234u);
        EXPECT_EQ(st.st_gid, 5678u);
    }
    ASSERT_TRUE(replaceFileWhole(name, "again\n", error, {}, &note)) << error;
    EXPECT_EQ(note, "") << "no other name now";

    // Read-only by its mode: refused, also for the superuser.
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
    EXPECT_FALSE(replaceFileWhole(name, "x", error));
    EXPECT_NE(error.find("a.csv"), std::string::npos) << error;
    EXPECT_EQ(slurp(name), "again\n");
}

// A whole path of 4,090 bytes fits the system's limit; the temporary file
// beside it has a longer name and must still be made.
TEST(FileReplacement, ANameNearTheLengthLimitIsWritten)
{
    TempDir dir;
    std::filesystem::path p = dir.path();
    while (p.string().size() < 4090 - 260)
        p /= std::string(200, 'd');
    std::filesystem::create_directories(p);
    const std::size_t room = 4090 - p.string().size() - 1;
    ASSERT_LT(room, 256u);
    const std::string name = (p / (std::string(room - 4, 'f') + ".csv")).string();
    ASSERT_EQ(name.size(), 4090u);
    std::string error;
    ASSERT_TRUE(replaceFileWhole(name, "x\n", error)) << error;
    EXPECT_EQ(slurp(name), "x\n");
}

TEST(FileReplacement, ANameIsShownOnOneLineWithItsBytes)
{
    EXPECT_EQ(displayName("DANE/m\xc3\xb3j\nplik\xff.dan\t"), "DANE/m\xc3\xb3j\\nplik\\xFF.dan\\t");
    EXPECT_EQ(displayName("a\x1b[0m\r"), "a\\x1B[0m\\r");
}

} // namespace
} // namespace lobus::test
