#pragma once
// A series of solver cases (a sweep of speeds, loads, clearances ...): which
// files it was made of, what each case gave, and the case itself for the
// pictures. Standard library only; the command line and the series window
// share it.

#include "datafiles/state.h"
#include "drawing/casefigures.h"

#include <memory>
#include <string>
#include <vector>

namespace lobus {

struct SeriesCase {
    std::string name;                 // the data file's name without its extension
    std::string file;                 // the argument as given, or the path found in a folder
    std::string error;                // why the case could not be read; empty when it was
    std::vector<std::string> notes;   // what the reading said of a case that stands
    std::vector<std::string> inputs;  // every file it was read from, the data file first
    std::shared_ptr<const Case> data; // the case read (null when it was not)
    RYSUJ rysuj;                      // the defaults with the case's automatic maxima
    CaseFigures figures;
    std::vector<NamedValue> conditions;      // of the data file, named by its header
    std::vector<NamedValue> characteristics; // of the characteristics file, named by its header

    bool read() const { return error.empty() && data != nullptr; }
    // The files it was read from, the data file first; the file named when
    // the reading did not get as far as knowing them.
    std::vector<std::string> files() const { return inputs.empty() ? std::vector {file} : inputs; }
};

using Series = std::vector<SeriesCase>;

} // namespace lobus
