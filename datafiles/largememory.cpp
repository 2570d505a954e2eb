#include "datafiles/largememory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lobus {

namespace {

constexpr std::size_t kLargePage = std::size_t(2) << 20;
// Below this a block keeps its small pages.
constexpr std::size_t kLargeFrom = 2 * kLargePage;

} // namespace

void adviseLargePages(void* p, std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto at = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t begin = (at + kLargePage - 1) & ~std::uintptr_t(kLargePage - 1);
    const std::uintptr_t end = (at + bytes) & ~std::uintptr_t(kLargePage - 1);
    if (p && bytes >= kLargeFrom && end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void* allocateLarge(std::size_t bytes)
{
#if defined(__linux__)
    if (bytes >= kLargeFrom) {
        void* p = nullptr;
        if (posix_memalign(&p, kLargePage, bytes) != 0)
            return nullptr;
        adviseLargePages(p, bytes);
        return p;
    }
#endif
    return std::malloc(bytes > 0 ? bytes : 1);
}

} // namespace lobus
