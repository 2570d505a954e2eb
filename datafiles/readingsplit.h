#pragma once
// A large result file read by two threads at once: one reads from its start
// and claims the file a step at a time; a helper, once it is free, claims
// the later half of what is left and reads it. Each record belongs to the
// side whose part holds its first byte.

#include "datafiles/readcolumn.h"
#include "datafiles/recordreader.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <future>
#include <mutex>
#include <optional>
#include <string>

namespace lobus {

class ReadingSplit {
public:
    // The reader from the start claims this much of the file at a time.
    static constexpr std::uint64_t kStep = std::uint64_t(1) << 20;
    // A split leaves each side at least this much to read: less is not worth a thread.
    static constexpr std::uint64_t kFewestBytes = std::uint64_t(4) << 20;

    // A file of `bytes`.
    explicit ReadingSplit(std::uint64_t bytes, std::uint64_t step = kStep,
                          std::uint64_t fewest = kFewestBytes)
        : m_bytes(bytes), m_step(step), m_fewest(fewest)
    { }

    // For the reader from the start: whether the record starting at byte
    // `offset` is its own (false: that record and all after it are the helper's).
    bool own(std::uint64_t offset) { return offset < m_limit || claimMore(offset); }
    // For the reader from the start, when it stops (at the end, or giving up):
    // the helper claims nothing after that.
    void finish();
    // Whether the helper has claimed the file from some byte on.
    bool split();

    // For the helper: claims the later half of what the reader from the start
    // has not claimed yet, and gives the byte it starts at; nothing when too
    // little is left or the reader has stopped.
    std::optional<std::uint64_t> claimTail();

private:
    bool claimMore(std::uint64_t offset);

    std::mutex m_mutex;
    const std::uint64_t m_bytes;
    const std::uint64_t m_step;
    const std::uint64_t m_fewest;
    std::uint64_t m_claimed = 0; // the reader from the start reads the records starting before this
    std::optional<std::uint64_t> m_tail;
    bool m_finished = false;
    std::uint64_t m_limit = 0; // the reader's own copy of m_claimed
};

// What the helper read of a file's records of two values from the byte it
// claimed on: each record's values, the first NaN for a record that is not
// two plain numbers (a plain number is never NaN). The helper writes it on
// every record: it keeps to cache lines of its own.
struct alignas(64) FileTail {
    ReadColumn first;
    ReadColumn second;
    std::uint64_t end = 0;   // the bytes the file held
    std::promise<bool> read; // set once the helper has claimed the tail: whether it read all of it
};

// The helper's reading of the records of file `name` that start at byte
// `from` or later, stopped when `givenUp` is set; false when it could not
// read them all as plain records or stops. Reports nothing to the progress.
bool readFileTail(const std::string& name, std::uint64_t from, FileTail& tail,
                  const std::atomic<bool>& givenUp);

// A file's records of two values for the reader from the start: from its
// own reader while they are its own, then from what the helper read of the
// file's tail (null `split`: all from its own reader).
class SplitRecords {
public:
    SplitRecords(RecordReader& reader, ReadingSplit* split, FileTail& tail)
        : m_reader(reader), m_split(split), m_tail(tail)
    { }

    RecordReader::Plain point(float& angle, float& a, float& b)
    {
        if (!m_inTail && !toTail()) {
            const RecordReader::Plain got = m_reader.readPlain({ReadItem::real(a), ReadItem::real(b)});
            angle = a;
            // At the end of the file the helper's part, if any, follows.
            if (got != RecordReader::Plain::End || !m_split || !m_split->split())
                return got;
            waitForTail();
        }
        if (!m_tailRead)
            return RecordReader::Plain::Other;
        if (m_i == m_tail.first.size())
            return RecordReader::Plain::End;
        a = m_tail.first.data()[m_i];
        b = m_tail.second.data()[m_i];
        ++m_i;
        angle = a;
        return std::isnan(a) ? RecordReader::Plain::Other : RecordReader::Plain::Read;
    }

    // False when the file ends first.
    bool skip(int n);

    bool inTail() const { return m_inTail; }

private:
    // Whether the next record is the helper's: then waits for the helper's
    // reading.
    bool toTail();
    void waitForTail();

    RecordReader& m_reader;
    ReadingSplit* m_split;
    FileTail& m_tail;
    bool m_inTail = false;
    bool m_tailRead = false; // the helper read all of the tail
    std::size_t m_i = 0;
};

} // namespace lobus
