#include "datafiles/trace.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

namespace lobus::test {
namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Trace, RecordLayoutAndRoundTrip)
{
    TempDir dir;
    const std::string path = (dir.path() / Trace::kFileName).string();
    Trace t;
    EXPECT_FALSE(t.isOpen());
    t.write("lost=", 1); // nothing is written before open
    ASSERT_TRUE(t.open(path));
    const float tabpsi[12] = {0, 120, 120, 240, 240, 360, 0, 0, 0, 0, 0, 0};
    t.write("1tabpsi=", std::span<const float>(tabpsi, 12));
    t.write("nrkln=", 2, "ikm=", 3, "pom=", 12.5f, "tabpsi((NrKln-1)*2+2)=", 240.0f);
    t.write("nrcis=", -7);
    const float odd = 0.1f + 1.0e-9f;
    t.write("x=", odd, 1.0e30f, -3.0e-42f);
    EXPECT_EQ(slurp(path), "") << "records wait in the buffer";
    t.close();
    EXPECT_TRUE(t.good());

    std::istringstream lines(slurp(path));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, " 1tabpsi= 0.0 120.0 120.0 240.0 240.0 360.0 0.0 0.0 0.0 0.0 0.0 0.0");
    std::getline(lines, line);
    EXPECT_EQ(line, " nrkln= 2 ikm= 3 pom= 12.5 tabpsi((NrKln-1)*2+2)= 240.0");
    std::getline(lines, line);
    EXPECT_EQ(line, " nrcis= -7");
    std::getline(lines, line);
    // Every REAL gives back the same float.
    std::istringstream values(line.substr(4));
    for (const float expected : {odd, 1.0e30f, -3.0e-42f}) {
        std::string word;
        values >> word;
        float back = 0;
        std::from_chars(word.data(), word.data() + word.size(), back);
        EXPECT_EQ(back, expected) << word;
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST(Trace, FlushesWhenFullAndOnDestruction)
{
    TempDir dir;
    const std::string path = (dir.path() / "wdr.txt").string();
    // Records cross the buffer's end anywhere, and one label is longer than
    // the whole buffer: every byte still reaches the file, in order.
    const std::string longLabel(5000, 'x');
    std::string expected;
    {
        Trace t(4096);
        ASSERT_TRUE(t.open(path));
        for (int j = 1; j <= 1000; ++j) {
            t.write("nrcis=", j, "pom=", 0.5f);
            expected += " nrcis= " + std::to_string(j) + " pom= 0.5\n";
        }
        EXPECT_GT(slurp(path).size(), 4096u / 2) << "a full buffer is written out";
        t.write(longLabel, 7);
        expected += " " + longLabel + " 7\n";
    }
    EXPECT_EQ(slurp(path), expected);

    Trace bad;
    EXPECT_FALSE(bad.open((dir.path() / "no" / "such" / "dir" / "wdr.txt").string()));
    EXPECT_FALSE(bad.isOpen());
    EXPECT_EQ(bad.error(), "No such file or directory");
    // A FIFO without a reader would hold the open for ever.
    const std::string fifo = (dir.path() / "fifo.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(bad.open(fifo));
    EXPECT_EQ(bad.error(), "nie jest zwykłym plikiem (to kolejka FIFO)");
}

// Two programs tracing into one file would interleave their records: the
// file is held by the first until it closes it, and the second neither
// writes nor empties it meanwhile.
TEST(Trace, OneProgramAtATimeHoldsTheFile)
{
    TempDir dir;
    const std::string path = (dir.path() / "wdr.txt").string();
    Trace first(4096);
    ASSERT_TRUE(first.open(path));
    first.write("first=", 1);
    first.flush();
    Trace second(4096);
    EXPECT_FALSE(second.open(path));
    EXPECT_EQ(second.error(), "zbiór jest zapisywany przez inny program");
    EXPECT_EQ(slurp(path), " first= 1\n") << "not emptied by the second";
    first.close();
    ASSERT_TRUE(second.open(path));
    EXPECT_EQ(slurp(path), "") << "emptied once it is free";
}

} // namespace
} // namespace lobus::test
