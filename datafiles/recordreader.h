#pragma once
// The record reader on unit 1: one solver file, read record by record with
// the list-directed rules of the solver's Fortran reads.
//
// - A record ends at LF or CR LF; a DOS end-of-file byte (0x1A) as the last
//   byte of the file ends the file. Skipped records are never decoded.
// - Values are separated by blanks, tabs or a comma (blanks around a comma
//   belong to it). A read takes its values from as many records as it needs
//   (blank records included) and drops the rest of the last record used.
// - r*c repeats c r times; a null (r*, two commas in a row, a comma that
//   opens the read) leaves its variable as it was; a slash ends the read.
// - Failures raise ReadError with the numbered report naming file, unit and
//   record.
//
// The file goes through one fixed buffer that is reused from record to record;
// it only grows for a single record longer than itself. Bytes held in memory
// are read where they lie.

#include "datafiles/largememory.h"
#include "datafiles/readerror.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

// One variable of a read: a REAL or an INTEGER, written only when a value
// (not a null) arrives for it.
struct ReadItem {
    enum class Kind : unsigned char { Real, Integer };
    Kind kind;
    void* target;

    static ReadItem real(float& v) { return {Kind::Real, &v}; }
    static ReadItem integer(int& v) { return {Kind::Integer, &v}; }
};

class RecordReader {
public:
    static constexpr int kUnit = 1;
    static constexpr std::size_t kDefaultBuffer = 512 * 1024;

    explicit RecordReader(std::size_t bufferSize = kDefaultBuffer);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // Connects the named file (UTF-8 name) from its first record; closes any
    // file still connected. Raises ReadError (open failure) when it cannot.
    // A thread with files in memory (datafiles/memoryfiles.h) finds the name
    // among them, or nowhere.
    void open(const std::string& path);
    // Connects a stream already open for binary reading, as the file `name`;
    // the reader closes it. Its reads go through the reader's own buffer, as
    // a file's do.
    void openStream(const std::string& name, std::FILE* stream);
    // Connects bytes held in memory as if they were the file `name`. The bytes
    // must outlive the connection.
    void openMemory(const std::string& name, std::string_view bytes);
    void close();
    bool isOpen() const { return m_open; }

    // Consumes `n` records whatever they hold; end of file is an error.
    void skip(int n = 1);

    // While `sink` is set (null: never), every record a skip consumes is
    // appended to it: its bytes without the line end, or nothing for a record
    // longer than the buffer. What a reader keeps of the header records above
    // a read; the reading itself is the same with or without.
    void keepSkipped(std::vector<std::string>* sink) { m_kept = sink; }

    // A list-directed read of `items`; end of file is an error. A read of no
    // items consumes one record.
    void read(std::span<const ReadItem> items);
    void read(std::initializer_list<ReadItem> items) { read(std::span(items.begin(), items.size())); }

    // The same with an end action: returns false when the end of the file
    // came before the read was satisfied (variables already given values keep them).
    bool readOrEnd(std::span<const ReadItem> items);
    bool readOrEnd(std::initializer_list<ReadItem> items)
    {
        return readOrEnd(std::span(items.begin(), items.size()));
    }

    // What readPlain found.
    enum class Plain : unsigned char {
        Read,  // the record held the values, stored
        End,   // the end of the file, nothing consumed
        Other, // the record holds something else: consumed, the variables
               // may hold some of its values; a read() would decide
    };
    // The next record when it holds exactly the values of `items`, each a
    // plain number (digits, a point, an exponent E) between blanks: no comma,
    // null, repeat or slash, nothing before or after them. The quick way
    // through a file whose point records are all alike; what it stores is
    // what read() stores from such a record.
    Plain readPlain(std::span<const ReadItem> items);
    Plain readPlain(std::initializer_list<ReadItem> items)
    {
        return readPlain(std::span(items.begin(), items.size()));
    }

    // Consumes one record and returns how many values a read would take from
    // it: a null counts, r*c counts r, a slash ends the count; at most `limit`.
    // The values are not decoded. End of file is an error.
    long countValues(long limit);

    // Records consumed so far: the number of the record a failure is reported at.
    long record() const { return m_record; }

    // The byte of the file the next record starts at.
    std::uint64_t offset() const { return m_base + m_pos; }
    // The bytes read from the file into the buffer so far (those reported to
    // the thread's progress), up to where it was moved to first.
    std::uint64_t fetched() const { return m_memory ? 0 : m_base + m_end; }
    // Moves a reader just connected to byte `offset` of its file; the next
    // record starts there. Raises ReadError when the file cannot be moved in.
    void moveTo(std::uint64_t offset);

    // Raises the subscript-range report for an index error while storing what
    // the last read gave, naming this file and the current record.
    [[noreturn]] void raiseSubscript(const SubscriptRangeError& e) const;
    [[noreturn]] void raiseSubscript(const std::string& what) const;

private:
    bool nextRecord(const char*& begin, const char*& end);
    bool skipRecord();
    void keepRecord(const char* begin, const char* end);
    bool fill(bool grow);
    bool readItems(std::span<const ReadItem> items, bool endAllowed);
    void store(const ReadItem& item, std::string_view token, int itemNumber) const;
    [[noreturn]] void raise(ReadErrorKind kind, std::string_view detail, long record) const;

    std::size_t m_bufferSize;
    std::vector<char, UninitialisedAllocator<char>> m_buffer; // empty until a file is read from a stream
    const char* m_data = nullptr;                             // the buffer, or the bytes of an in-memory file
    std::size_t m_pos = 0;                                    // first byte not yet consumed
    std::size_t m_end = 0;                                    // end of the bytes available
    std::size_t m_scanned = 0;                                // bytes from m_pos known to hold no LF
    std::uint64_t m_base = 0;                                 // the byte of the file at m_data[0]
    std::FILE* m_file = nullptr;
    bool m_open = false;
    bool m_memory = false;  // m_data is an in-memory file
    bool m_eof = false;     // no bytes left beyond m_end
    bool m_dropped = false; // a skip dropped the start of the record it consumes
    std::string m_name;
    long m_record = 0;
    std::vector<std::string>* m_kept = nullptr;
};

} // namespace lobus
