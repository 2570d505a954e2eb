#include "datafiles/columnnames.h"

#include <array>

namespace lobus {

namespace {

// Windows-1250 from 0x80 on; 0 where the code page has no character.
constexpr std::array<char16_t, 128> kWindows1250 = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

bool isUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t length = c < 0x80 ? 1
            : (c >> 5) == 0x6               ? 2
            : (c >> 4) == 0xE               ? 3
            : (c >> 3) == 0x1E              ? 4
                                            : 0;
        if (length == 0 || (length == 2 && c < 0xC2) || i + length > s.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

void appendUtf8(std::string& out, char16_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

ColumnName piece(std::string_view text)
{
    ColumnName c;
    c.fromHeader = true;
    const std::size_t open = text.find('[');
    if (open != std::string_view::npos && text.size() > open + 1 && text.back() == ']') {
        c.name = std::string(trimmed(text.substr(0, open)));
        c.unit = std::string(trimmed(text.substr(open + 1, text.size() - open - 2)));
    } else {
        c.name = std::string(text);
    }
    return c;
}

} // namespace

std::string headerText(std::string_view record)
{
    if (isUtf8(record))
        return std::string(record);
    std::string out;
    out.reserve(record.size() * 2);
    for (const char b : record) {
        const auto c = static_cast<unsigned char>(b);
        const char16_t u = c < 0x80 ? c : kWindows1250[c - 0x80];
        appendUtf8(out, u != 0 ? u : u'\uFFFD');
    }
    return out;
}

std::vector<ColumnName> headerPieces(std::string_view record)
{
    const std::string text = headerText(record);
    const std::string_view s = trimmed(text);
    std::vector<ColumnName> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size();) {
        // A separator: a tab, or two blanks or more, with what surrounds it.
        std::size_t end = i;
        bool splits = i == s.size();
        if (!splits && isBlank(s[i])) {
            while (end < s.size() && isBlank(s[end]))
                ++end;
            splits = end - i >= 2 || s.substr(i, end - i).find('\t') != std::string_view::npos;
        }
        if (!splits) {
            i = end > i ? end : i + 1;
            continue;
        }
        if (i > start)
            pieces.push_back(piece(s.substr(start, i - start)));
        if (i == s.size())
            break;
        start = i = end;
    }
    return pieces;
}

std::vector<ColumnName> columnNames(std::span<const std::string> above, std::size_t count)
{
    for (auto record = above.rbegin(); record != above.rend(); ++record) {
        std::vector<ColumnName> pieces = headerPieces(*record);
        if (pieces.size() == count)
            return pieces;
    }
    std::vector<ColumnName> names(count);
    for (std::size_t i = 0; i < count; ++i)
        names[i].name = "value " + std::to_string(i + 1);
    return names;
}

} // namespace lobus
