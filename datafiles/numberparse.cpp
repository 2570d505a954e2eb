#include "datafiles/numberparse.h"

#include <charconv>
#include <cstdint>
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
