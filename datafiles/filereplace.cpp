#include "datafiles/filereplace.h"

#include "datafiles/fileaccess.h"
#include "datafiles/texts.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace lobus {

std::size_t utf8Sequence(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        min = 0x80;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        min = 0x800;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        min = 0x10000;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

namespace {

std::string failure(const std::string& name, const std::string& reason)
{
    return texts::fillIn(texts::translate("lobus", "nie można zapisać %1: %2"), {displayName(name), reason});
}

} // namespace

std::string displayName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = utf8Sequence(name, i);
        if (n > 0) {
            out.append(name.substr(i, n));
            i += n;
            continue;
        }
        static const char hex[] = "0123456789ABCDEF";
        const unsigned char c = static_cast<unsigned char>(name[i++]);
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    return out;
}

#ifndef _WIN32

namespace {

// The file the write replaces: `name`, or the regular file a symbolic link
// ends at. `exists` and `mode` describe it.
bool resolveTarget(const std::string& name, std::string& target, bool& exists, mode_t& mode,
                   std::string& error)
{
    struct stat st;
    exists = false;
    mode = 0;
    target = name;
    if (::lstat(name.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return true; // a new name; its directory is checked by the create
        error = failure(name, systemErrorText(errno));
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        if (::stat(name.c_str(), &st) != 0) {
            error = failure(name,
                            errno == ENOENT ? texts::translate(
                                "lobus", "to dowiązanie symboliczne, które nigdzie nie prowadzi")
                                            : systemErrorText(errno));
            return false;
        }
        char* real = ::realpath(name.c_str(), nullptr);
        if (!real) {
            error = failure(name, systemErrorText(errno));
            return false;
        }
        target = real;
        std::free(real);
    }
    if (!S_ISREG(st.st_mode)) {
        error = failure(name, fileKindText(fileTypeOfMode(st.st_mode)));
        return false;
    }
    // A file its owner made read-only is not replaced behind its back.
    if (::access(target.c_str(), W_OK) != 0) {
        error = failure(name, systemErrorText(errno));
        return false;
    }
    exists = true;
    mode = st.st_mode & 07777;
    return true;
}

// A new file beside `target`, created with O_EXCL; -1 with errno set when
// none can be made.
int createBeside(const std::string& target, std::string& temporary)
{
    static std::minstd_rand random(std::random_device {}());
    const std::size_t slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Short enough that the temporary name stays within a name's 255 bytes.
    const std::string base = (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = dir + "." + base + "." + std::to_string(random() % 1000000) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool replaceFileWhole(const std::string& name, std::string_view bytes, std::string& error,
                      const WriteCalls& calls)
{
    std::string target;
    bool exists = false;
    mode_t mode = 0;
    if (!resolveTarget(name, target, exists, mode, error))
        return false;

    std::string temporary;
    int fd = createBeside(target, temporary);
    if (fd < 0) {
        error = failure(name, systemErrorText(errno));
        return false;
    }
    const auto abandon = [&](int code) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.c_str());
        error = failure(name, systemErrorText(code));
        return false;
    };

    if (exists && ::fchmod(fd, mode) != 0)
        return abandon(errno);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const std::size_t chunk = left < (std::size_t(1) << 30) ? left : (std::size_t(1) << 30);
        const long n = calls.write ? calls.write(fd, p, chunk) : static_cast<long>(::write(fd, p, chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon(n < 0 ? errno : EIO);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if ((calls.sync ? calls.sync(fd) : ::fsync(fd)) != 0)
        return abandon(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return abandon(errno);
    return true;
}

#else

bool replaceFileWhole(const std::string& name, std::string_view bytes, std::string& error,
                      const WriteCalls& calls)
{
    (void)calls;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = pathFromUtf8(name);
    const auto st = fs::status(target, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) {
        error = failure(name, fileKindText(st.type()));
        return false;
    }
    const fs::path temporary = fs::path(target).concat(L".tmp");
    std::FILE* f = _wfopen(temporary.c_str(), L"wb");
    if (!f) {
        error = failure(name, systemErrorText(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    const int code = errno;
    if (std::fclose(f) != 0 || !written) {
        fs::remove(temporary, ec);
        error = failure(name, systemErrorText(written ? errno : code));
        return false;
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        error = failure(name, ec.message());
        return false;
    }
    return true;
}

#endif

} // namespace lobus
