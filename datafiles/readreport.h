#pragma once
// The numbered report of the reading layer: "Error #" number and text, then
// the place, "FILE=" name, ", UNIT=" unit and "RECORD=" where a record applies.

#include "datafiles/readerror.h"

#include <string>
#include <string_view>

namespace lobus {

int readErrorNumber(ReadErrorKind kind);
std::string readErrorText(ReadErrorKind kind);

// `record` 0 means no record applies (an open failure). `detail` (may be
// empty) follows the error text after a colon.
std::string readErrorReport(ReadErrorKind kind, std::string_view detail, std::string_view file, int unit,
                            long record);

[[noreturn]] void raiseReadError(ReadErrorKind kind, std::string_view detail, std::string_view file, int unit,
                                 long record);

// A token quoted for a report: at most 40 bytes, anything outside printable
// ASCII shown as '?', so a stray byte of a binary file cannot garble the text.
std::string quoteToken(std::string_view token);

} // namespace lobus
