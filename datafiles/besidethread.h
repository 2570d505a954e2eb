#pragma once
// Work run on a thread of its own beside the caller's reading: the
// temperature file beside the pressure file. It reports to the caller's
// progress and stops at its flag; what it raises is raised again by wait().
// The destructor waits for it, so that nothing it writes outlives the caller.

#include <exception>
#include <functional>
#include <thread>

namespace lobus {

class BesideThread {
public:
    // Starts `work`; when no thread is to be had, running() is false and the
    // work is not done (the caller does it itself).
    explicit BesideThread(std::function<void()> work);
    ~BesideThread();
    BesideThread(const BesideThread&) = delete;
    BesideThread& operator=(const BesideThread&) = delete;

    bool running() const { return m_thread.joinable(); }
    // Waits for the work; raises what it raised.
    void wait();

private:
    std::exception_ptr m_error;
    std::thread m_thread;
};

} // namespace lobus
