#pragma once
// Whether an output would be written over an input. Every output (a picture,
// a CSV or text file, the trace, the settings file) is compared with every
// file of the case shown or read before anything is opened for writing: an
// output that is an input would destroy the input, often before it is read.

#include <optional>
#include <string>
#include <vector>

namespace lobus {

// True when the two names lead to one file: the same device and inode where
// both exist (links followed, so a hard or symbolic link to an input is that
// input), else the same path once made absolute and normal, with the links of
// the part that exists followed.
bool sameFile(const std::string& a, const std::string& b);

// The first of `inputs` (empty names skipped) that `output` would be written
// over; none when it is none of them.
std::optional<std::string> inputWrittenOver(const std::string& output,
                                            const std::vector<std::string>& inputs);

// The message that refuses such an output: names both, says nothing was written.
std::string outputIsInputText(const std::string& output, const std::string& input);

} // namespace lobus
