#pragma once
// Every point of a case as CSV, as the window's export and the command's
// --csv write it.

#include "datafiles/state.h"

#include <string>

namespace lobus {

// The header lobe,point,angle_deg,p_Pa,t1_C,t2_C and one row per point of
// lobes 1..ikm; the temperatures are left empty for an isothermal case.
std::string pointsCsv(const Case& c);

} // namespace lobus
