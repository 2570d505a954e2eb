#include "datafiles/numberparse.h"

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

NumberStatus convert(std::string_view t, bool negative, float& value)
{
    float v = 0.0f;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (ptr != t.data() + t.size())
        return NumberStatus::Bad;
    if (ec == std::errc::result_out_of_range) {
        if (magnitudeAtLeastOne(t))
            return NumberStatus::Overflow;
        v = 0.0f;
    } else if (ec != std::errc()) {
        return NumberStatus::Bad;
    }
    value = negative ? -v : v;
    return NumberStatus::Ok;
}

} // namespace

NumberStatus parseReal(std::string_view token, float& value)
{
    bool negative = false;
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
        negative = token[0] == '-';
        token.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; neither is a solver number.
    if (token.empty() || !(isDigit(token[0]) || token[0] == '.'))
        return NumberStatus::Bad;

    // Most tokens are already in the form from_chars reads; the others need
    // their exponent rewritten with an 'e'.
    bool rewrite = false;
    for (std::size_t i = 1; i < token.size(); ++i) {
        const char c = token[i];
        if (c == 'd' || c == 'D' || c == 'q' || c == 'Q'
            || ((c == '+' || c == '-') && !isExponentLetter(token[i - 1]))) {
            rewrite = true;
            break;
        }
    }
    if (!rewrite)
        return convert(token, negative, value);

    char local[128];
    std::string heap;
    char* out = local;
    if (token.size() + 1 > sizeof local) {
        heap.resize(token.size() + 1);
        out = heap.data();
    }
    std::size_t n = 0;
    bool inserted = false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char c = token[i];
        if (isExponentLetter(c)) {
            out[n++] = 'e';
        } else if ((c == '+' || c == '-') && !isExponentLetter(token[i - 1])) {
            if (inserted) // two letter-less exponents: not a number
                return NumberStatus::Bad;
            inserted = true;
            out[n++] = 'e';
            out[n++] = c;
        } else {
            out[n++] = c;
        }
    }
    return convert(std::string_view(out, n), negative, value);
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
