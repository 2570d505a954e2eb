#include "dataexport/csvwriter.h"

#include "numbers/numbertext.h"

#include <charconv>

namespace lobus {

void CsvWriter::separate()
{
    if (m_rowStarted)
        m_text += ',';
    m_rowStarted = true;
}

void CsvWriter::field(std::string_view text)
{
    separate();
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        m_text += text;
        return;
    }
    m_text += '"';
    for (const char c : text) {
        if (c == '"')
            m_text += '"';
        m_text += c;
    }
    m_text += '"';
}

void CsvWriter::field(int v)
{
    separate();
    char buffer[16];
    m_text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

void CsvWriter::field(float v)
{
    separate();
    char buffer[kShortestChars];
    m_text.append(buffer, shortestChars(buffer, v));
}

void CsvWriter::endRow()
{
    m_text += '\n';
    m_rowStarted = false;
}

} // namespace lobus
