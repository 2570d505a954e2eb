#include "render/pixellane.h"

#include <QCoreApplication>

#include <chrono>
#include <new>
#include <system_error>

#if defined(__unix__)
#include <pthread.h>
#endif

namespace lobus {

namespace {

constexpr int kGiveBack = -1;

// Waiting for the other thread: a few hundred nanoseconds at a time, the
// core left to it while it works.
inline void pause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Between two operations the thread watches for the next this long before
// it sleeps: a drawing hands its operations a few microseconds apart, and
// a sleeping thread takes tens of microseconds to wake.
constexpr auto kWatch = std::chrono::microseconds(60);

std::mutex g_laneMutex;
PixelLane* g_lane = nullptr; // under g_laneMutex
bool g_enabled = true;       // under g_laneMutex

// A child process has no thread of its parent's: a lane made before a fork
// is left to the parent, and the child makes its own when it draws.
void forgetLaneInChild() { g_lane = nullptr; }

} // namespace

PixelLane::PixelLane() : m_ops(kOps), m_memory(new std::byte[kBytes])
{
    m_thread = std::thread([this] { serve(); });
}

PixelLane::~PixelLane()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void PixelLane::shutDown()
{
    std::lock_guard lock(g_laneMutex);
    delete g_lane;
    g_lane = nullptr;
}

void PixelLane::setEnabled(bool enabled)
{
    std::lock_guard lock(g_laneMutex);
    g_enabled = enabled;
}

// The thread lays text with its own fonts: it lives no longer than the
// application, and there is none without one.
PixelLane* PixelLane::take(Doer& doer)
{
    PixelLane* lane = nullptr;
    {
        std::lock_guard lock(g_laneMutex);
        if (!g_enabled || !QCoreApplication::instance())
            return nullptr;
        if (!g_lane) {
            try {
                g_lane = new PixelLane;
            } catch (const std::system_error&) {
                return nullptr;
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
            qAddPostRoutine(&PixelLane::shutDown);
#if defined(__unix__)
            static const bool forked = ::pthread_atfork(nullptr, nullptr, &forgetLaneInChild) == 0;
            (void)forked;
#endif
        }
        lane = g_lane;
    }
    if (lane->m_held.exchange(true, std::memory_order_acquire))
        return nullptr;
    lane->m_handed.store(0, std::memory_order_relaxed);
    lane->m_done.store(0, std::memory_order_relaxed);
    lane->m_used = 0;
    lane->m_error = nullptr;
    {
        std::lock_guard lock(lane->m_mutex);
        lane->m_doer = &doer;
    }
    lane->m_wake.notify_one();
    return lane;
}

void PixelLane::serve()
{
    for (;;) {
        Doer* doer = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_doer || m_quit; });
            if (m_quit)
                return;
            doer = m_doer;
            m_doer = nullptr;
        }
        std::uint64_t i = 0;
        for (;;) {
            if (i == m_handed.load(std::memory_order_acquire) && !wakeFor(i))
                continue;
            const Op& op = m_ops[i % kOps];
            if (op.kind == kGiveBack) {
                m_done.store(i + 1, std::memory_order_release);
                break;
            }
            if (!m_error) {
                try {
                    doer->run(op, {m_memory.get() + op.at, op.bytes});
                } catch (...) {
                    m_error = std::current_exception();
                }
            }
            m_done.store(++i, std::memory_order_release);
        }
    }
}

// Watches for a while, then sleeps until the drawing hands more.
bool PixelLane::wakeFor(std::uint64_t handed)
{
    const auto until = std::chrono::steady_clock::now() + kWatch;
    for (int n = 0;; ++n) {
        if (m_handed.load(std::memory_order_acquire) != handed)
            return true;
        pause();
        if ((n & 63) == 63 && std::chrono::steady_clock::now() > until)
            break;
    }
    m_asleep.store(true, std::memory_order_seq_cst);
    if (m_handed.load(std::memory_order_seq_cst) == handed)
        m_handed.wait(handed, std::memory_order_seq_cst);
    m_asleep.store(false, std::memory_order_relaxed);
    return m_handed.load(std::memory_order_acquire) != handed;
}

void PixelLane::waitDone(std::uint64_t count)
{
    for (int n = 0; m_done.load(std::memory_order_acquire) < count; ++n) {
        if (n < 4096)
            pause();
        else
            std::this_thread::yield();
    }
}

std::byte* PixelLane::room(std::size_t bytes)
{
    const std::size_t rounded = (bytes + kAlign - 1) / kAlign * kAlign;
    if (rounded > kBytes)
        return nullptr;
    if (m_used + rounded > kBytes) {
        idle();
        m_used = 0;
    }
    std::byte* at = m_memory.get() + m_used;
    m_used += rounded;
    return at;
}

void PixelLane::hand(Op op, const std::byte* bytes, std::size_t size)
{
    op.at = bytes ? static_cast<std::size_t>(bytes - m_memory.get()) : 0;
    op.bytes = bytes ? size : 0;
    const std::uint64_t handed = m_handed.load(std::memory_order_relaxed);
    if (handed >= kOps)
        waitDone(handed - kOps + 1);
    m_ops[handed % kOps] = op;
    m_handed.store(handed + 1, std::memory_order_seq_cst);
    if (m_asleep.load(std::memory_order_seq_cst))
        m_handed.notify_one();
}

void PixelLane::idle() { waitDone(m_handed.load(std::memory_order_relaxed)); }

void PixelLane::give()
{
    Op last;
    last.kind = kGiveBack;
    hand(last);
    idle();
    std::exception_ptr error = std::move(m_error);
    m_error = nullptr;
    m_held.store(false, std::memory_order_release);
    if (error)
        std::rethrow_exception(error);
}

} // namespace lobus
