#pragma once
// The trace file "wdr.txt" on unit 19: one list-directed record per write, a
// label followed by its values, e.g.
//  nrkln= 1 ikm= 3 pom= 12.5 tabpsi((NrKln-1)*2+2)= 60.0
// Every item follows one blank, so a record starts with a blank as
// list-directed output does; a REAL always shows a point or an exponent and as many
// digits as give back the same 32-bit float.
//
// Records collect in a large buffer that is written out when full, at the end
// of each pass (TraceFlush), on close and on destruction: a trace line per
// grid point must not cost a system call, and the file holds every pass that
// ended even when the program is killed. A failed write does not stop
// reading; good() tells whether all was written and error() why not.

#include "datafiles/largememory.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

class Trace {
public:
    static constexpr const char* kFileName = "wdr.txt";

    explicit Trace(std::size_t bufferSize = 1 << 20);
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    // Creates (or empties) the file, held against every other program that
    // opens a trace there until close (datafiles/fileaccess.h openForWriting);
    // false when it cannot. A trace still open is closed first.
    bool open(const std::string& path);
    // Writes into a stream opened elsewhere (the fuzz targets' memory
    // streams); the trace closes it.
    void attach(std::FILE* stream);
    void close();
    bool isOpen() const { return m_file != nullptr; }
    bool good() const { return m_good; }
    // The reason of the first failure, e.g. "No space left on device".
    const std::string& error() const { return m_error; }
    void flush();

    // One record: the items in order. Items are text labels (written as they
    // are), ints, floats, or spans of floats (each element one value).
    template <class... Items> void write(const Items&... items)
    {
        if (!m_file)
            return;
        (add(items), ...);
        *room(1) = '\n';
        ++m_used;
    }

private:
    void add(std::string_view label);
    void add(const char* label) { add(std::string_view(label)); }
    void add(int value);
    void add(float value);
    void add(std::span<const float> values);
    char* room(std::size_t bytes); // where they go: at least that many free in the buffer
    void fail(int error);

    std::FILE* m_file = nullptr;
    std::vector<char, UninitialisedAllocator<char>> m_buffer; // its size is the capacity
    std::size_t m_used = 0;
    // The text of REALs written lately, by their bits: a record repeats
    // values (the wedge's end angle on each of its lines).
    struct WrittenReal {
        std::uint32_t bits = 0;
        std::uint8_t length = 0; // 0: none yet
        char text[31] = {};
    };
    std::array<WrittenReal, 16> m_reals {};
    bool m_good = true;
    std::string m_error;
};

// Flushes a trace when a pass ends, however it ends.
class TraceFlush {
public:
    explicit TraceFlush(Trace* trace) : m_trace(trace) { }
    ~TraceFlush()
    {
        if (m_trace)
            m_trace->flush();
    }
    TraceFlush(const TraceFlush&) = delete;
    TraceFlush& operator=(const TraceFlush&) = delete;

private:
    Trace* m_trace;
};

} // namespace lobus
