#include "datafiles/fileidentity.h"

#include "datafiles/fileaccess.h"
#include "datafiles/filereplace.h"
#include "datafiles/memoryfiles.h"
#include "datafiles/texts.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace lobus {

bool sameFile(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    if (threadMemoryFiles())
        return a == b;
#ifndef _WIN32
    struct stat sa;
    struct stat sb;
    const bool hasA = ::stat(a.c_str(), &sa) == 0;
    const bool hasB = ::stat(b.c_str(), &sb) == 0;
    if (hasA && hasB)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (hasA != hasB)
        return false; // one is there, the other is not: two names
#endif
    std::error_code ea;
    std::error_code eb;
    const auto pa = std::filesystem::weakly_canonical(std::filesystem::absolute(pathFromUtf8(a), ea), ea);
    const auto pb = std::filesystem::weakly_canonical(std::filesystem::absolute(pathFromUtf8(b), eb), eb);
    return !ea && !eb && pa == pb;
}

std::optional<std::string> inputWrittenOver(const std::string& output, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs)
        if (sameFile(output, input))
            return input;
    return std::nullopt;
}

std::string outputIsInputText(const std::string& output, const std::string& input)
{
    return texts::fillIn(
        texts::translate("lobus",
                         "%1 jest zbiorem wejściowym przypadku (%2): zapis by go zniszczył, nic nie "
                         "zapisano"),
        {displayName(output), displayName(input)});
}

} // namespace lobus
