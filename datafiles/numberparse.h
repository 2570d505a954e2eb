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

} // namespace lobus
