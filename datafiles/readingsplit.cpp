#include "datafiles/readingsplit.h"

#include "datafiles/fileaccess.h"
#include "datafiles/passcommon.h"
#include "datafiles/readprogress.h"

#include <algorithm>
#include <limits>

namespace lobus {

bool ReadingSplit::claimMore(std::uint64_t offset)
{
    const std::lock_guard lock(m_mutex);
    if (m_tail && offset >= *m_tail)
        return false;
    if (offset >= m_claimed && !m_tail)
        m_claimed = offset + m_step;
    m_limit = m_claimed;
    return true;
}

void ReadingSplit::finish()
{
    const std::lock_guard lock(m_mutex);
    m_finished = true;
}

bool ReadingSplit::split()
{
    const std::lock_guard lock(m_mutex);
    return m_tail.has_value();
}

std::optional<std::uint64_t> ReadingSplit::claimTail()
{
    const std::lock_guard lock(m_mutex);
    if (m_finished || m_tail || m_claimed >= m_bytes || m_bytes - m_claimed < 2 * m_fewest)
        return std::nullopt;
    m_claimed += (m_bytes - m_claimed) / 2;
    m_tail = m_claimed;
    return m_tail;
}

bool readFileTail(const std::string& name, std::uint64_t from, FileTail& tail,
                  const std::atomic<bool>& givenUp)
{
    const std::uintmax_t bytes = regularFileBytes(name);
    if (bytes < from)
        return false;
    if (!reserveRecords(tail.first, tail.second, bytes - from))
        return false;
    // Its bytes are reported by the reader of the file's start.
    ReadProgress* const progress = threadReadProgress();
    setThreadReadProgress(nullptr);
    struct Restore {
        ReadProgress* progress;
        ~Restore() { setThreadReadProgress(progress); }
    } restore {progress};
    return orGiveUp([&] {
        RecordReader reader;
        reader.open(name);
        // Through the line end at or after from - 1: the next record
        // starts at from or later (none: the file's last record started
        // before).
        if (from > 0) {
            reader.moveTo(from - 1);
            if (!reader.readOrEnd({})) {
                tail.end = bytes;
                return true;
            }
        }
        for (;;) {
            float a = 0.0f;
            float b = 0.0f;
            const RecordReader::Plain got = reader.readPlain({ReadItem::real(a), ReadItem::real(b)});
            if (got == RecordReader::Plain::End)
                break;
            if (got == RecordReader::Plain::Other)
                a = std::numeric_limits<float>::quiet_NaN();
            if (!tail.first.push(a) || !tail.second.push(b) || givenUp.load(std::memory_order_relaxed))
                return false;
        }
        tail.end = bytes;
        return true;
    });
}

bool SplitRecords::skip(int n)
{
    for (; n > 0; --n) {
        if (!m_inTail && !toTail()) {
            m_reader.skip(1);
            continue;
        }
        if (!m_tailRead || m_i == m_tail.first.size())
            return false;
        ++m_i;
    }
    return true;
}

bool SplitRecords::toTail()
{
    if (!m_split || m_split->own(m_reader.offset()))
        return false;
    waitForTail();
    return true;
}

void SplitRecords::waitForTail()
{
    m_inTail = true;
    m_tailRead = m_tail.read.get_future().get();
}

} // namespace lobus
