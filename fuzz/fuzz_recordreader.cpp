// libFuzzer target for the record reader. The input is a script of reads
// followed by the bytes of the file. The file is read twice, from memory and
// from a real file through a tiny buffer (records across buffer boundaries,
// buffer growth), and both readings must agree value for value. Every value
// that arrives must be finite.

#include "datafiles/readerror.h"
#include "datafiles/recordreader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace lobus;

namespace {

struct Op {
    int kind;          // 0 skip, 1 read, 2 read with end action
    std::string items; // 'R' or 'I' per item
};

// Runs the script; the outcome of every step, values as text.
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
        std::vector<ReadItem> items;
        for (std::size_t i = 0; i < op.items.size(); ++i)
            items.push_back(op.items[i] == 'R' ? ReadItem::real(r[i]) : ReadItem::integer(n[i]));
        try {
            if (op.kind == 0) {
                reader.skip();
                log += "S";
            } else if (op.kind == 1) {
                reader.read(items);
                log += "R";
            } else {
                log += reader.readOrEnd(items) ? "R" : "E";
            }
        } catch (const ReadError& e) {
            log += "X" + std::to_string(e.number()) + "@" + std::to_string(reader.record()) + ";";
            break;
        }
        for (std::size_t i = 0; i < op.items.size(); ++i) {
            if (op.items[i] == 'R') {
                if (!std::isfinite(r[i]))
                    __builtin_trap();
                log += " " + std::to_string(r[i]);
            } else {
                log += " " + std::to_string(n[i]);
            }
        }
        log += "@" + std::to_string(reader.record()) + ";";
    }
    return log;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider fdp(data, size);
    std::vector<Op> ops;
    const int count = fdp.ConsumeIntegralInRange<int>(1, 24);
    for (int i = 0; i < count; ++i) {
        Op op;
        op.kind = fdp.ConsumeIntegralInRange<int>(0, 2);
        const int n = fdp.ConsumeIntegralInRange<int>(0, 8);
        const std::uint8_t kinds = fdp.ConsumeIntegral<std::uint8_t>();
        for (int k = 0; k < n; ++k)
            op.items += (kinds >> k) & 1 ? 'I' : 'R';
        ops.push_back(op);
    }
    const std::string bytes = fdp.ConsumeRemainingBytesAsString();

    RecordReader fromMemory;
    fromMemory.openMemory("fuzz.txt", bytes);
    const std::string a = run(fromMemory, ops);

    static const std::string path = "/tmp/lobus-fuzz-reader-" + std::to_string(::getpid()) + ".txt";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        RecordReader fromFile(16);
        fromFile.open(path);
        const std::string b = run(fromFile, ops);
        if (a != b) {
            std::fprintf(stderr, "memory: %s\nfile:   %s\n", a.c_str(), b.c_str());
            __builtin_trap();
        }
    }
    return 0;
}
