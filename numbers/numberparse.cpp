#include "numbers/numberparse.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

namespace lobus {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q'; }

// std::from_chars reports both overflow and underflow as out of range. The
// two lie more than forty decades apart, so the decimal magnitude of the
// token decides which one it was: true when the value is at least one.
bool magnitudeAtLeastOne(std::string_view t)
{
    std::size_t i = 0;
    long long position = 0; // decimal position of the first significant digit
    bool seenNonZero = false;
    bool afterPoint = false;
    for (; i < t.size() && (isDigit(t[i]) || t[i] == '.'); ++i) {
        if (t[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (!seenNonZero && t[i] != '0')
            seenNonZero = true;
        if (afterPoint) {
            if (!seenNonZero)
                --position;
        } else if (seenNonZero) {
            ++position;
        }
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E'))
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    long long exponent = 0;
    for (; i < t.size() && isDigit(t[i]); ++i)
        if (exponent < 1000000000LL)
            exponent = exponent * 10 + (t[i] - '0');
    if (negative)
        exponent = -exponent;
    // A point directly after the first significant digit gives position 1.
    return position + exponent >= 1;
}

template <class T> NumberStatus convert(std::string_view t, bool negative, RealSyntax syntax, T& value)
{
    T v = 0;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (ptr != t.data() + t.size())
        return NumberStatus::Bad;
    if (ec == std::errc::result_out_of_range) {
        if (syntax != RealSyntax::File || magnitudeAtLeastOne(t))
            return NumberStatus::Overflow;
        v = 0;
    } else if (ec != std::errc()) {
        return NumberStatus::Bad;
    }
    value = negative ? -v : v;
    return NumberStatus::Ok;
}

bool exponentLetter(char c, RealSyntax syntax)
{
    switch (syntax) {
    case RealSyntax::File:
        return isExponentLetter(c);
    case RealSyntax::Field:
        return c == 'e' || c == 'E' || c == 'd' || c == 'D';
    case RealSyntax::Argument:
        break;
    }
    return c == 'e' || c == 'E';
}

// A sign that starts a Fortran exponent written without its letter.
bool letterlessExponent(std::string_view t, std::size_t i, RealSyntax syntax)
{
    return syntax == RealSyntax::File && i > 0 && (t[i] == '+' || t[i] == '-') && !isExponentLetter(t[i - 1]);
}

// What from_chars does not read as the syntax means it: another exponent
// letter than e, a sign with no letter, a decimal comma.
bool needsRewrite(std::string_view t, std::size_t i, RealSyntax syntax)
{
    const char c = t[i];
    return (c != 'e' && c != 'E' && exponentLetter(c, syntax)) || letterlessExponent(t, i, syntax)
        || (c == ',' && syntax == RealSyntax::Field);
}

template <class T> NumberStatus parse(std::string_view token, RealSyntax syntax, T& value)
{
    bool negative = false;
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
        negative = token[0] == '-';
        token.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; neither is a number here.
    if (token.empty()
        || !(isDigit(token[0]) || token[0] == '.' || (token[0] == ',' && syntax == RealSyntax::Field)))
        return NumberStatus::Bad;

    // Most tokens are already in the form from_chars reads; the others are
    // written again with an 'e' for their exponent and a point for a comma.
    bool rewrite = false;
    for (std::size_t i = 0; i < token.size() && !rewrite; ++i)
        rewrite = needsRewrite(token, i, syntax);
    if (!rewrite)
        return convert(token, negative, syntax, value);

    char local[128];
    std::string heap;
    char* out = local;
    if (2 * token.size() > sizeof local) {
        heap.resize(2 * token.size());
        out = heap.data();
    }
    std::size_t n = 0;
    bool inserted = false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char c = token[i];
        if (letterlessExponent(token, i, syntax)) {
            if (inserted) // two letter-less exponents: not a number
                return NumberStatus::Bad;
            inserted = true;
            out[n++] = 'e';
            out[n++] = c;
        } else if (exponentLetter(c, syntax)) {
            out[n++] = 'e';
        } else {
            out[n++] = c == ',' ? '.' : c;
        }
    }
    return convert(std::string_view(out, n), negative, syntax, value);
}

} // namespace

NumberStatus parseReal(std::string_view token, float& value, RealSyntax syntax)
{
    return parse(token, syntax, value);
}

NumberStatus parseReal(std::string_view token, double& value, RealSyntax syntax)
{
    return parse(token, syntax, value);
}

const char* scanPlainReal(const char* p, const char* end, float& value)
{
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    std::uint64_t m = 0;
    const char* first = p;
    while (p < end && *p == '0')
        ++p;
    const char* firstSignificant = p;
    for (; p < end && isDigit(*p); ++p)
        m = m * 10 + static_cast<std::uint64_t>(*p - '0');
    long significant = p - firstSignificant; // digits in m, leading zeros left out
    long digits = p - first;
    long fraction = 0; // digits after the point
    if (p < end && *p == '.') {
        const char* point = ++p;
        if (m == 0)
            while (p < end && *p == '0')
                ++p;
        firstSignificant = p;
        for (; p < end && isDigit(*p); ++p)
            m = m * 10 + static_cast<std::uint64_t>(*p - '0');
        significant += p - firstSignificant;
        fraction = p - point;
        digits += fraction;
    }
    if (digits == 0 || significant > 19)
        return nullptr;
    int exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool down = false;
        if (p < end && (*p == '+' || *p == '-'))
            down = *p++ == '-';
        const char* first = p;
        for (; p < end && isDigit(*p) && p - first < 4; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (p == first || (p < end && isDigit(*p)))
            return nullptr;
        if (down)
            exponent = -exponent;
    }
    float v = 0.0f;
    if (m != 0) {
        // m and 10^k are exact doubles, so one multiplication or division
        // gives the correctly rounded double d of the token (with m below
        // 2^53 and |k| at most 22). Rounding d once more to a REAL gives the
        // REAL nearest the token unless d lies exactly halfway between two
        // REALs: a token just off that point may have been rounded onto it.
        static constexpr double kPow10[]
            = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const long k = exponent - fraction;
        if (m > (std::uint64_t(1) << 53) || k < -22 || k > 22)
            return nullptr;
        const double d = k < 0 ? static_cast<double>(m) / kPow10[-k] : static_cast<double>(m) * kPow10[k];
        if (!(d >= 0x1p-126 && d < 0x1p127))
            return nullptr;
        std::uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        if ((bits & 0x1FFFFFFFu) == 0x10000000u)
            return nullptr;
        v = static_cast<float>(d);
    }
    value = negative ? -v : v;
    return p;
}

const char* scanPlainInteger(const char* p, const char* end, int& value)
{
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    const char* first = p;
    int v = 0;
    for (; p < end && isDigit(*p) && p - first < 9; ++p)
        v = v * 10 + (*p - '0');
    if (p == first || (p < end && isDigit(*p)))
        return nullptr;
    value = negative ? -v : v;
    return p;
}

NumberStatus parseInteger(std::string_view token, int& value)
{
    bool negative = false;
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
        negative = token[0] == '-';
        token.remove_prefix(1);
    }
    if (token.empty())
        return NumberStatus::Bad;
    std::uint64_t v = 0;
    bool overflow = false;
    for (const char c : token) {
        if (!isDigit(c))
            return NumberStatus::Bad;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
        if (v > 2147483648ULL) {
            overflow = true;
            v = 2147483648ULL; // keep scanning: a later letter still makes it bad
        }
    }
    if (overflow || v > (negative ? 2147483648ULL : 2147483647ULL))
        return NumberStatus::Overflow;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(v)) : static_cast<int>(v);
    return NumberStatus::Ok;
}

} // namespace lobus
