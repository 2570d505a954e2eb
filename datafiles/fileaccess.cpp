#include "datafiles/fileaccess.h"

#include "datafiles/memoryfiles.h"
#include "datafiles/texts.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lobus {

std::filesystem::path pathFromUtf8(const std::string& name)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

std::string systemErrorText(int error) { return std::generic_category().message(error); }

std::string fileKindText(std::filesystem::file_type type)
{
    using std::filesystem::file_type;
    switch (type) {
    case file_type::directory:
        return texts::translate("lobus", "to katalog");
    case file_type::fifo:
        return texts::translate("lobus", "to kolejka FIFO");
    case file_type::character:
    case file_type::block:
        return texts::translate("lobus", "to urządzenie");
    case file_type::socket:
        return texts::translate("lobus", "to gniazdo");
    default:
        return texts::translate("lobus", "to plik specjalny");
    }
}

std::string notRegularFileText(std::filesystem::file_type type)
{
    return texts::fillIn(texts::translate("lobus", "nie jest zwykłym plikiem (%1)"), {fileKindText(type)});
}

#ifndef _WIN32

std::filesystem::file_type fileTypeOfMode(unsigned mode)
{
    using std::filesystem::file_type;
    static constexpr std::pair<unsigned, file_type> kTypes[]
        = {{S_IFREG, file_type::regular},   {S_IFDIR, file_type::directory}, {S_IFIFO, file_type::fifo},
           {S_IFCHR, file_type::character}, {S_IFBLK, file_type::block},     {S_IFSOCK, file_type::socket},
           {S_IFLNK, file_type::symlink}};
    for (const auto& [bits, type] : kTypes)
        if ((mode & S_IFMT) == bits)
            return type;
    return file_type::unknown;
}

bool fileMissing(const std::string& name)
{
    struct stat st;
    if (name.empty())
        return true;
    if (const MemoryFiles* memory = threadMemoryFiles())
        return memory->find(name) == nullptr;
    return ::stat(name.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool fileExists(const std::string& name)
{
    struct stat st;
    if (const MemoryFiles* memory = threadMemoryFiles())
        return memory->find(name) != nullptr;
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// A stream over a descriptor opened without blocking, once what it opened
// is of a kind `accepted` takes: back to blocking reads and writes. The
// descriptor is closed on any failure, with the reason.
template <class Accept> std::FILE* adopt(int fd, const char* mode, Accept accepted, std::string& reason)
{
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        reason = systemErrorText(errno);
        ::close(fd);
        return nullptr;
    }
    if (!accepted(st.st_mode)) {
        reason = notRegularFileText(fileTypeOfMode(st.st_mode));
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) {
        reason = systemErrorText(errno);
        ::close(fd);
    }
    return f;
}

} // namespace

std::FILE* openForReading(const std::string& name, std::string& reason)
{
    if (name.empty()) {
        reason = systemErrorText(ENOENT);
        return nullptr;
    }
    // Non-blocking, so that a FIFO without a writer cannot hold the open;
    // it is refused right after, as anything but a regular file is.
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = systemErrorText(errno);
        return nullptr;
    }
    return adopt(
        fd, "rb", [](mode_t mode) { return S_ISREG(mode); }, reason);
}

std::FILE* openForWriting(const std::string& name, std::string& reason)
{
    if (name.empty()) {
        reason = systemErrorText(ENOENT);
        return nullptr;
    }
    struct stat st;
    if (::stat(name.c_str(), &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))) {
        reason = notRegularFileText(fileTypeOfMode(st.st_mode));
        return nullptr;
    }
    // Non-blocking, so that a FIFO put there meanwhile cannot hold the open.
    // Not emptied yet: another program may be writing it.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        reason = systemErrorText(errno);
        return nullptr;
    }
    std::FILE* f = adopt(
        fd, "wb", [](mode_t mode) { return !S_ISFIFO(mode) && !S_ISSOCK(mode); }, reason);
    if (!f)
        return nullptr;
    // Two programs writing one file would interleave their records: the
    // first one holds the file until it closes it, and only then may another
    // empty it.
    if (::flock(::fileno(f), LOCK_EX | LOCK_NB) != 0) {
        reason = errno == EWOULDBLOCK ? texts::translate("lobus", "zbiór jest zapisywany przez inny program")
                                      : systemErrorText(errno);
        std::fclose(f);
        return nullptr;
    }
    if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(::fileno(f), 0) != 0) {
        reason = systemErrorText(errno);
        std::fclose(f);
        return nullptr;
    }
    return f;
}

#else

bool fileMissing(const std::string& name)
{
    if (const MemoryFiles* memory = threadMemoryFiles())
        return memory->find(name) == nullptr;
    std::error_code ec;
    return name.empty() || !std::filesystem::exists(std::filesystem::status(pathFromUtf8(name), ec));
}

bool fileExists(const std::string& name)
{
    if (const MemoryFiles* memory = threadMemoryFiles())
        return memory->find(name) != nullptr;
    std::error_code ec;
    return !name.empty() && std::filesystem::is_regular_file(pathFromUtf8(name), ec);
}

std::FILE* openForReading(const std::string& name, std::string& reason)
{
    std::error_code ec;
    const auto st = std::filesystem::status(pathFromUtf8(name), ec);
    if (ec) {
        reason = ec.message();
        return nullptr;
    }
    if (!std::filesystem::is_regular_file(st)) {
        reason = notRegularFileText(st.type());
        return nullptr;
    }
    std::FILE* f = _wfopen(pathFromUtf8(name).c_str(), L"rb");
    if (!f)
        reason = systemErrorText(errno);
    return f;
}

std::FILE* openForWriting(const std::string& name, std::string& reason)
{
    std::FILE* f = name.empty() ? nullptr : _wfopen(pathFromUtf8(name).c_str(), L"wb");
    if (!f)
        reason = systemErrorText(name.empty() ? ENOENT : errno);
    return f;
}

#endif

std::uintmax_t regularFileBytes(const std::string& name)
{
    if (name.empty())
        return 0;
    if (const MemoryFiles* memory = threadMemoryFiles()) {
        const std::string* bytes = memory->find(name);
        return bytes ? bytes->size() : 0;
    }
    std::error_code ec;
    const std::filesystem::path path = pathFromUtf8(name);
    if (!std::filesystem::is_regular_file(path, ec))
        return 0;
    const std::uintmax_t n = std::filesystem::file_size(path, ec);
    return ec ? 0 : n;
}

bool seekFile(std::FILE* file, std::uint64_t offset)
{
#if defined(_WIN32)
    return offset <= std::uint64_t(std::numeric_limits<__int64>::max())
        && _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return offset <= std::uint64_t(std::numeric_limits<off_t>::max())
        && fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

} // namespace lobus
