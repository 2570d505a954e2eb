#pragma once
// The loaded case as one JSON object, for scripts and tests: the case block,
// the scales and the four result arrays, every REAL with as many digits as
// give back the same 32-bit float.

#include "datafiles/state.h"

#include <string>

namespace lobus {

// Keys, in order: "variant", "ikm", "ilkat", "tabpsi" (12), "tabkla" (6),
// "tabklb" (6), "ekscen", "katekscen", "ilcis" (6), "pmax", "tmax", "pscale",
// "tscale", then "katcis", "cis", "tem1", "tem2": each 6 lists (wedge k) of
// ilkat numbers. Ends with a newline.
std::string caseJson(const Case& c, const RYSUJ& rysuj);

} // namespace lobus
