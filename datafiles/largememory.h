#pragma once
// Memory for the large arrays of a case and its picture. A fresh page costs
// a fault when it is first written, and on some machines a fault costs as
// much as parsing a few hundred bytes: arrays of megabytes are asked for in
// the system's large pages, a fault for every 2 MB instead of every 4 KB.

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace lobus {

// Asks for the whole large pages within [p, p + bytes) when the stretch is
// large enough to be worth it; does nothing elsewhere.
void adviseLargePages(void* p, std::size_t bytes);

// `bytes` of uninitialised memory, aligned for any object; when it is large,
// aligned to a large page and in large pages up to the last whole one. Null
// when there is none.
// Given back by std::free.
void* allocateLarge(std::size_t bytes);

// An allocator that leaves the elements a container resizes to
// uninitialised: a buffer of a megabyte costs only the pages it is filled in.
template <class T> struct UninitialisedAllocator : std::allocator<T> {
    template <class U> struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U> UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept { }
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

} // namespace lobus
