#include "gui/realfield.h"

#include "drawing/graphics/graphics.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace lobus {

std::optional<double> parseRealField(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    if (first == last)
        return 0.0;

    std::string s(text.substr(first, last - first));
    for (char& c : s) {
        if (c == 'd' || c == 'D')
            c = 'E';
        else if (c == ',')
            c = '.';
    }
    // from_chars rejects a leading '+', which Fortran input accepts.
    std::size_t start = (s[0] == '+') ? 1 : 0;
    if (start == 1 && (s.size() == 1 || s[1] == '+' || s[1] == '-'))
        return std::nullopt;
    double value = 0.0;
    const char* begin = s.data() + start;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string formatRealField(float value, std::string_view format)
{
    std::string text = IREALTOSTRING(value, format);
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace lobus
