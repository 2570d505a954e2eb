#include "datafiles/readprogress.h"

#include "datafiles/fileaccess.h"
#include "datafiles/resultlocation.h"
#include "datafiles/state.h"

namespace lobus {
namespace {

thread_local ReadProgress* t_progress = nullptr;

} // namespace

void setThreadReadProgress(ReadProgress* progress) { t_progress = progress; }

ReadProgress* threadReadProgress() { return t_progress; }

std::uint64_t expectedReadBytes(const std::string& dan, const std::string& cis, const std::string& cha,
                                const std::string& tem)
{
    const auto size
        = [](const std::string& name) { return static_cast<std::uint64_t>(regularFileBytes(name)); };
    return 2 * size(dan) + 2 * size(cis) + size(cha) + size(tem);
}

std::uint64_t expectedReadBytes(const std::string& datafile, int variant)
{
    const ResultLocation loc = locateResults(datafile);
    if (!loc.projectDir)
        return expectedReadBytes(datafile, {}, {}, {});
    return expectedReadBytes(datafile, loc.path(".cis"), loc.path(".cha"),
                             variant == kVariantSolako ? loc.path(".tem") : std::string());
}

} // namespace lobus
