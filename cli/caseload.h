#pragma once
// Both passes over one case without any dialog, as the command runs them.

#include "datafiles/passes.h"
#include "datafiles/scriptedpassui.h"
#include "datafiles/state.h"

#include <string>
#include <vector>

namespace lobus {

struct LoadRequest {
    std::string dataFile; // absolute name of the .dan file
    int variant = 0; // kVariantSolako, kVariantMerant, or 0: the solver that wrote the case (else MERANT)
    ResultFileChoices choices; // the answers of the result-file dialogs
    std::string tracePath;     // the trace file; empty: no trace
    // The files the command writes besides the trace (-o, --csv): with the
    // trace, checked against the case's files before anything is opened.
    std::vector<std::string> outputs;
};

// Exit statuses of the command.
enum ExitStatus {
    kExitDone = 0,
    kExitReadFailed = 1,  // the case could not be read, or the picture not written
    kExitUsage = 2,       // a bad command line
    kExitMissingFile = 3, // a result file is missing and none was named
};

struct RenderLoad {
    int status = kExitDone;
    std::string message;            // for stderr when status is not 0
    std::vector<std::string> notes; // for stderr also on success (choices not asked for)
    CaseFiles files;                // the files the case was read from
};

// The files the request's case is read from: the data file and, for each
// result file, the one named or the one where the case locates it.
std::vector<std::string> requestInputs(const LoadRequest& request);

// Sets c.dane.variant (the request's, or the recognised solver's when it
// names none: datafiles/solver.h) and loads the case (loadCase of datafiles/loadcase.h)
// into `c` and `rysuj` (whose autop/autot and scales the caller may have
// set), with the trace file when one is named. First of all, an output or
// the trace that is one of the case's files is refused with status 2 and
// nothing opened. Never throws for bad files: a reading or allocation
// failure is status 1 with the load's report, a result file neither found nor
// named status 3. The notes are the load's (datafiles/loadcase.h) and those
// of options that were not used.
RenderLoad loadForRender(const LoadRequest& request, Case& c, RYSUJ& rysuj);

} // namespace lobus
