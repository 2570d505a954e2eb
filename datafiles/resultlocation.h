#pragma once
// Where the solver wrote the result files of a case: in "WYN" beside the data
// file's own directory, not inside it. For the data file P/DANE/L1.dan the
// pressure file is P/WYN/L1.cis.
//
// The data-file name loses its trailing blanks and its last four characters
// (the extension); the case name is what follows the last separator; the data
// directory is what precedes it, and the project directory is the data
// directory without its own last component. Each separator is searched for
// backwards from the second-to-last character of the text being cut.

#include <optional>
#include <string>
#include <string_view>

namespace lobus {

// The separators of the platform's file names: "/" on Linux and macOS, "\"
// and "/" on Windows. The first one is the one written when names are joined.
std::string_view nativeSeparators();

struct ResultLocation {
    std::string caseName;
    // Absent when the data file has no project directory (it lies directly in
    // a root directory, or the name holds too few separators): the result
    // files cannot be located and are treated as absent.
    std::optional<std::string> projectDir;
    char separator = '/';

    // project directory + sep + "WYN" + sep + case name + extension; without a
    // project directory just the case name and extension, for the warning.
    std::string path(std::string_view extension) const;
};

ResultLocation locateResults(std::string_view dataFile, std::string_view separators = nativeSeparators());

} // namespace lobus
