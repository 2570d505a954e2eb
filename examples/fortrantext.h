#pragma once
// Number texts as the solvers write them, and the value a reader gets back.

#include <string>

namespace lobus::casegen {

// Fortran Ew.d style without the field padding: "0.12345E+07" for
// fortranE(1234500, 5); zero is "0.00000E+00". `digits` 1..9.
std::string fortranE(double v, int digits);

// Fixed point with `decimals` places: fixed(50, 1) is "50.0".
std::string fixed(double v, int decimals);

// Fixed point with at least `decimals` places and as many more as `v` needs
// to read back as itself (nine significant digits always do).
std::string fixedReal(float v, int decimals);

// The 32-bit REAL a correctly rounding reader makes of `text`.
float asReal(const std::string& text);

// Pads `text` on the left to `width` characters.
std::string padLeft(const std::string& text, std::size_t width);

} // namespace lobus::casegen
