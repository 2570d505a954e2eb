#include "numbers/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace lobus {

namespace {

// to_chars writes a NaN with its sign bit as "-nan"; a NaN has no sign to show.
char* withoutNanSign(char* first, char* end)
{
    if (end - first == 4 && first[0] == '-' && first[1] == 'n') {
        std::copy(first + 1, end, first);
        --end;
    }
    return end;
}

char* pointed(char* first, char* end)
{
    for (const char* p = first; p < end; ++p)
        if (*p != '-' && (*p < '0' || *p > '9'))
            return end;
    *end++ = '.';
    *end++ = '0';
    return end;
}

template <class T> std::string shortest(T v, bool point)
{
    char buffer[kShortestChars];
    char* end = withoutNanSign(buffer, std::to_chars(buffer, buffer + sizeof buffer - 2, v).ptr);
    if (point)
        end = pointed(buffer, end);
    return std::string(buffer, end);
}

// The text of `v` with `decimals` places, ties to even, as printf's "%.*f".
std::string fixedToEven(double v, int decimals)
{
    // The integer part of a double has at most 309 digits.
    const std::size_t room = static_cast<std::size_t>(decimals) + 320;
    char local[400];
    std::string heap;
    char* first = local;
    if (room > sizeof local) {
        heap.resize(room);
        first = heap.data();
    }
    char* end = std::to_chars(first, first + room, v, std::chars_format::fixed, decimals).ptr;
    return std::string(first, withoutNanSign(first, end));
}

// True when `v` lies exactly halfway between two texts of `decimals` places:
// its exact decimal expansion ends with a 5 in the place after the last one.
bool exactTie(double v, int decimals)
{
    const std::string next = fixedToEven(v, decimals + 1);
    if (next.back() != '5')
        return false;
    // A double's exact expansion has at most 1074 decimals.
    const std::string exact = fixedToEven(v, 1074);
    const std::size_t point = exact.find('.');
    const std::size_t last = exact.find_last_not_of('0');
    return point != std::string::npos && last == point + static_cast<std::size_t>(decimals) + 1;
}

} // namespace

char* shortestChars(char* first, float v)
{
    return withoutNanSign(first, std::to_chars(first, first + kShortestChars - 2, v).ptr);
}

char* realChars(char* first, float v) { return pointed(first, shortestChars(first, v)); }

std::string shortestText(float v) { return shortest(v, false); }

std::string shortestText(double v) { return shortest(v, false); }

std::string realText(double v) { return shortest(v, true); }

std::string fixedText(double v, int decimals, Ties ties)
{
    decimals = std::max(decimals, 0);
    if (ties == Ties::AwayFromZero && v == 0.0)
        v = 0.0;
    else if (ties == Ties::AwayFromZero && std::isfinite(v) && exactTie(v, decimals))
        v = std::nextafter(v, std::copysign(std::numeric_limits<double>::infinity(), v));
    return fixedToEven(v, decimals);
}

} // namespace lobus
