#pragma once
// lobus-render --series: the cases read on a pool of threads, then the JSON
// array, the CSV table, the locus or chart picture, or the PDF report.

#include "cli/options.h"

namespace lobus {

// The exit status: 0 every case read and the output written, 1 a case not
// read or the output not written, 2 a chart axis that names no column.
// `print` writes to standard output and says whether it could.
int runSeries(const CommandLine& cl, bool (*print)(const std::string&));

} // namespace lobus
