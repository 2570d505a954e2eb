#pragma once
// CSV written a row at a time: fields separated by commas, rows ended by a
// newline, a text quoted when it holds a comma, a quote or a line break.
// REALs are the shortest texts that read back as the same value ("nan",
// "inf" and "-inf" for those), the same bytes in every locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace lobus {

class CsvWriter {
public:
    explicit CsvWriter(std::size_t expectedSize = 0) { m_text.reserve(expectedSize); }

    void field(std::string_view text);
    void field(int v);
    void field(float v);
    void emptyField() { separate(); }
    void endRow();

    std::string finish() { return std::move(m_text); }

private:
    void separate();

    std::string m_text;
    bool m_rowStarted = false;
};

} // namespace lobus
