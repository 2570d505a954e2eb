// The layer's number-to-text operation is Fortran output editing, written by
// the locale-free number texts that every other number goes through too.

#include "drawing/graphics/graphics.h"
#include "numbers/numbertext.h"

namespace lobus {

std::string IREALTOSTRING(float value, std::string_view format) { return fortranEdit(value, format); }

} // namespace lobus
