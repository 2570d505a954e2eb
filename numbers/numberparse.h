#pragma once
// The one reader of numbers from text, for the solver's files, the dialogs'
// fields and the command line alike; never through the C library's locale.
//
// REAL: optional sign, digits with or without a point (".5", "5." and "5"),
// an optional exponent; no infinities, NaN or hexadecimal. Which exponents
// and which decimal mark count is the text's syntax (below). The value is
// the correctly rounded float or double.
// INTEGER: optional sign and decimal digits only, within 32 bits.

#include <string_view>

namespace lobus {

enum class NumberStatus {
    Ok,
    Bad,      // not a number of the wanted kind
    Overflow, // a number, but beyond the range of the wanted kind
};

enum class RealSyntax {
    // As the solver's Fortran reads take a REAL: an exponent written with E,
    // D or Q in either case, or a signed exponent with no letter ("1.5-1" is
    // 0.15); a value too small for the type becomes a (signed) zero or a
    // subnormal.
    File,
    // As a person types it into a dialog's field: an exponent with E or D in
    // either case, and a decimal comma taken as the point ("0,5" is 0.5, as a
    // Polish user writes it). A value too small for the type is beyond its range.
    Field,
    // A command-line argument: an exponent with E or e only; a value too
    // small for the type is beyond its range.
    Argument,
};

// `token` holds no separators or blanks. On anything but Ok `value` is left
// as it was.
NumberStatus parseReal(std::string_view token, float& value, RealSyntax syntax = RealSyntax::File);
NumberStatus parseReal(std::string_view token, double& value, RealSyntax syntax);
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
