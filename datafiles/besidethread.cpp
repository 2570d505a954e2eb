#include "datafiles/besidethread.h"

#include "datafiles/readprogress.h"

#include <system_error>
#include <utility>

namespace lobus {

BesideThread::BesideThread(std::function<void()> work)
{
    ReadProgress* progress = threadReadProgress();
    try {
        m_thread = std::thread([this, progress, work = std::move(work)] {
            setThreadReadProgress(progress);
            try {
                work();
            } catch (...) {
                m_error = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had.
    }
}

BesideThread::~BesideThread()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BesideThread::wait()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_error)
        std::rethrow_exception(std::exchange(m_error, nullptr));
}

} // namespace lobus
