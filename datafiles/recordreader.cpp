#include "datafiles/recordreader.h"

#include "datafiles/fileaccess.h"
#include "datafiles/memoryfiles.h"
#include "datafiles/readprogress.h"
#include "datafiles/readreport.h"
#include "datafiles/texts.h"
#include "numbers/numberparse.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace lobus {
namespace {

enum CharClass : unsigned char { Other = 0, Blank = 1, Comma = 2, Slash = 4 };

constexpr std::array<unsigned char, 256> makeClasses()
{
    std::array<unsigned char, 256> t {};
    t[' '] = Blank;
    t['\t'] = Blank;
    t['\r'] = Blank; // a lone CR inside a record separates like a blank
    t[','] = Comma;
    t['/'] = Slash;
    return t;
}
constexpr std::array<unsigned char, 256> kClass = makeClasses();

inline unsigned char classOf(char c) { return kClass[static_cast<unsigned char>(c)]; }

enum class SepState { Start, AfterValue, AfterComma };

// The largest repeat count a read takes.
constexpr long kMaxRepeat = 100000000L;

// One value token of a record, from `p` up to the next separator; `p` is left
// there. Written r*c or r*, it is r repeats of c (or of a null value).
struct Token {
    std::string_view text;  // the whole token
    std::string_view value; // c, or the whole token when it repeats nothing
    bool repeated = false;
    long count = 0; // r, grown no further once it reaches the cap
};

Token scanToken(const char*& p, const char* e, long cap)
{
    const char* first = p;
    const char* star = nullptr;
    while (p < e && classOf(*p) == Other) {
        if (*p == '*' && !star)
            star = p;
        ++p;
    }
    Token t;
    t.text = t.value = std::string_view(first, static_cast<std::size_t>(p - first));
    if (star && star > first) {
        long r = 0;
        const char* d = first;
        for (; d < star && *d >= '0' && *d <= '9'; ++d)
            r = r < cap ? r * 10 + (*d - '0') : r;
        if (d == star) {
            t.repeated = true;
            t.count = r;
            t.value = std::string_view(star + 1, static_cast<std::size_t>(p - star - 1));
        }
    }
    return t;
}

} // namespace

RecordReader::RecordReader(std::size_t bufferSize) : m_bufferSize(bufferSize < 16 ? 16 : bufferSize) { }

RecordReader::~RecordReader() { close(); }

void RecordReader::open(const std::string& path)
{
    if (const MemoryFiles* memory = threadMemoryFiles()) {
        if (const std::string* bytes = memory->find(path)) {
            openMemory(path, *bytes);
            return;
        }
        close();
        m_name = path;
        raise(ReadErrorKind::OpenFailed, systemErrorText(ENOENT), 0);
    }
    close();
    m_name = path;
    std::string reason;
    std::FILE* file = openForReading(path, reason);
    if (!file)
        raise(ReadErrorKind::OpenFailed, reason, 0);
    openStream(path, file);
}

void RecordReader::openStream(const std::string& name, std::FILE* stream)
{
    close();
    m_name = name;
    m_file = stream;
    // The reader keeps its own buffer; a second one inside stdio would only copy.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    // Made at the first file read from the disk: a reader of in-memory files needs none.
    if (m_buffer.empty()) {
        try {
            m_buffer.resize(m_bufferSize);
        } catch (const std::bad_alloc&) {
            std::fclose(m_file);
            m_file = nullptr;
            throw;
        }
    }
    m_data = m_buffer.data();
    m_open = true;
}

void RecordReader::openMemory(const std::string& name, std::string_view bytes)
{
    close();
    m_name = name;
    if (!bytes.empty() && bytes.back() == '\x1a')
        bytes.remove_suffix(1);
    m_data = bytes.data();
    m_end = bytes.size();
    m_memory = true;
    m_eof = true;
    m_open = true;
}

void RecordReader::close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_open = false;
    m_memory = false;
    m_eof = false;
    m_dropped = false;
    m_data = m_buffer.data();
    m_pos = m_end = m_scanned = 0;
    m_base = 0;
    m_record = 0;
}

void RecordReader::moveTo(std::uint64_t offset)
{
    if (!m_open)
        raise(ReadErrorKind::OpenFailed, "no file is connected", 0);
    if (m_memory) {
        m_pos = static_cast<std::size_t>(std::min<std::uint64_t>(offset, m_end));
        m_scanned = 0;
        return;
    }
    if (!seekFile(m_file, offset))
        raise(ReadErrorKind::EndOfFile, "the file could not be read further", m_record + 1);
    m_pos = m_end = m_scanned = 0;
    m_eof = false;
    m_base = offset;
}

