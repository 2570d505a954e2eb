#pragma once
// The angle-base view's texts in the language of the installed translation.

#include "drawing/angleview.h"

namespace lobus {

AngleViewTexts angleViewTexts();

} // namespace lobus
