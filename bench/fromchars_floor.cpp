// The floor a reader of result files is measured against: every number of
// the named files read by std::from_chars on one thread, through a fixed
// buffer refilled by fread, a line's numbers until the first that is not one
// (header lines end at once). Prints the CPU seconds it took and the bytes.
//
// usage: fromchars_floor FILE...

#include "bench/linescan.h"

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace {

double cpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + 1e-6 * double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

} // namespace

int main(int argc, char** argv)
{
    const double start = cpuSeconds();
    std::vector<char> buffer(1 << 16);
    double sum = 0.0;
    long long bytes = 0;
    for (int i = 1; i < argc; ++i) {
        std::FILE* f = std::fopen(argv[i], "rb");
        if (!f) {
            std::fprintf(stderr, "cannot open %s\n", argv[i]);
            return 1;
        }
        bytes += static_cast<long long>(
            lobus::bench::scanLines(f, buffer, [&sum](const char* line, const char* lineEnd) {
                lobus::bench::sumLeadingNumbers(line, lineEnd, std::numeric_limits<int>::max(), true, sum);
            }));
        std::fclose(f);
    }
    char text[128];
    char* at = text;
    const auto put = [&](const char* s) { at = std::copy(s, s + std::strlen(s), at); };
    put("{\"cpu_seconds\": ");
    at = std::to_chars(at, text + sizeof text, cpuSeconds() - start, std::chars_format::fixed, 3).ptr;
    put(", \"bytes\": ");
    at = std::to_chars(at, text + sizeof text, bytes).ptr;
    put(", \"checksum\": ");
    at = std::to_chars(at, text + sizeof text, sum, std::chars_format::general, 6).ptr;
    put("}\n");
    std::fwrite(text, 1, static_cast<std::size_t>(at - text), stdout);
    return 0;
}
