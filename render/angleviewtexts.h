#pragma once
// The angle-base view's texts in the language of the installed translation,
// its axes in the given units.

#include "drawing/angleview.h"

namespace lobus {

AngleViewTexts angleViewTexts(const ReadoutUnits& units = {});

} // namespace lobus
