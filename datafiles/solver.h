#pragma once
// Which solver wrote a case. The two solvers leave different result files:
// the thermal solver SOLAKO writes 8 values on record 7 of the
// characteristics file (".cha") and a temperature file (".tem"); the
// isothermal solver MERANT writes 6 values there and no ".tem". Read with the
// other solver's layout, a case draws nonsense (the sixth value of a SOLAKO
// record is not the pressure maximum), so the programs look before they read.
//
// The rule:
// - SOLAKO: record 7 of the ".cha" holds exactly 8 values. A ".tem" beside it
//   is then expected: without one the case is SOLAKO's with a file missing,
//   which the reading pass reports as it reports any missing result file.
// - MERANT: record 7 holds exactly 6 values and there is no ".tem";
// - anything else (no readable ".cha", another count, values that run over
//   into record 8, 6 values with a ".tem" beside them) is recognised as
//   neither, and the program reads the case as its own variant, as it always
//   did.
// Anything under the ".tem" name counts as there (a directory, a FIFO): the
// reading pass then says what it is, rather than that it is missing.
// Values are counted as a list-directed read takes them: a null (",,")
// counts, "r*c" counts r, a slash ends the record's values. Only record 7 is
// looked at; nothing is decoded, so a bad number is left for the reading pass
// to report.

#include "datafiles/state.h"

#include <string>

namespace lobus {

// The numbers are those of the variant flag (DANE::variant).
enum class Solver { Neither = 0, Solako = kVariantSolako, Merant = kVariantMerant };

struct SolverSigns {
    long chaValues = -1;  // values on record 7 of the ".cha"; -1 when it could not be read
    bool temFile = false; // something is there under the ".tem" name
};

// The signs of the case whose data file is `datafile`, its result files
// located as the passes locate them. A non-empty `chaFile` or `temFile` is
// used in place of the located file (lobus-render's --cha, --tem). Never
// throws for a bad or missing file.
SolverSigns solverSigns(const std::string& datafile, const std::string& chaFile = {},
                        const std::string& temFile = {});

Solver recogniseSolver(const SolverSigns& signs);

} // namespace lobus
