#pragma once
// Reading and writing the REAL edit fields of the dialogs. Kept apart from the
// widgets so that the parsing rules are plain functions.

#include <optional>
#include <string>
#include <string_view>

namespace lobus {

// The value of an edit field's text: blanks around it are ignored, a Fortran
// exponent letter D/d is taken like E ("1.5D0"), a decimal comma like a point
// ("0,5" is 0.5, as a Polish user writes it). An empty field reads as 0.0;
// text that is not a finite number gives nullopt.
std::optional<double> parseRealField(std::string_view text);

// The text a real edit field shows for `value` written with the Fortran edit
// descriptor `format` ("(f7.3)" gives "1.500"): the descriptor's field with its
// leading blanks removed, so the edit field starts with the number.
std::string formatRealField(float value, std::string_view format);

} // namespace lobus
