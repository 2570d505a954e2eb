// Fortran's Ew.d and Fw.d output editing of a REAL value, as the Fortran
// run-time writes it: correctly rounded from the exact binary value (ties to
// even), a 0.dddd mantissa for E, the optional leading zero dropped when the
// field is one character short, and a field of asterisks when the value does
// not fit. Infinities and NaN are written as "Infinity"/"Inf" and "NaN".

#include "drawing/graphics/graphics.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lobus {

namespace {

struct EditDescriptor {
    char kind = 0; // 'E' or 'F'
    int width = 0;
    int digits = 0;
};

// Accepts "(e10.4)", "e10.4", "(F5.1)" with blanks around; nothing else.
bool parseDescriptor(std::string_view format, EditDescriptor& d)
{
    std::string s;
    for (char c : format)
        if (c != ' ' && c != '(' && c != ')')
            s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (s.size() < 4 || (s[0] != 'E' && s[0] != 'F'))
        return false;
    const std::size_t dot = s.find('.');
    if (dot == std::string::npos || dot < 2 || dot + 1 >= s.size())
        return false;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (i != dot && !std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    if (dot - 1 > 3 || s.size() - dot - 1 > 3)
        return false;
    d.kind = s[0];
    d.width = std::atoi(s.substr(1, dot - 1).c_str());
    d.digits = std::atoi(s.substr(dot + 1).c_str());
    if (d.width <= 0 || (d.kind == 'E' && d.digits < 1))
        return false;
    return true;
}

std::string stars(int width) { return std::string(static_cast<std::size_t>(width), '*'); }

// Right-aligns `body` (sign included) in the field; `zeroAt` is the index of
// an optional leading zero in `body` (or npos), dropped when that makes it fit.
std::string fit(std::string body, std::size_t zeroAt, int width)
{
    const auto w = static_cast<std::size_t>(width);
    if (body.size() > w && zeroAt != std::string::npos)
        body.erase(zeroAt, 1);
    if (body.size() > w)
        return stars(width);
    return std::string(w - body.size(), ' ') + body;
}

std::string special(float value, int width)
{
    std::string text;
    if (std::isnan(value))
        text = "NaN";
    else if (value > 0)
        text = width >= 8 ? "Infinity" : "Inf";
    else
        text = width >= 9 ? "-Infinity" : "-Inf";
    if (static_cast<int>(text.size()) > width)
        return stars(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string editE(float value, int width, int digits)
{
    // printf gives d.ddd...e±x with the same correct rounding; the Fortran
    // mantissa 0.dddd carries the same digits with the exponent one higher.
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(value));
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const std::size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    int exponent = std::atoi(s.c_str() + e + 1);
    std::string figures;
    for (char c : mantissa)
        if (c != '.')
            figures += c;
    if (value != 0.0f)
        exponent += 1;
    else
        exponent = 0;
    const int magnitude = std::abs(exponent);
    char expBuf[16];
    if (magnitude <= 99)
        std::snprintf(expBuf, sizeof expBuf, "E%c%02d", exponent < 0 ? '-' : '+', magnitude);
    else if (magnitude <= 999)
        std::snprintf(expBuf, sizeof expBuf, "%c%03d", exponent < 0 ? '-' : '+', magnitude);
    else
        return stars(width);
    std::string body = negative ? "-" : "";
    const std::size_t zeroAt = body.size();
    body += "0." + figures + expBuf;
    return fit(body, zeroAt, width);
}

std::string editF(float value, int width, int digits)
{
    // A value beyond any field wider than 60 is left to asterisks rather than
    // printed in full into a huge buffer.
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, "%#.*f", digits, static_cast<double>(value));
    if (n < 0 || n >= static_cast<int>(sizeof buf))
        return stars(width);
    std::string body(buf);
    const bool negative = body[0] == '-';
    const std::size_t zeroAt = negative ? 1 : 0;
    // With no decimals the zero is all there is of the number: not optional.
    const bool leadingZero
        = digits > 0 && body.size() > zeroAt + 1 && body[zeroAt] == '0' && body[zeroAt + 1] == '.';
    return fit(body, leadingZero ? zeroAt : std::string::npos, width);
}

} // namespace

std::string IREALTOSTRING(float value, std::string_view format)
{
    EditDescriptor d;
    if (!parseDescriptor(format, d))
        return {};
    if (!std::isfinite(value))
        return special(value, d.width);
    return d.kind == 'E' ? editE(value, d.width, d.digits) : editF(value, d.width, d.digits);
}

} // namespace lobus
