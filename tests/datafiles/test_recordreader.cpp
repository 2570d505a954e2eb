#include "datafiles/readreport.h"
#include "datafiles/recordreader.h"
#include "numbers/numberparse.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace lobus::test {
namespace {

using R = ReadItem;

// Reads `n` REALs, each starting at `fill`, from the reader's next read.
std::vector<float> reals(RecordReader& r, int n, float fill = -1.0f)
{
    std::vector<float> v(static_cast<std::size_t>(n), fill);
    std::vector<ReadItem> items;
    for (auto& x : v)
        items.push_back(R::real(x));
    r.read(items);
    return v;
}

ReadError readFailure(RecordReader& r, int n)
{
    try {
        reals(r, n);
    } catch (const ReadError& e) {
        return e;
    }
    ADD_FAILURE() << "the read did not fail";
    return ReadError(ReadErrorKind::OpenFailed, 0, "");
}

using V = std::vector<float>;

TEST(RecordReader, SeparatorsAndRecordBoundaries)
{
    RecordReader r;
    r.openMemory("sep.txt",
                 "1 2\t3,4 , 5\n"   // blanks, tabs, a comma with blanks around it
                 "10.0, 2.5 7\n"    // one value from a line: the rest is lost
                 "a b c\n"          // skipped, never decoded
                 "1 2 3 4\n5 6 7\n" // six values over two records: 7 is lost
                 "\n\n8\n9\n"       // blank records are passed over by a read
                 "\n"               // a skip consumes an empty line
                 "11 12");          // the last record needs no LF
    EXPECT_EQ(reals(r, 5), (V {1, 2, 3, 4, 5}));
    EXPECT_EQ(reals(r, 1), (V {10.0f}));
    r.skip();
    EXPECT_EQ(reals(r, 6), (V {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(reals(r, 1), (V {8}));
    EXPECT_EQ(r.record(), 8);
    EXPECT_EQ(reals(r, 1), (V {9}));
    r.skip();
    EXPECT_EQ(reals(r, 2), (V {11, 12}));
    EXPECT_EQ(readFailure(r, 1).kind(), ReadErrorKind::EndOfFile);
}

TEST(RecordReader, RepeatNullAndSlash)
{
    RecordReader r;
    r.openMemory("rep.txt",
                 "3*120.0 5\n"  // three values from one repeat
                 "1,,2,3\n"     // empty field between commas: a null
                 ",1,2,3\n"     // a comma opening the read: a null
                 "1,\n,2,3\n"   // comma, end of record, comma: a null
                 "1\n,2,3,4\n"  // a comma after a value on the next record: no null
                 "3*\n5\n"      // r* alone: r nulls
                 "2*5 /\n"      // slash ends the read, the rest keeps its value
                 "1/ 2\n"       // the rest of the record after a slash is ignored
                 "3* 5\n"       // r* then a separate value
                 "1,2 ,, 3\n"   // comma, blank, comma: a null
                 "3*,5\n"       // the comma after r* is its separator
                 "\n,1,2,3\n"); // only the read's first record opens with a null comma
    EXPECT_EQ(reals(r, 4), (V {120, 120, 120, 5}));
    EXPECT_EQ(reals(r, 4), (V {1, -1, 2, 3}));
    EXPECT_EQ(reals(r, 4), (V {-1, 1, 2, 3}));
    EXPECT_EQ(reals(r, 4), (V {1, -1, 2, 3}));
    EXPECT_EQ(reals(r, 4), (V {1, 2, 3, 4}));
    EXPECT_EQ(reals(r, 4), (V {-1, -1, -1, 5}));
    EXPECT_EQ(reals(r, 4), (V {5, 5, -1, -1}));
    EXPECT_EQ(reals(r, 4), (V {1, -1, -1, -1}));
    EXPECT_EQ(r.record(), 11);
    EXPECT_EQ(reals(r, 4), (V {-1, -1, -1, 5}));
    EXPECT_EQ(reals(r, 4), (V {1, 2, -1, 3}));
    EXPECT_EQ(reals(r, 4), (V {-1, -1, -1, 5}));
    EXPECT_EQ(reals(r, 3), (V {1, 2, 3}));
}

TEST(RecordReader, MixedItemsAndIntegerRepeat)
{
    RecordReader r;
    r.openMemory("mix.txt", "3*\n45 2*1.0\n2*5 7.5\n");
    int i = -1;
    float a = -1, b = -1;
    r.read({R::integer(i), R::real(a), R::real(b)});
    EXPECT_EQ(i, -1) << "null repeats serve items of any type";
    EXPECT_EQ(a, -1.0f);
    r.read({R::integer(i), R::real(a), R::real(b)});
    EXPECT_EQ(i, 45);
    EXPECT_EQ(b, 1.0f);
    // One repeated value does not serve an INTEGER and a REAL alike.
    EXPECT_THROW(r.read({R::integer(i), R::real(a), R::real(b)}), ReadError);
}

TEST(RecordReader, CrLfAndDosEndOfFile)
{
    RecordReader r;
    r.openMemory("dos.txt", "Nagłówek \xb3\xf3\xbf\r\n1.5 2.5\r\n\r\n3\r\n\x1a");
    r.skip();
    EXPECT_EQ(reals(r, 2), (V {1.5f, 2.5f}));
    r.skip();
    EXPECT_EQ(reals(r, 1), (V {3}));
    float x = 0;
    EXPECT_FALSE(r.readOrEnd({R::real(x)})) << "0x1A at the end is the end of the file";
    EXPECT_THROW(r.skip(), ReadError);

    r.openMemory("dos2.txt", "4 5\x1a");
    EXPECT_EQ(reals(r, 2), (V {4, 5}));
    EXPECT_THROW(r.skip(), ReadError);
}

TEST(RecordReader, EndActionKeepsWhatWasRead)
{
    RecordReader r;
    r.openMemory("end.txt", "1\n");
    float a = -1, b = -1;
    EXPECT_FALSE(r.readOrEnd({R::real(a), R::real(b)}));
    EXPECT_EQ(a, 1.0f);
    EXPECT_EQ(b, -1.0f);
    EXPECT_FALSE(r.readOrEnd({R::real(a)}));
    EXPECT_EQ(readFailure(r, 1).kind(), ReadErrorKind::EndOfFile);

    // A last record without its line end is a whole record, nulls included.
    r.openMemory("end2.txt", "1 2*");
    EXPECT_EQ(reals(r, 3), (V {1, -1, -1}));
}

TEST(RecordReader, ReadWithNoItemsConsumesOneRecord)
{
    RecordReader r;
    r.openMemory("zero.txt", "junk that is not a number\n7\n");
    r.read(std::span<const ReadItem>());
    EXPECT_EQ(reals(r, 1), (V {7}));
    EXPECT_FALSE(r.readOrEnd(std::span<const ReadItem>()));
}

TEST(RecordReader, BadValuesGiveNumberedReports)
{
    RecordReader r;
    r.openMemory("/p/WYN/bad.cis", "h\n1.0 abc\n");
    r.skip();
    const ReadError e = readFailure(r, 2);
    EXPECT_EQ(e.kind(), ReadErrorKind::BadReal);
    const std::string report = e.report();
    EXPECT_EQ(report.rfind("Error #" + std::to_string(readErrorNumber(ReadErrorKind::BadReal)), 0), 0u)
        << report;
    EXPECT_NE(report.find("FILE=/p/WYN/bad.cis, UNIT=1"), std::string::npos) << report;
    EXPECT_NE(report.find("RECORD=2"), std::string::npos) << report;
    EXPECT_NE(report.find("'abc'"), std::string::npos) << report;

    for (const char* text : {"nan\n", "Inf\n", "1e39\n", "0*5\n", "1 e5\n"}) {
        r.openMemory("x", text);
        EXPECT_EQ(readFailure(r, 2).kind(), ReadErrorKind::BadReal) << text;
    }
    for (const char* text : {"45.0\n", "3.\n", "45e0\n", "2147483648\n", "-99999999999\n"}) {
        r.openMemory("x", text);
        int i = 0;
        try {
            r.read({R::integer(i)});
            ADD_FAILURE() << text;
        } catch (const ReadError& err) {
            EXPECT_EQ(err.kind(), ReadErrorKind::BadInteger) << text;
        }
    }
    const std::string binary("\xff\x01\x02 1\n", 6);
    r.openMemory("bin", binary);
    const std::string binReport = readFailure(r, 1).report();
    EXPECT_NE(binReport.find("'\?\?\?'"), std::string::npos) << binReport;
}

TEST(RecordReader, OpenFailureAndEndOfFileReports)
{
    TempDir dir;
    RecordReader r;
    try {
        r.open((dir.path() / "missing.dan").string());
        FAIL();
    } catch (const ReadError& e) {
        EXPECT_EQ(e.kind(), ReadErrorKind::OpenFailed);
        EXPECT_NE(e.report().find("missing.dan, UNIT=1"), std::string::npos);
        EXPECT_NE(e.report().find("No such file or directory"), std::string::npos) << e.report();
        EXPECT_EQ(e.report().find("RECORD="), std::string::npos);
    }
    // Only a regular file is read: a directory, a device whose reads never
    // end, a FIFO whose open or read would wait for a writer.
    const std::string fifo = (dir.path() / "fifo.cis").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::pair<std::string, std::string>> refused {{dir.path().string(), "(to katalog)"},
                                                              {fifo, "(to kolejka FIFO)"}};
    // A device of the test's own (the kind of /dev/zero), where one can be made.
    const std::string zero = (dir.path() / "zero.cis").string();
    if (::mknod(zero.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0)
        refused.emplace_back(zero, "(to urządzenie)");
    for (const auto& [name, kind] : refused) {
        try {
            r.open(name);
            ADD_FAILURE() << name;
        } catch (const ReadError& e) {
            EXPECT_EQ(e.kind(), ReadErrorKind::OpenFailed);
            EXPECT_NE(e.report().find("nie jest zwykłym plikiem " + kind), std::string::npos) << e.report();
        }
    }

    r.openMemory("short.dan", "a\nb\n");
    try {
        r.skip(3);
        FAIL();
    } catch (const ReadError& e) {
        EXPECT_EQ(e.kind(), ReadErrorKind::EndOfFile);
        EXPECT_NE(e.report().find("RECORD=3"), std::string::npos) << e.report();
    }
}

TEST(RecordReader, SmallBufferGivesTheSameRecords)
{
    // Records across buffer boundaries, a record longer than the buffer in a
    // skip and in a read, and a trailing 0x1A split from its record.
    std::string text = "head\r\n";
    std::string longSkipped(300, 'x');
    std::string longRead;
    for (int i = 0; i < 60; ++i)
        longRead += "  " + std::to_string(i) + ".5";
    text += longSkipped + "\n" + longRead + "\n";
    for (int i = 0; i < 200; ++i)
        text += std::to_string(i) + " " + std::to_string(i * 2) + ".25\r\n";
    text += "\x1a";

    TempDir dir;
    const std::string path = dir.write("big.cis", text);
    for (std::size_t size : {16, 17, 31, 64, 4096}) {
        RecordReader r(size);
        r.open(path);
        r.skip(2);
        const V first = reals(r, 3);
        EXPECT_EQ(first, (V {0.5f, 1.5f, 2.5f})) << size;
        for (int i = 0; i < 200; ++i) {
            float a = 0, b = 0;
            ASSERT_TRUE(r.readOrEnd({R::real(a), R::real(b)})) << size << " line " << i;
            ASSERT_EQ(a, static_cast<float>(i));
            ASSERT_EQ(b, static_cast<float>(i * 2) + 0.25f);
        }
        float z = 0;
        EXPECT_FALSE(r.readOrEnd({R::real(z)})) << size;
        EXPECT_EQ(r.record(), 203);
    }
}

// Whatever road a token takes through the reader, a REAL is the correctly
// rounded value of its text and an INTEGER its exact value: random plain
// numbers of 1 to 21 digits and exponents on both sides of the float range,
// numbers exactly halfway between two REALs and a hair either side of
// halfway (where rounding twice goes wrong), other written forms beside them.
TEST(RecordReader, EveryRealIsTheCorrectlyRoundedValueOfItsText)
{
    std::mt19937_64 random(20261208);
    std::vector<std::string> tokens;
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 21);
        std::string t;
        if (random() % 4 == 0)
            t.push_back(random() % 2 ? '-' : '+');
        std::string mantissa;
        for (int d = 0; d < digits; ++d)
            mantissa += static_cast<char>('0' + random() % 10);
        mantissa.insert(random() % (mantissa.size() + 1), 1, '.');
        t += mantissa;
        if (random() % 2 == 0) {
            t.push_back(random() % 2 ? 'E' : 'e');
            t += std::to_string(static_cast<int>(random() % 63) - 45);
        }
        tokens.push_back(t);
    }
    for (int i = 0; i < 3000; ++i) {
        // Halfway between a random REAL and the next, in 17 to 30 digits.
        std::uint32_t bits = static_cast<std::uint32_t>(random() % 0x7F000000u) + 0x00800000u;
        float low = 0.0f;
        std::memcpy(&low, &bits, sizeof low);
        const double half = 0.5
            * (static_cast<double>(low)
               + static_cast<double>(std::nextafter(low, std::numeric_limits<float>::max())));
        char text[64];
        std::snprintf(text, sizeof text, "%.*e", 16 + static_cast<int>(random() % 14), half);
        tokens.push_back(text);
        for (const char* fmt : {"%.17e", "%.18e", "%.15e"}) {
            std::snprintf(text, sizeof text, fmt, std::nextafter(half, random() % 2 ? 0.0 : 1e300));
            tokens.push_back(text);
        }
    }
    for (const char* t :
         {"5.", ".5", "-0", "+0.0e5", "1.5-1", "1.0D2", "2.5q-1", "1e-50", "3.4e38", "0e9999"})
        tokens.push_back(t);

    std::string text = "naglowek\n";
    for (std::size_t i = 0; i < tokens.size(); ++i)
        text += tokens[i] + (i % 3 == 0 ? "\n" : (i % 3 == 1 ? " , " : "  "));
    text += "\n";
    RecordReader r;
    r.openMemory("numbers.txt", text);
    r.skip();
    std::vector<float> got(tokens.size());
    std::vector<ReadItem> items;
    for (float& v : got)
        items.push_back(R::real(v));
    r.read(items);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        float want = -1.0f;
        ASSERT_EQ(parseReal(tokens[i], want), NumberStatus::Ok) << tokens[i];
        float exact = 0.0f;
        const std::string plain = tokens[i][0] == '+' ? tokens[i].substr(1) : tokens[i];
        if (std::from_chars(plain.data(), plain.data() + plain.size(), exact).ptr
            == plain.data() + plain.size()) {
            EXPECT_EQ(want, exact) << tokens[i];
        }
        EXPECT_EQ(std::memcmp(&got[i], &want, sizeof want), 0) << tokens[i] << " read as " << got[i];
    }

    RecordReader ints;
    ints.openMemory("ints.txt", "7 -12 +0 000000000123 999999999 -2147483648 2147483647\n");
    int v[7] = {};
    ints.read({R::integer(v[0]), R::integer(v[1]), R::integer(v[2]), R::integer(v[3]), R::integer(v[4]),
               R::integer(v[5]), R::integer(v[6])});
    EXPECT_EQ(std::vector<int>(v, v + 7),
              (std::vector<int> {7, -12, 0, 123, 999999999, -2147483647 - 1, 2147483647}));
}

} // namespace
} // namespace lobus::test
