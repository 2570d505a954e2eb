#pragma once
// Loading one solver case: the one road from a data-file name to a filled
// case. It runs the examining pass (SPRDANE), allocates the result arrays to
// the longest wedge block, runs the reading pass (CZYTDANE), and turns every
// way this can end into an outcome. Everything that loads a case comes here:
// the window's Open, lobus-render, the tests, the benchmark, the fuzz target.
//
// Contract:
// - `c.dane` is where the passes start from and must hold the variant to read
//   with (1 SOLAKO, 2 MERANT). What a file leaves unread (a null value, the
//   angle slots of wedges it does not have, tmax of a MERANT case) keeps the
//   value it has; the window therefore starts from a copy of the shown case's
//   block, a fresh reader from DANE().
// - `c.results` is replaced: its arrays are allocated afresh to the count the
//   examining pass returns. Before that, the previous arrays are released, so
//   only one set is held at a time.
// - `rysuj` receives the automatic maxima (pscale when autop is 1, tscale when
//   autot is 1); nothing else of it is touched.
// - `ui` answers the passes' warning boxes and file-selection dialogs;
//   `trace` may be null (no trace file).
// - Never throws for a bad file or a failed allocation: a ReadError, an index
//   error, or a std::bad_alloc anywhere between the first open and the last
//   close ends as PassEnd::Failed with one report. What `ui` throws passes
//   through.
// - On anything but a completed load `c` and `rysuj` may hold a mixture of
//   old and new values; a caller that keeps its previous case loads into a
//   copy and takes it only when the outcome says the case stands.

#include "datafiles/passes.h"
#include "datafiles/state.h"

#include <string>
#include <vector>

namespace lobus {

class PassUi;
class Trace;

// Where a load ended.
enum class LoadStage {
    Examining,  // in SPRDANE: nothing of the case is read but the wedge table
    Allocating, // allocating the result arrays
    Reading,    // in CZYTDANE: what was read before the end stands
    Done,       // both passes completed
};

struct LoadOutcome {
    PassEnd end = PassEnd::Completed;
    LoadStage stage = LoadStage::Done;
    // Failed: the text for the user, one paragraph: the reading layer's
    // numbered report ("Error #...", FILE=, UNIT=, RECORD=), or "Brak pamięci
    // na " and what could not be allocated. Empty otherwise.
    std::string report;
    // The pressure file the examining pass settled (found or chosen); empty
    // when that pass did not complete.
    std::string cisfile;
    // Every file the load read or settled (the data file always; the pressure
    // file is cisfile).
    CaseFiles files;
    // Sentences for the user about a case that stands but is not whole (a
    // result file that ends inside a wedge's block): the command prints
    // them, the window shows them in its status bar.
    std::vector<std::string> notes;
    int ilkat = 0; // the longest wedge block, when the examining pass completed

    // The case holds what is to be shown: both passes completed, or the user
    // cancelled a result-file dialog of the reading pass (what was read
    // stands). A cancel in the examining pass or a failure changes nothing.
    bool caseStands() const
    {
        return end == PassEnd::Completed || (end == PassEnd::Cancelled && stage == LoadStage::Reading);
    }
};

LoadOutcome loadCase(const std::string& datafile, Case& c, RYSUJ& rysuj, PassUi& ui, Trace* trace);

// The notes of LoadOutcome for a case read from `files` into `c`.
std::vector<std::string> caseNotes(const CaseFiles& files, const Case& c);

// What a picture of the case drawn with `rysuj` leaves out that the user
// would not see why: the pressure diagrams of a case whose pressure maximum
// is 0 on the automatic scale. Empty when nothing.
std::vector<std::string> pictureNotes(const CaseFiles& files, const Case& c, const RYSUJ& rysuj);

} // namespace lobus
