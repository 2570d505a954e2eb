#include "app/tracefile.h"

#include "datafiles/trace.h"

namespace lobus {

std::unique_ptr<Trace> createTrace(const std::string& path)
{
    auto trace = std::make_unique<Trace>();
    if (!trace->open(path))
        return nullptr;
    return trace;
}

} // namespace lobus
