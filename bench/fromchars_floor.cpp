// The floor a reader of result files is measured against: every number of
// the named files read by std::from_chars on one thread, through a fixed
// buffer refilled by fread, a line's numbers until the first that is not one
// (header lines end at once). Prints the CPU seconds it took and the bytes.
//
// usage: fromchars_floor FILE...

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
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
        std::size_t kept = 0;
        for (;;) {
            const std::size_t n = std::fread(buffer.data() + kept, 1, buffer.size() - kept, f);
            bytes += static_cast<long long>(n);
            const char* p = buffer.data();
            const char* end = p + kept + n;
            for (;;) {
                const char* eol
                    = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                if (!eol && n != 0)
                    break;
                const char* lineEnd = eol ? eol : end;
                const char* q = p;
                for (;;) {
                    while (q < lineEnd && (*q == ' ' || *q == '\t' || *q == '\r'))
                        ++q;
                    float x = 0.0f;
                    const auto r = std::from_chars(q, lineEnd, x);
                    if (r.ec != std::errc())
                        break;
                    q = r.ptr;
                    sum += x;
                }
                if (!eol)
                    break;
                p = eol + 1;
            }
            kept = static_cast<std::size_t>(end - p);
            std::memmove(buffer.data(), p, kept);
            if (n == 0)
                break;
        }
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