bool RecordReader::fill(bool grow)
{
    if (m_memory || m_eof)
        return false;
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
        m_base += m_pos;
        m_end -= m_pos;
        m_pos = 0;
    }
    if (m_end == m_buffer.size()) {
        if (grow) {
            // One record longer than the buffer, and a read needs all of it.
            const std::size_t bytes = m_buffer.size() * 2;
            try {
                m_buffer.resize(bytes);
            } catch (const std::bad_alloc&) {
                throw AllocationFailure(texts::fillIn(
                    texts::translate("lobus", "bufor rekordu %1 zbioru %2 (%3 MB)"),
                    {std::to_string(m_record + 1), m_name, std::to_string((bytes + 999999) / 1000000)}));
            }
        } else {
            m_base += m_end;
            m_end = 0;
            m_scanned = 0;
            m_dropped = true;
        }
    }
    m_data = m_buffer.data();
    const std::size_t got = std::fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_file);
    if (got == 0) {
        if (std::ferror(m_file))
            raise(ReadErrorKind::EndOfFile, "the file could not be read further", m_record + 1);
        m_eof = true;
        if (m_end > m_pos && m_data[m_end - 1] == '\x1a')
            --m_end;
        return false;
    }
    m_end += got;
    if (ReadProgress* progress = threadReadProgress()) {
        progress->bytes += got;
        if (progress->stop)
            throw ReadStopped();
    }
    return true;
}

bool RecordReader::nextRecord(const char*& begin, const char*& end)
{
    for (;;) {
        const char* base = m_data + m_pos;
        const std::size_t avail = m_end - m_pos;
        const void* nl = avail > m_scanned ? std::memchr(base + m_scanned, '\n', avail - m_scanned) : nullptr;
        if (nl) {
            const char* e = static_cast<const char*>(nl);
            m_pos = static_cast<std::size_t>(e + 1 - m_data);
            m_scanned = 0;
            if (e > base && e[-1] == '\r')
                --e;
            begin = base;
            end = e;
            ++m_record;
            return true;
        }
        m_scanned = avail;
        if (m_eof) {
            if (avail == 0)
                return false;
            begin = base;
            end = base + avail;
            m_pos = m_end;
            m_scanned = 0;
            ++m_record;
            return true;
        }
        fill(true);
    }
}

bool RecordReader::skipRecord()
{
    m_dropped = false;
    for (;;) {
        const std::size_t avail = m_end - m_pos;
        const void* nl
            = avail > m_scanned ? std::memchr(m_data + m_pos + m_scanned, '\n', avail - m_scanned) : nullptr;
        if (nl) {
            if (m_kept)
                keepRecord(m_data + m_pos, static_cast<const char*>(nl));
            m_pos = static_cast<std::size_t>(static_cast<const char*>(nl) + 1 - m_data);
            m_scanned = 0;
            ++m_record;
            return true;
        }
        m_scanned = avail;
        if (m_eof) {
            if (avail == 0 && !m_dropped)
                return false;
            if (m_kept)
                keepRecord(m_data + m_pos, m_data + m_end);
            m_pos = m_end;
            m_scanned = 0;
            ++m_record;
            return true;
        }
        fill(false);
    }
}

void RecordReader::keepRecord(const char* begin, const char* end)
{
    if (m_dropped) {
        m_kept->emplace_back();
        return;
    }
    if (end > begin && end[-1] == '\r')
        --end;
    m_kept->emplace_back(begin, end);
}

void RecordReader::skip(int n)
{
    if (!m_open)
        raise(ReadErrorKind::OpenFailed, "no file is connected", 0);
    for (int i = 0; i < n; ++i)
        if (!skipRecord())
            raise(ReadErrorKind::EndOfFile, "", m_record + 1);
}

void RecordReader::read(std::span<const ReadItem> items) { readItems(items, false); }

bool RecordReader::readOrEnd(std::span<const ReadItem> items) { return readItems(items, true); }

