#pragma once
// The data files a series is made of. Each argument is a ".dan" file or a
// folder; a folder stands for its ".dan" files, or for those of its DANE
// folder when it has one, in natural name order ("p2" before "p10").

#include <string>
#include <string_view>
#include <vector>

namespace lobus {

struct SeriesInput {
    std::string file;  // the argument as given, or the path found in its folder
    std::string error; // the argument names no case: why; empty otherwise
};

// One input per case found, in the arguments' order. An argument that is
// neither a regular file nor a folder with cases gives one input with its
// error, so the series goes on without it.
std::vector<SeriesInput> seriesInputs(const std::vector<std::string>& arguments);

// Names compared as a person reads them: runs of digits by their value,
// everything else byte by byte.
bool naturalLess(std::string_view a, std::string_view b);

// The file's name without its folder and its extension.
std::string caseName(std::string_view file);

} // namespace lobus
