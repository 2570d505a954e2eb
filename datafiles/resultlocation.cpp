#include "datafiles/resultlocation.h"

#include "datafiles/blanks.h"

namespace lobus {
namespace {

// Position of the last separator in `text`, searched from its second-to-last
// character backwards (a separator closing the text does not count).
std::optional<std::size_t> lastSeparator(std::string_view text, std::string_view separators)
{
    if (text.size() < 2)
        return std::nullopt;
    for (std::size_t i = text.size() - 1; i-- > 0;)
        if (separators.find(text[i]) != std::string_view::npos)
            return i;
    return std::nullopt;
}

} // namespace

std::string_view nativeSeparators()
{
#ifdef _WIN32
    return "\\/";
#else
    return "/";
#endif
}

std::string ResultLocation::path(std::string_view extension) const
{
    std::string p;
    if (projectDir) {
        p = *projectDir;
        p += separator;
        p += "WYN";
        p += separator;
    }
    p += caseName;
    p += extension;
    return p;
}

ResultLocation locateResults(std::string_view dataFile, std::string_view separators)
{
    ResultLocation loc;
    if (!separators.empty())
        loc.separator = separators.front();

    dataFile = withoutTrailingBlanks(dataFile);
    const std::string_view stem = dataFile.substr(0, dataFile.size() >= 4 ? dataFile.size() - 4 : 0);

    const auto cut = lastSeparator(stem, separators);
    if (!cut) {
        loc.caseName = std::string(stem);
        return loc;
    }
    loc.caseName = std::string(stem.substr(*cut + 1));
    const std::string_view dataDir = stem.substr(0, *cut);
    if (const auto up = lastSeparator(dataDir, separators))
        loc.projectDir = std::string(dataDir.substr(0, *up));
    return loc;
}

} // namespace lobus