bool RecordReader::readItems(std::span<const ReadItem> items, bool endAllowed)
{
    if (!m_open)
        raise(ReadErrorKind::OpenFailed, "no file is connected", 0);
    if (items.empty()) {
        if (skipRecord())
            return true;
        if (endAllowed)
            return false;
        raise(ReadErrorKind::EndOfFile, "", m_record + 1);
    }
    const std::size_t n = items.size();
    std::size_t next = 0;
    SepState state = SepState::Start;
    for (;;) {
        const char* p;
        const char* e;
        if (!nextRecord(p, e)) {
            if (endAllowed)
                return false;
            raise(ReadErrorKind::EndOfFile, "", m_record + 1);
        }
        while (p < e) {
            const unsigned char cls = classOf(*p);
            if (cls == Blank) {
                ++p;
                continue;
            }
            if (cls == Comma) {
                // A comma after a comma, or opening the read, stands for a null.
                if (state != SepState::AfterValue && ++next == n)
                    return true;
                state = SepState::AfterComma;
                ++p;
                continue;
            }
            if (cls == Slash)
                return true;

            // Most tokens are plain numbers that end at a separator or at
            // the end of the record: read them in one go.
            {
                const ReadItem& item = items[next];
                const char* q = nullptr;
                float real = 0.0f;
                int whole = 0;
                if (item.kind == ReadItem::Kind::Real)
                    q = scanPlainReal(p, e, real);
                else
                    q = scanPlainInteger(p, e, whole);
                if (q && (q == e || classOf(*q) != Other)) {
                    if (item.kind == ReadItem::Kind::Real)
                        *static_cast<float*>(item.target) = real;
                    else
                        *static_cast<int*>(item.target) = whole;
                    if (++next == n)
                        return true;
                    state = SepState::AfterValue;
                    p = q;
                    continue;
                }
            }

            const Token scanned = scanToken(p, e, kMaxRepeat);
            const std::string_view token = scanned.value;
            long repeat = 1;
            if (scanned.repeated) {
                if (scanned.count == 0 || scanned.count >= kMaxRepeat) {
                    const auto kind = items[next].kind == ReadItem::Kind::Real ? ReadErrorKind::BadReal
                                                                               : ReadErrorKind::BadInteger;
                    raise(kind,
                          "item " + std::to_string(next + 1) + ": bad repeat count in "
                              + quoteToken(scanned.text),
                          m_record);
                }
                repeat = scanned.count;
            }
            const ReadItem::Kind firstKind = items[next].kind;
            for (; repeat > 0; --repeat) {
                if (!token.empty()) {
                    // As the Fortran run-time library does: one repeated value
                    // does not serve an INTEGER and a REAL alike.
                    if (items[next].kind != firstKind)
                        raise(items[next].kind == ReadItem::Kind::Real ? ReadErrorKind::BadReal
                                                                       : ReadErrorKind::BadInteger,
                              "item " + std::to_string(next + 1) + ": repeated value " + quoteToken(token)
                                  + " was read for an item of another type",
                              m_record);
                    store(items[next], token, static_cast<int>(next + 1));
                }
                if (++next == n)
                    return true;
            }
            state = SepState::AfterValue;
        }
        // Only the first record of a read can open with a null comma; after
        // its end a comma is an ordinary separator unless one came before.
        if (state == SepState::Start)
            state = SepState::AfterValue;
    }
}

RecordReader::Plain RecordReader::readPlain(std::span<const ReadItem> items)
{
    if (!m_open)
        raise(ReadErrorKind::OpenFailed, "no file is connected", 0);
    const char* p;
    const char* e;
    if (!nextRecord(p, e))
        return Plain::End;
    for (const ReadItem& item : items) {
        while (p < e && classOf(*p) == Blank)
            ++p;
        const char* q = nullptr;
        if (item.kind == ReadItem::Kind::Real)
            q = p < e ? scanPlainReal(p, e, *static_cast<float*>(item.target)) : nullptr;
        else
            q = p < e ? scanPlainInteger(p, e, *static_cast<int*>(item.target)) : nullptr;
        if (!q || (q < e && classOf(*q) != Blank))
            return Plain::Other;
        p = q;
    }
    while (p < e && classOf(*p) == Blank)
        ++p;
    return p == e ? Plain::Read : Plain::Other;
}

long RecordReader::countValues(long limit)
{
    if (!m_open)
        raise(ReadErrorKind::OpenFailed, "no file is connected", 0);
    const char* p;
    const char* e;
    if (!nextRecord(p, e))
        raise(ReadErrorKind::EndOfFile, "", m_record + 1);
    long count = 0;
    SepState state = SepState::Start;
    while (p < e && count < limit) {
        const unsigned char cls = classOf(*p);
        if (cls == Slash)
            break;
        if (cls != Other) {
            if (cls == Comma) {
                if (state != SepState::AfterValue)
                    ++count;
                state = SepState::AfterComma;
            }
            ++p;
            continue;
        }
        const Token scanned = scanToken(p, e, limit);
        count += scanned.repeated && scanned.count > 0 ? scanned.count : 1;
        state = SepState::AfterValue;
    }
    return count < limit ? count : limit;
}

void RecordReader::store(const ReadItem& item, std::string_view token, int itemNumber) const
{
    if (item.kind == ReadItem::Kind::Real) {
        const NumberStatus s = parseReal(token, *static_cast<float*>(item.target));
        if (s == NumberStatus::Ok)
            return;
        raise(
            ReadErrorKind::BadReal,
            "item " + std::to_string(itemNumber) + ": " + quoteToken(token)
                + (s == NumberStatus::Overflow ? " is beyond the range of a REAL" : " is not a REAL number"),
            m_record);
    }
    const NumberStatus s = parseInteger(token, *static_cast<int*>(item.target));
    if (s == NumberStatus::Ok)
        return;
    raise(ReadErrorKind::BadInteger,
          "item " + std::to_string(itemNumber) + ": " + quoteToken(token)
              + (s == NumberStatus::Overflow ? " is beyond the range of a 32-bit INTEGER"
                                             : " is not an INTEGER number"),
          m_record);
}

void RecordReader::raiseSubscript(const SubscriptRangeError& e) const
{
    raiseSubscript(std::string(e.what()));
}

void RecordReader::raiseSubscript(const std::string& what) const
{
    raise(ReadErrorKind::SubscriptRange, what, m_record);
}

void RecordReader::raise(ReadErrorKind kind, std::string_view detail, long record) const
{
    raiseReadError(kind, detail, m_name, kUnit, record);
}

} // namespace lobus
