#include "datafiles/trace.h"

#include "datafiles/fileaccess.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace lobus {

Trace::Trace(std::size_t bufferSize) : m_capacity(bufferSize < 4096 ? 4096 : bufferSize)
{
    m_buffer.reserve(m_capacity);
}

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

void Trace::flush()
{
    if (!m_file || m_buffer.empty())
        return;
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        fail(errno);
    m_buffer.clear();
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

void Trace::reserve()
{
    // A record is rarely longer than a few hundred bytes; long ones simply
    // make the vector grow once.
    if (m_buffer.size() + 512 > m_capacity)
        flush();
}

void Trace::add(std::string_view label)
{
    m_buffer.push_back(' ');
    m_buffer.insert(m_buffer.end(), label.begin(), label.end());
}

void Trace::add(int value)
{
    char text[16];
    text[0] = ' ';
    const auto r = std::to_chars(text + 1, text + sizeof text, value);
    m_buffer.insert(m_buffer.end(), text, r.ptr);
}

void Trace::add(float value)
{
    char text[40];
    text[0] = ' ';
    const auto r = std::to_chars(text + 1, text + sizeof text - 2, value);
    char* end = r.ptr;
    // The shortest form of 120.0f is "120"; a REAL shows its point.
    bool plain = true;
    for (const char* p = text + 1; p < end; ++p)
        if (*p == '.' || *p == 'e' || *p == 'n' || *p == 'i')
            plain = false;
    if (plain) {
        *end++ = '.';
        *end++ = '0';
    }
    m_buffer.insert(m_buffer.end(), text, end);
}

void Trace::add(std::span<const float> values)
{
    for (const float v : values)
        add(v);
}

} // namespace lobus
