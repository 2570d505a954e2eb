#pragma once
// The loaded case as JSON, for scripts and tests, every REAL with as many
// digits as give back the same 32-bit float.

#include "datafiles/state.h"

#include <string>

namespace lobus {

class JsonWriter;

// The whole case: keys, in order: "variant", "ikm", "ilkat", "tabpsi" (12),
// "tabkla" (6), "tabklb" (6), "ekscen", "katekscen", "ilcis" (6), "pmax",
// "tmax", "pscale", "tscale", then "katcis", "cis", "tem1", "tem2": each 6
// lists (wedge k) of ilkat numbers. Ends with a newline.
std::string caseJson(const Case& c, const RYSUJ& rysuj);

// The summary of a case as one JSON object (keys: solver, ekscen, katekscen,
// pmax, tmax, conditions[], characteristics[], lobes[]); a value that is not
// finite, or a peak of a lobe without points, is null. The named values are
// {name, unit, value} in record order. A case whose .cis or .tem ended
// inside a wedge's block also has "complete": false and "short" (those
// files' extensions) after the solver; a complete case has neither key.
std::string summaryJson(const Case& c);

// The summary's keys and values, into an object the writer has open.
void summaryFields(JsonWriter& j, const Case& c);

} // namespace lobus
