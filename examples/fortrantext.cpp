#include "examples/fortrantext.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace lobus::casegen {

std::string fortranE(double v, int digits)
{
    if (v == 0.0)
        return "0." + std::string(static_cast<std::size_t>(digits), '0') + "E+00";
    // to_chars gives d.dddde+x; Fortran's mantissa is 0.ddddd, one decade up.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    if (r.ec != std::errc())
        throw std::logic_error("cannot write a number");
    std::string s(buf, r.ptr);
    std::string sign;
    if (s[0] == '-') {
        sign = "-";
        s.erase(0, 1);
    }
    const std::size_t e = s.find('e');
    std::string mantissa = s.substr(0, 1) + (digits > 1 ? s.substr(2, e - 2) : std::string());
    const int exponent = std::atoi(s.c_str() + e + 1) + 1;
    const int magnitude = exponent < 0 ? -exponent : exponent;
    std::string ex = exponent < 0 ? "E-" : "E+";
    if (magnitude < 10)
        ex += '0';
    ex += std::to_string(magnitude);
    return sign + "0." + mantissa + ex;
}

std::string fixed(double v, int decimals)
{
    // to_chars rounds exactly, as printf does, at a fraction of its cost
    // (the stress cases write millions of numbers).
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        throw std::logic_error("cannot write a number");
    std::string s(buf, r.ptr);
    if (s == "-0" || s.rfind("-0.", 0) == 0) {
        // A rounded negative zero reads as zero; write it so.
        if (s.find_first_not_of("-0.") == std::string::npos)
            s.erase(0, 1);
    }
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
