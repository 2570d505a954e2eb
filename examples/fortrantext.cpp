#include "examples/fortrantext.h"

#include "numbers/numberparse.h"
#include "numbers/numbertext.h"

#include <stdexcept>

namespace lobus::casegen {

std::string fortranE(double v, int digits)
{
    // The solvers write a zero without its sign.
    return lobus::fortranE(v == 0.0 ? 0.0 : v, digits);
}

std::string fixed(double v, int decimals)
{
    std::string s = fixedText(v, decimals);
    // A rounded negative zero reads as zero; write it so.
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string fixedReal(float v, int decimals)
{
    std::string s = fixed(v, decimals);
    for (int d = decimals + 1; d <= 12 && asReal(s) != v; ++d)
        s = fixed(v, d);
    return s;
}

float asReal(const std::string& text)
{
    float v = 0.0f;
    if (parseReal(text, v) != NumberStatus::Ok)
        throw std::logic_error("not a number: " + text);
    return v;
}

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace lobus::casegen
