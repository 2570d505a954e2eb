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
// A caller that wants the whole sequence (examine, allocate, read, and every
// failure turned into an outcome) calls loadCase (datafiles/loadcase.h).

#include "datafiles/passui.h"
#include "datafiles/state.h"

#include <string>

namespace lobus {

class Trace;

// How a pass, or a whole load, ended. The passes themselves end Completed or
// Cancelled and raise their failures; loadCase turns those into Failed.
enum class PassEnd {
    Completed, // ran to its end
    Cancelled, // the user cancelled a result-file dialog (or the data file's
               // name has no project directory and the dialog was cancelled)
    Failed,    // a reading or an allocation failure; the outcome carries the report
};

// `cisfile` comes back as the pressure file that was scanned and `ilkat` as
// the longest wedge block, both only when the pass ends Completed; Cancelled
// leaves them as they were. `trace` may be null (no trace file).
PassEnd SPRDANE(const std::string& datafile, std::string& cisfile, int& ilkat, DANE& dane, PassUi& ui,
                Trace* trace);

// The files one case is read from: the data file and the result files as
// the passes settled them (found or chosen); empty where none was settled.
struct CaseFiles {
    std::string dan;
    std::string cis;
    std::string cha;
    std::string tem;
};

// Fills `dane` (except variant, which the caller sets) and the arrays of
// `results`, which must be allocated to `results.ilkat` columns; copies the
// automatic maxima into `rysuj`. Cancelled when the user cancelled a
// result-file dialog and the pass ended early (what was read stays).
// `files`, when given, receives the characteristics and temperature files as
// they are settled.
PassEnd CZYTDANE(const std::string& datafile, const std::string& cisfile, Results& results, DANE& dane,
                 RYSUJ& rysuj, PassUi& ui, Trace* trace, CaseFiles* files = nullptr);

// Both passes in one, for the usual case: every result file found without
// asking (where the case locates it, or named beforehand) and every point
// record plain numbers between blanks. Reads each file once, the
// temperature file beside the pressure file, and fills `c`, `rysuj`,
// `files` and `ilkat` as SPRDANE, the allocation of the arrays and CZYTDANE
// would. Returns false for any other case and for any failure, with
// `rysuj`, `files`, `ilkat` and the case block of `c` as they were (its
// arrays may be gone): the two passes read such a case and report what they
// find. Writes no trace.
bool readInOnePass(const std::string& datafile, Case& c, RYSUJ& rysuj, PassUi& ui, CaseFiles& files,
                   int& ilkat);

} // namespace lobus
