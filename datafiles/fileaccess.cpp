#include "datafiles/fileaccess.h"

#include <system_error>

namespace lobus {

std::filesystem::path pathFromUtf8(const std::string& name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

bool fileExists(const std::string& name)
{
    if (name.empty())
        return false;
    std::error_code ec;
    const auto st = std::filesystem::status(pathFromUtf8(name), ec);
    return !ec && std::filesystem::exists(st) && !std::filesystem::is_directory(st);
}

namespace {
std::FILE* openMode(const std::string& name, bool write)
{
#ifdef _WIN32
    return _wfopen(pathFromUtf8(name).c_str(), write ? L"wb" : L"rb");
#else
    return std::fopen(name.c_str(), write ? "wb" : "rb");
#endif
}
} // namespace

std::FILE* openForReading(const std::string& name)
{
    if (name.empty())
        return nullptr;
    std::error_code ec;
    if (std::filesystem::is_directory(pathFromUtf8(name), ec))
        return nullptr;
    return openMode(name, false);
}

std::FILE* openForWriting(const std::string& name)
{
    if (name.empty())
        return nullptr;
    return openMode(name, true);
}

} // namespace lobus
