#pragma once
// Numbers as text, the same bytes under every locale: everything the programs
// write for a person or a file (the picture's labels, the read-outs, the
// trace, JSON and CSV) is formatted here, never through the C library's
// locale-dependent printf family. Standard library only, so that every
// folder may use it.

#include <string>
#include <string_view>

namespace lobus {

// Room that the *Chars writers below need at the most.
inline constexpr int kShortestChars = 32;

// The shortest text that reads back as exactly `v`: "0.1", "120", "1e-05";
// "nan", "inf" and "-inf" for those. Writes into [first, first +
// kShortestChars) and returns the end of what it wrote.
char* shortestChars(char* first, float v);
std::string shortestText(float v);
std::string shortestText(double v);

// As shortestChars, but a whole number keeps a point, as a REAL shows itself:
// "120.0", "0.5", "1e+20".
char* realChars(char* first, float v);
std::string realText(double v);

// How a value exactly halfway between two texts is rounded.
enum class Ties {
    ToEven,       // as the C library prints: 0.125 with two decimals is "0.12"
    AwayFromZero, // as the window's read-outs have always shown it: "0.13",
                  // and a zero without its sign
};

// Fixed point with `decimals` places (a negative count taken as 0), rounded
// from the exact binary value, a minus sign kept on a negative value that
// rounds to zero ("-0.00"): with Ties::ToEven the C library's "%.*f" in its
// "C" locale. "nan", "inf", "-inf" for those.
std::string fixedText(double v, int decimals, Ties ties = Ties::ToEven);

// Fortran's Ew.d and Fw.d output editing of a REAL, as the Fortran run-time
// writes it: correctly rounded (ties to even), a 0.dddd mantissa for E, the
// optional leading zero dropped when the field is one character short, and a
// field of asterisks when the value does not fit. Infinities and NaN are
// written as "Infinity"/"Inf" and "NaN". `descriptor` is "(e10.4)", "e10.4",
// "(F5.1)" (blanks allowed); anything else gives an empty text.
std::string fortranEdit(float value, std::string_view descriptor);

// The body of an Ew.d field without its padding: "0.12345E+07" for
// (1234500, 5), "-0.5E-01", "0.00E+00"; `digits` from 1. Beyond two
// exponent digits the letter gives way, as in Fortran: "0.10-119".
std::string fortranE(double value, int digits);

} // namespace lobus
