#include "resources/resources.h"

#include <charconv>
#include <stdexcept>

// Field tables are our own data, so a line that does not parse is a fault in
// the resources and is reported at once rather than skipped.

namespace lobus {

namespace {

enum class Section { None, Checks, Ranges, Ignored };

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ','))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',')
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

[[noreturn]] void bad(std::string_view line)
{
    throw std::invalid_argument("field table: cannot read the line \"" + std::string(line) + "\"");
}

template <class T> T number(std::string_view word, std::string_view line)
{
    T value {};
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size())
        bad(line);
    return value;
}

bool checkState(std::string_view word, std::string_view line)
{
    if (word == "1" || word == "on")
        return true;
    if (word == "0" || word == "off")
        return false;
    bad(line);
}

} // namespace

FieldTable parseFieldTable(std::string_view text)
{
    FieldTable table;
    Section section = Section::None;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view raw = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view {} : text.substr(eol + 1);

        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (line == "[Checks]")
                section = Section::Checks;
            else if (line == "[Ranges]")
                section = Section::Ranges;
            else if (line == "[Menus]" || line == "[Tabs]" || line == "[Grids]")
                section = Section::Ignored;
            else
                bad(line);
            continue;
        }
        const auto w = words(line);
        switch (section) {
        case Section::Checks:
            if (w.size() != 2)
                bad(line);
            table.checks[number<int>(w[0], line)] = checkState(w[1], line);
            break;
        case Section::Ranges: {
            if (w.size() != 3)
                bad(line);
            const double low = number<double>(w[1], line);
            const double high = number<double>(w[2], line);
            if (!(low <= high))
                bad(line);
            table.ranges[number<int>(w[0], line)] = {low, high};
            break;
        }
        case Section::Ignored:
            break; // the program has no menus, tabs or grids in its dialogs
        case Section::None:
            bad(line);
        }
    }
    return table;
}

std::optional<std::pair<double, double>> dialogFieldRange(int dialog, int field)
{
    const DialogResource* d = dialogResource(dialog);
    if (!d)
        return std::nullopt;
    const FieldTable table = parseFieldTable(d->fieldTable);
    const auto it = table.ranges.find(field);
    if (it == table.ranges.end())
        return std::nullopt;
    return it->second;
}

} // namespace lobus
