#pragma once
// Independent pieces of a drawing's work (a curve's summary, a lobe's walk)
// shared between the caller's thread and one beside it.

#include "datafiles/besidethread.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

namespace lobus {

// Does work(item, share) for every item, share 0 on this thread and 1 on the
// thread beside it. Items whose sizes add up to less than `besideFrom`, or
// fewer than two, are all done here: a thread would cost more than it
// saves. Otherwise the largest come first, each to whichever thread is free
// for it (the one beside starts late, and may share its core); all of them
// here when no thread is to be had. No item's work may touch what another's
// does, nor what the other share's does. What the work raises is raised
// here, once both threads are done.
template <class Item, class Size, class Work>
void shareBetweenTwoThreads(std::vector<Item> items, Size size, long besideFrom, Work work)
{
    long total = 0;
    for (const Item& item : items)
        total += size(item);
    if (total < besideFrom || items.size() < 2) {
        for (const Item& item : items)
            work(item, 0);
        return;
    }
    std::stable_sort(items.begin(), items.end(),
                     [&](const Item& a, const Item& b) { return size(a) > size(b); });
    std::atomic<std::size_t> next {0};
    const auto take = [&](int share) {
        for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < items.size();)
            work(items[i], share);
    };
    BesideThread thread([&] { take(1); });
    take(0);
    thread.wait();
}

} // namespace lobus
