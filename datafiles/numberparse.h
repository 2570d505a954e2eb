#pragma once
// Conversion of one list-directed value token to a REAL or an INTEGER, as the
// solver's Fortran reads accept them.
//
// REAL: optional sign, digits with or without a point (".5", "5." and "5"),
// an optional exponent written with E, e, D, d, Q or q, or a signed exponent
// with no letter ("1.5-1" is 0.15). The value is the correctly rounded 32-bit
// float; a value too small for a float becomes a (signed) zero or subnormal.
// INTEGER: optional sign and decimal digits only, within 32 bits.

#include <string_view>

namespace lobus {

enum class NumberStatus {
    Ok,
    Bad,      // not a number of the wanted kind
    Overflow, // a number, but beyond the range of the wanted kind
};

// `token` holds no separators. On anything but Ok `value` is left as it was.
NumberStatus parseReal(std::string_view token, float& value);
NumberStatus parseInteger(std::string_view token, int& value);

// The quick road for the tokens that fill the result files: a REAL written
// as an optional sign, digits with or without a point and an optional E/e
// exponent; an INTEGER of a sign and up to nine digits. Each reads the number
// that starts at `p` and returns where it stopped, with `value` set to what
// parseReal or parseInteger would give for the characters read; it returns
// nullptr (and leaves `value`) for anything else, and for a REAL whose
// correct rounding needs more than one exact double operation. The caller
// decides whether the number ended its token.
const char* scanPlainReal(const char* p, const char* end, float& value);
const char* scanPlainInteger(const char* p, const char* end, int& value);

} // namespace lobus
