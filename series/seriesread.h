#pragma once
// Reading a series: every case as lobus-render reads a single one (its
// solver recognised, no dialog, a missing result file an error), on a pool
// of threads, one per core. A case that cannot be read carries its error;
// the others are complete.

#include "series/series.h"
#include "series/seriesfiles.h"

#include <atomic>
#include <functional>

namespace lobus {

// One case, on the calling thread.
SeriesCase readSeriesCase(const SeriesInput& input);

// Every input, in order, on `threads` threads (0: one per core). `cancel`,
// when given and set, leaves the inputs not yet begun unread, with an error;
// `done`, when given, counts the cases finished.
Series readSeries(const std::vector<SeriesInput>& inputs, int threads = 0,
                  const std::atomic<bool>* cancel = nullptr, std::atomic<std::size_t>* done = nullptr);

// The named values of a case read: the data file's conditions and the
// characteristics file's values, as the files' headers name them.
void nameValues(SeriesCase& sc);

} // namespace lobus
