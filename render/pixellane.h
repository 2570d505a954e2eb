#pragma once
// A thread beside the drawing that lays a picture's pixels. The drawing works
// out its geometry (conversions, thinning, merged lines, summaries) on its
// own thread and hands each operation on the pixels, in order, to the lane;
// the lane's thread does them in that order, while the drawing goes on with
// the next. One thread writes every pixel in the order the drawing gave, so
// the picture is the one the drawing's own thread would have made.
//
// The thread and the memory the operations are handed in are kept for the
// whole process: a picture takes the lane at its start and gives it back at
// its end. A lane that another picture holds, or a thread that cannot be had,
// leaves the picture to do its operations itself, at once.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace lobus {

class PixelLane {
public:
    // One operation: what it is is its doer's (`kind` and the numbers); the
    // bytes it was handed with lie at `at` in the lane's memory.
    struct Op {
        int kind = 0;
        int flags = 0;
        int colour[3] = {};
        std::size_t at = 0;
        std::size_t bytes = 0;
        std::size_t count = 0;
        double v[5] = {};
    };

    // Does the operations, on the lane's thread.
    class Doer {
    public:
        virtual void run(const Op& op, std::span<const std::byte> bytes) = 0;

    protected:
        ~Doer() = default;
    };

    static constexpr std::size_t kOps = 4096;       // operations handed and not yet done
    static constexpr std::size_t kBytes = 4u << 20; // their bytes
    static constexpr std::size_t kAlign = alignof(std::max_align_t);

    // The lane for a picture whose operations `doer` does; null when another
    // picture holds it or no thread is to be had (see setEnabled).
    static PixelLane* take(Doer& doer);

    // Room for `bytes` bytes of the next operation (aligned for any type),
    // valid until it is handed; null when they do not fit in the lane's
    // memory at all (the caller waits for idle() and does the operation
    // itself).
    std::byte* room(std::size_t bytes);
    // Hands an operation over with its bytes (from the last room(); none:
    // null).
    void hand(Op op, const std::byte* bytes = nullptr, std::size_t size = 0);
    // Waits until every operation handed is done.
    void idle();
    // Operations handed and not yet done.
    std::uint64_t pending() const
    {
        return m_handed.load(std::memory_order_relaxed) - m_done.load(std::memory_order_acquire);
    }
    // Waits for the operations and gives the lane back; raises what one of
    // them raised (after which the rest were left undone).
    void give();

    // Whether pictures use the lane (they do unless told otherwise): a
    // picture drawn with and without it comes out the same.
    static void setEnabled(bool enabled);

    ~PixelLane();
    PixelLane(const PixelLane&) = delete;
    PixelLane& operator=(const PixelLane&) = delete;

private:
    PixelLane();
    static void shutDown();             // with the application: the thread's fonts go before Qt's
    void serve();                       // the thread's life
    void drain();                       // one picture's operations, until it gives the lane back
    bool wakeFor(std::uint64_t handed); // waits until more than `handed` are handed; false: give back
    void waitDone(std::uint64_t count);

    std::vector<Op> m_ops; // a ring of kOps
    std::unique_ptr<std::byte[]> m_memory;
    std::size_t m_used = 0; // bytes of m_memory handed since it was last idle

    // Operations handed and done since the picture took the lane; the last
    // handed one gives the lane back when it is `kGiveBack`.
    alignas(64) std::atomic<std::uint64_t> m_handed {0};
    std::atomic<bool> m_asleep {false};
    alignas(64) std::atomic<std::uint64_t> m_done {0};
    std::exception_ptr m_error; // written by the thread before its last done

    // Who holds the lane, and the thread's wait for the next holder.
    std::atomic<bool> m_held {false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    Doer* m_doer = nullptr; // under m_mutex while it is handed to the thread
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace lobus
