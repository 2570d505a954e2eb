#pragma once
// The plain reader the floors are built on: a file read through a fixed
// buffer refilled by fread, handed over a line at a time with no copy, and
// the numbers that open a line read by std::from_chars.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace lobus::bench {

// Calls onLine(begin, end) for every line of `f`, without its '\n', the last
// line also when nothing ends it (an empty one at the end of a file that ends
// in '\n'). A line longer than `buffer` ends the reading. Returns the bytes
// read. A template so that the line's work inlines into the loop, as it
// would in a hand-written reader.
template <class OnLine> std::uintmax_t scanLines(std::FILE* f, std::vector<char>& buffer, OnLine&& onLine)
{
    std::uintmax_t bytes = 0;
    std::size_t kept = 0;
    for (;;) {
        const std::size_t n = std::fread(buffer.data() + kept, 1, buffer.size() - kept, f);
        bytes += n;
        const char* p = buffer.data();
        const char* end = p + kept + n;
        for (;;) {
            const char* eol
                = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!eol && n != 0)
                break;
            onLine(p, eol ? eol : end);
            if (!eol)
                break;
            p = eol + 1;
        }
        kept = static_cast<std::size_t>(end - p);
        std::memmove(buffer.data(), p, kept);
        if (n == 0)
            break;
    }
    return bytes;
}

// Adds to `sum` the numbers that open [q, end), at most `most`, each after
// blanks (spaces and tabs, carriage returns too when `crIsBlank`), up to the
// first that is not a number.
inline void sumLeadingNumbers(const char* q, const char* end, int most, bool crIsBlank, double& sum)
{
    for (int i = 0; i < most; ++i) {
        while (q < end && (*q == ' ' || *q == '\t' || (crIsBlank && *q == '\r')))
            ++q;
        float x = 0.0f;
        const auto r = std::from_chars(q, end, x);
        if (r.ec != std::errc())
            break;
        q = r.ptr;
        sum += x;
    }
}

} // namespace lobus::bench
