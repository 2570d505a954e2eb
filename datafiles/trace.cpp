#include "datafiles/trace.h"

#include "datafiles/fileaccess.h"
#include "numbers/numbertext.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace lobus {

Trace::Trace(std::size_t bufferSize) : m_buffer(bufferSize < 4096 ? 4096 : bufferSize) { }

Trace::~Trace() { close(); }

bool Trace::open(const std::string& path)
{
    close();
    m_error.clear();
    m_file = openForWriting(path, m_error);
    m_good = m_file != nullptr;
    if (m_file)
        std::setvbuf(m_file, nullptr, _IONBF, 0);
    return m_file != nullptr;
}

void Trace::attach(std::FILE* stream)
{
    close();
    m_error.clear();
    m_file = stream;
    m_good = m_file != nullptr;
}

void Trace::flush()
{
    if (!m_file || m_used == 0)
        return;
    if (std::fwrite(m_buffer.data(), 1, m_used, m_file) != m_used)
        fail(errno);
    m_used = 0;
}

void Trace::close()
{
    if (!m_file)
        return;
    flush();
    if (std::fclose(m_file) != 0)
        fail(errno);
    m_file = nullptr;
}

void Trace::fail(int error)
{
    if (m_good)
        m_error = systemErrorText(error);
    m_good = false;
}

// Items are written straight into the buffer; a full buffer goes to the
// file first, and an item longer than the whole buffer makes it grow.
char* Trace::room(std::size_t bytes)
{
    if (m_used + bytes > m_buffer.size()) {
        flush();
        if (bytes > m_buffer.size())
            m_buffer.resize(bytes);
    }
    return m_buffer.data() + m_used;
}

void Trace::add(std::string_view label)
{
    char* p = room(label.size() + 1);
    *p = ' ';
    std::memcpy(p + 1, label.data(), label.size());
    m_used += label.size() + 1;
}

void Trace::add(int value)
{
    char* text = room(16);
    text[0] = ' ';
    const auto r = std::to_chars(text + 1, text + 16, value);
    m_used += static_cast<std::size_t>(r.ptr - text);
}

void Trace::add(float value)
{
    char* text = room(40);
    text[0] = ' ';
    const auto bits = std::bit_cast<std::uint32_t>(value);
    WrittenReal& written = m_reals[(bits * 2654435761u) >> 28];
    if (written.length != 0 && written.bits == bits) {
        std::memcpy(text + 1, written.text, written.length);
        m_used += written.length + 1u;
        return;
    }
    const char* end = realChars(text + 1, value);
    written.bits = bits;
    written.length = static_cast<std::uint8_t>(end - text - 1);
    std::memcpy(written.text, text + 1, written.length);
    m_used += static_cast<std::size_t>(end - text);
}

void Trace::add(std::span<const float> values)
{
    for (const float v : values)
        add(v);
}

} // namespace lobus
