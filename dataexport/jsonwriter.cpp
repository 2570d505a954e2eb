#include "dataexport/jsonwriter.h"

#include "numbers/numbertext.h"

#include <charconv>
#include <cmath>

namespace lobus {

void JsonWriter::item()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (!level.empty)
        m_text += ',';
    if (level.layout == Layout::Lines) {
        m_text += '\n';
        m_text.append(static_cast<std::size_t>(2 * m_lineLevels), ' ');
    } else if (!level.empty) {
        m_text += ' ';
    }
    level.empty = false;
}

void JsonWriter::begin(char bracket, Layout layout)
{
    item();
    m_text += bracket;
    m_levels.push_back({layout});
    if (layout == Layout::Lines)
        ++m_lineLevels;
}

void JsonWriter::end(char bracket)
{
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (level.layout == Layout::Lines) {
        --m_lineLevels;
        if (!level.empty) {
            m_text += '\n';
            m_text.append(static_cast<std::size_t>(2 * m_lineLevels), ' ');
        }
    }
    m_text += bracket;
}

void JsonWriter::quoted(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    m_text += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            m_text += '\\';
            m_text += c;
        } else if (u < 0x20) {
            m_text += "\\u00";
            m_text += hex[u >> 4];
            m_text += hex[u & 15];
        } else {
            m_text += c;
        }
    }
    m_text += '"';
}

void JsonWriter::key(std::string_view name)
{
    item();
    quoted(name);
    m_text += ": ";
    m_afterKey = true;
}

void JsonWriter::value(float v)
{
    if (!std::isfinite(v)) {
        null();
        return;
    }
    item();
    char buffer[kShortestChars];
    m_text.append(buffer, shortestChars(buffer, v));
}

void JsonWriter::value(int v)
{
    item();
    char buffer[16];
    m_text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

void JsonWriter::value(std::string_view text)
{
    item();
    quoted(text);
}

void JsonWriter::boolean(bool v)
{
    item();
    m_text += v ? "true" : "false";
}

void JsonWriter::null()
{
    item();
    m_text += "null";
}

std::string JsonWriter::finish()
{
    m_text += '\n';
    return std::move(m_text);
}

} // namespace lobus
