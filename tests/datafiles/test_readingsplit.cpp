#include "datafiles/memoryfiles.h"
#include "datafiles/passes.h"
#include "datafiles/readingsplit.h"
#include "tests/support/cases.h"
#include "tests/support/scriptedui.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace lobus::test {
namespace {

// What a record held: two plain numbers, or (0, 0) for anything else.
using Record = std::tuple<RecordReader::Plain, float, float>;

// The records `next` gives up to the end (at most 100).
template <class Next> std::vector<Record> records(Next next)
{
    std::vector<Record> out;
    while (out.size() < 100) {
        float a = 0.0f;
        float b = 0.0f;
        const RecordReader::Plain got = next(a, b);
        if (got == RecordReader::Plain::End)
            return out;
        out.emplace_back(got, got == RecordReader::Plain::Read ? a : 0.0f,
                         got == RecordReader::Plain::Read ? b : 0.0f);
    }
    return out;
}

} // namespace

// Read by two threads, a file gives the records one reader gives, in order,
// wherever the helper's part begins: a record is read by the part that holds
// its first byte, whatever its line end, and the DOS end mark stays unread.
TEST(ReadingSplit, GivesTheRecordsOfOneReaderWhereverItSplits)
{
    TempDir dir;
    const std::string texts[] = {" header\n 1.5 2.5\n 2.5 3.5\n x y\n\n 4 5\n 6.25 7",
                                 " header\r\n 1.5 2.5\r\n\r\n 3 4\r\n 5 6\r\n\x1a", " header\n 1 2\n"};
    for (const std::string& text : texts) {
        const std::string name = dir.write("f.cis", text);
        RecordReader whole;
        whole.open(name);
        whole.skip(1);
        const auto want = records([&](float& a, float& b) {
            return whole.readPlain({ReadItem::real(a), ReadItem::real(b)});
        });
        for (std::uint64_t from = 1; from <= text.size(); ++from) {
            SCOPED_TRACE(from);
            ReadingSplit halves(2 * from, 1, 0);
            ASSERT_EQ(halves.claimTail(), from);
            FileTail tail;
            const std::atomic<bool> givenUp {false};
            tail.read.set_value(readFileTail(name, from, tail, givenUp));
            RecordReader reader;
            reader.open(name);
            SplitRecords split(reader, &halves, tail);
            ASSERT_TRUE(split.skip(1));
            float angle = 0.0f;
            EXPECT_EQ(records([&](float& a, float& b) { return split.point(angle, a, b); }), want);
        }
    }
}

// A case in memory is its reading thread's alone: a large pressure file in
// memory is not shared with a thread that would find the disk's.
TEST(ReadingSplit, ACaseInMemoryIsReadFromMemory)
{
    TempDir dir;
    const CaseText text = caseText(evenCase("M", 6, 50000));
    const std::string dan = writeCase(dir.path(), text).string();
    const std::string wyn = (dir.path() / "WYN" / "M").string();
    MemoryFiles files;
    files.put(dan, text.dan);
    files.put(wyn + ".cis", text.cis);
    files.put(wyn + ".cha", text.cha);
    // The disk's pressure file holds other values from its second half on.
    std::string other = text.cis;
    std::replace(other.begin() + static_cast<std::ptrdiff_t>(other.size() / 2), other.end(), '1', '2');
    dir.write("WYN/M.cis", other);
    const auto read = [&](Case& c) {
        c.dane.variant = kVariantMerant;
        RYSUJ r;
        ScriptedUi ui;
        CaseFiles found;
        int ilkat = 0;
        return readInOnePass(dan, c, r, ui, found, ilkat);
    };
    setThreadMemoryFiles(&files);
    Case memory;
    const bool read1 = read(memory);
    setThreadMemoryFiles(nullptr);
    ASSERT_TRUE(read1);
    dir.write("WYN/M.cis", text.cis);
    Case disk;
    ASSERT_TRUE(read(disk));
    ASSERT_EQ(memory.results.cis.cols(), disk.results.cis.cols());
    for (int k = 1; k <= 6; ++k)
        for (int j = 1; j <= disk.results.cis.cols(); ++j)
            ASSERT_EQ(memory.results.cis(k, j), disk.results.cis(k, j)) << k << "," << j;
}

} // namespace lobus::test
