#include "examples/fortrantext.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace lobus::casegen {

std::string fortranE(double v, int digits)
{
    if (v == 0.0)
        return "0." + std::string(static_cast<std::size_t>(digits), '0') + "E+00";
    // printf gives d.dddd E x; Fortran's mantissa is 0.ddddd, one decade up.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", digits - 1, v);
    std::string s(buf);
    std::string sign;
    if (s[0] == '-') {
        sign = "-";
        s.erase(0, 1);
    }
    const std::size_t e = s.find('E');
    std::string mantissa = s.substr(0, 1) + (digits > 1 ? s.substr(2, e - 2) : std::string());
    const int exponent = std::atoi(s.c_str() + e + 1) + 1;
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return sign + "0." + mantissa + ex;
}

std::string fixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s(buf);
    if (s == "-0" || s.rfind("-0.", 0) == 0) {
        // A rounded negative zero reads as zero; write it so.
        if (s.find_first_not_of("-0.") == std::string::npos)
            s.erase(0, 1);
    }
    return s;
}

float asReal(const std::string& text)
{
    float v = 0.0f;
    const char* first = text.data();
    if (!text.empty() && text[0] == '+')
        ++first;
    const auto r = std::from_chars(first, text.data() + text.size(), v);
    if (r.ec != std::errc())
        throw std::logic_error("not a number: " + text);
    return v;
}

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace lobus::casegen
