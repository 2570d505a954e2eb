#pragma once
// SPRNAZWAZBBMP: gives a bitmap file name the extension ".bmp".

#include <string>

namespace lobus {

// Trailing blanks are dropped first. Then, looking at the last character and
// the three before it:
// - a name ending in "." loses the dot and gets ".bmp" ("wynik." -> "wynik.bmp");
// - a "." among the three characters before the last starts the extension;
//   an extension other than exactly ".bmp" (case-sensitive) is replaced
//   ("wynik.txt", "wynik.BMP" -> "wynik.bmp"), ".bmp" is kept;
// - a "\" or "/" met there first means there is no extension: ".bmp" is
//   appended ("C:\P\A\B" -> "C:\P\A\B.bmp");
// - when none of the three is ".", "\" or "/" (a last part of four or more
//   characters with no short extension), ".bmp" is appended as well
//   ("wynikowy" -> "wynikowy.bmp"), so a saved picture always ends in ".bmp".
// Characters are counted as UTF-8 code points. An empty name stays empty.
void SPRNAZWAZBBMP(std::string& name);

} // namespace lobus
