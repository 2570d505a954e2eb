// libFuzzer target for the record reader. The input is a script of reads
// followed by the bytes of the file: a byte with the number of reads
// (1 + byte % 24), then two bytes a read (the first: kind = byte % 3 with 0
// skip, 1 read, 2 read with end action, and 1 + byte / 3 % 9 - 1 items; the
// second: bit i set makes item i an INTEGER, else a REAL), then the file.
// The file is read twice, where it lies in memory and as a stream through a
// tiny buffer (records across buffer boundaries, buffer growth), and both
// readings must agree value for value. Every value that arrives must be
// finite. Nothing touches the disk.

#include "datafiles/readerror.h"
#include "datafiles/recordreader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using namespace lobus;

namespace {

struct Op {
    int kind;          // 0 skip, 1 read, 2 read with end action
    std::string items; // 'R' or 'I' per item
};

void append(std::string& log, long n)
{
    char text[24] = {' '};
    const auto end = std::to_chars(text + 1, text + sizeof text, n).ptr;
    log.append(text, static_cast<std::size_t>(end - text));
}

// Runs the script; the outcome of every step, values as their bits.
std::string run(RecordReader& reader, const std::vector<Op>& ops)
{
    std::string log;
    for (const Op& op : ops) {
        float r[8];
        int n[8];
        for (int i = 0; i < 8; ++i) {
            r[i] = -7.25f;
            n[i] = -77;
        }
        ReadItem items[8];
        for (std::size_t i = 0; i < op.items.size(); ++i)
            items[i] = op.items[i] == 'R' ? ReadItem::real(r[i]) : ReadItem::integer(n[i]);
        const std::span<const ReadItem> wanted(items, op.items.size());
        try {
            if (op.kind == 0) {
                reader.skip();
                log += "S";
            } else if (op.kind == 1) {
                reader.read(wanted);
                log += "R";
            } else {
                log += reader.readOrEnd(wanted) ? "R" : "E";
            }
        } catch (const ReadError& e) {
            log += "X";
            append(log, e.number());
            append(log, reader.record());
            break;
        }
        for (std::size_t i = 0; i < op.items.size(); ++i) {
            if (op.items[i] == 'R') {
                if (!std::isfinite(r[i]))
                    __builtin_trap();
                std::uint32_t bits = 0;
                static_assert(sizeof bits == sizeof r[i]);
                __builtin_memcpy(&bits, &r[i], sizeof bits);
                append(log, static_cast<long>(bits));
            } else {
                append(log, n[i]);
            }
        }
        append(log, reader.record());
        log += ';';
    }
    return log;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    std::vector<Op> ops;
    const int count = 1 + next() % 24;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t a = next();
        const std::uint8_t kinds = next();
        Op op;
        op.kind = a % 3;
        const int n = a / 3 % 9;
        for (int k = 0; k < n; ++k)
            op.items += (kinds >> k) & 1 ? 'I' : 'R';
        ops.push_back(op);
    }
    const std::string bytes(reinterpret_cast<const char*>(data) + at, size - at);

    RecordReader fromMemory;
    fromMemory.openMemory("fuzz.txt", bytes);
    const std::string a = run(fromMemory, ops);

    std::string copy = bytes; // fmemopen wants room it may write to
    std::FILE* stream = copy.empty() ? nullptr : fmemopen(copy.data(), copy.size(), "rb");
    if (!stream)
        return 0;
    RecordReader fromStream(16);
    fromStream.openStream("fuzz.txt", stream);
    const std::string b = run(fromStream, ops);
    if (a != b) {
        std::fprintf(stderr, "memory: %s\nstream: %s\n", a.c_str(), b.c_str());
        __builtin_trap();
    }
    return 0;
}
