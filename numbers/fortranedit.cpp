// Fortran's Ew.d and Fw.d output editing. The digits come from std::to_chars,
// which rounds from the exact binary value as the Fortran run-time does (ties
// to even) and never looks at the locale.

#include "numbers/numbertext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace lobus {

namespace {

struct EditDescriptor {
    char kind = 0; // 'E' or 'F'
    int width = 0;
    int digits = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int wholeNumber(std::string_view digits)
{
    int n = 0;
    for (const char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

// Accepts "(e10.4)", "e10.4", "(F5.1)" with blanks around; nothing else.
bool parseDescriptor(std::string_view format, EditDescriptor& d)
{
    std::string s;
    for (const char c : format)
        if (c != ' ' && c != '(' && c != ')')
            s += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (s.size() < 4 || (s[0] != 'E' && s[0] != 'F'))
        return false;
    const std::size_t dot = s.find('.');
    if (dot == std::string::npos || dot < 2 || dot + 1 >= s.size())
        return false;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (i != dot && !isDigit(s[i]))
            return false;
    if (dot - 1 > 3 || s.size() - dot - 1 > 3)
        return false;
    d.kind = s[0];
    d.width = wholeNumber(std::string_view(s).substr(1, dot - 1));
    d.digits = wholeNumber(std::string_view(s).substr(dot + 1));
    return d.width > 0 && (d.kind != 'E' || d.digits >= 1);
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
    const std::string body = fortranE(value, digits);
    return fit(body, body[0] == '-' ? 1 : 0, width);
}

std::string editF(float value, int width, int digits)
{
    std::string body = fixedText(value, digits);
    // A value beyond any field wider than 60 is left to asterisks rather than
    // written out in full.
    if (body.size() + (digits == 0 ? 1 : 0) >= 512)
        return stars(width);
    // With no decimals Fortran still writes the point: "5.".
    if (digits == 0)
        body += '.';
    const bool negative = body[0] == '-';
    const std::size_t zeroAt = negative ? 1 : 0;
    // With no decimals the zero is all there is of the number: not optional.
    const bool leadingZero
        = digits > 0 && body.size() > zeroAt + 1 && body[zeroAt] == '0' && body[zeroAt + 1] == '.';
    return fit(body, leadingZero ? zeroAt : std::string::npos, width);
}

} // namespace

std::string fortranE(double value, int digits)
{
    // to_chars gives d.ddd...e±x; the Fortran mantissa 0.dddd carries the
    // same digits with the exponent one higher.
    std::string s(static_cast<std::size_t>(digits) + 16, '\0');
    s.resize(static_cast<std::size_t>(
        std::to_chars(s.data(), s.data() + s.size(), value, std::chars_format::scientific, digits - 1).ptr
        - s.data()));
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const std::size_t e = s.find('e');
    std::string body = negative ? "-0." : "0.";
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            body += s[i];
    int exponent = 0;
    if (value != 0.0) {
        std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
        exponent += 1;
    }
    const int magnitude = std::abs(exponent);
    // Beyond two exponent digits Fortran drops the letter: "0.1+100".
    if (magnitude <= 99)
        body += 'E';
    body += exponent < 0 ? '-' : '+';
    if (magnitude < 10)
        body += '0';
    body += std::to_string(magnitude);
    return body;
}

std::string fortranEdit(float value, std::string_view descriptor)
{
    EditDescriptor d;
    if (!parseDescriptor(descriptor, d))
        return {};
    if (!std::isfinite(value))
        return special(value, d.width);
    return d.kind == 'E' ? editE(value, d.width, d.digits) : editF(value, d.width, d.digits);
}

} // namespace lobus
