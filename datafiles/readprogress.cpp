#include "datafiles/readprogress.h"

#include "datafiles/resultlocation.h"
#include "datafiles/state.h"

#include <filesystem>
#include <system_error>

namespace lobus {
namespace {

thread_local ReadProgress* t_progress = nullptr;

} // namespace

void setThreadReadProgress(ReadProgress* progress) { t_progress = progress; }

ReadProgress* threadReadProgress() { return t_progress; }

std::uint64_t expectedReadBytes(const std::string& datafile, int variant)
{
    const auto size = [](const std::string& name) -> std::uint64_t {
        std::error_code ec;
        const std::uintmax_t n = std::filesystem::file_size(std::filesystem::path(name), ec);
        return ec ? 0 : static_cast<std::uint64_t>(n);
    };
    const ResultLocation loc = locateResults(datafile);
    std::uint64_t bytes = 2 * size(datafile);
    if (loc.projectDir) {
        bytes += 2 * size(loc.path(".cis")) + size(loc.path(".cha"));
        if (variant == kVariantSolako)
            bytes += size(loc.path(".tem"));
    }
    return bytes;
}

} // namespace lobus
