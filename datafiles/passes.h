#pragma once
// The two passes over one solver case.
//
// SPRDANE, the examining pass, reads the wedge table of the data file, finds
// (or asks for) the pressure file and counts the longest wedge block, so the
// caller can size the result arrays. CZYTDANE, the reading pass, reads the
// data file again, the characteristics file, the pressure file and, for the
// thermal solver's cases, the temperature file, into the case handed to it.
//
// Both raise ReadError on a reading failure; they fill only what they are
// given, and the caller decides when the filled case becomes the shown one.

#include "datafiles/passui.h"
#include "datafiles/state.h"

#include <string>

namespace lobus {

class Trace;

// `cisfile` comes back as the pressure file that was scanned. `done` is set to
// 1 when the scan ran to its end and left as it was when the pass gave up
// (no project directory and the dialog cancelled, or the pressure-file dialog
// cancelled); `ilkat` is then unchanged. `trace` may be null (no trace file).
void SPRDANE(const std::string& datafile, std::string& cisfile, int& ilkat, int& done, DANE& dane, PassUi& ui,
             Trace* trace);

// Fills `dane` (except variant, which the caller sets) and the arrays of
// `results`, which must be allocated to `results.ilkat` columns; copies the
// automatic maxima into `rysuj`. Returns false when the user cancelled a
// result-file dialog and the pass ended early (what was read stays).
bool CZYTDANE(const std::string& datafile, const std::string& cisfile, Results& results, DANE& dane,
              RYSUJ& rysuj, PassUi& ui, Trace* trace);

} // namespace lobus
