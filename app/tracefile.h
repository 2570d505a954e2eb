#pragma once
// Creating the trace file "wdr.txt" for the passes.

#include <memory>
#include <string>

namespace lobus {

class Trace;

// The trace file at `path`, created (emptied) for writing; null when it
// cannot be created, so the program runs on without a trace.
std::unique_ptr<Trace> createTrace(const std::string& path);

} // namespace lobus
