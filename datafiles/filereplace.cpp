#include "datafiles/filereplace.h"

#include "datafiles/fileaccess.h"
#include "datafiles/texts.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <sys/stat.h>
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
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const std::size_t n = utf8Sequence(name, i);
        if (n > 0 && c >= 0x20 && c != 0x7f) {
            out.append(name.substr(i, n));
            i += n;
            continue;
        }
        ++i;
        if (c == '\n' || c == '\r' || c == '\t') {
            out += '\\';
            out += c == '\n' ? 'n' : c == '\r' ? 'r' : 't';
            continue;
        }
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    return out;
}

#ifndef _WIN32

namespace {

// The file the write replaces: `name`, or the regular file a symbolic link
// ends at; `st` describes it when `exists`.
bool resolveTarget(const std::string& name, std::string& target, bool& exists, struct stat& st,
                   std::string& error)
{
    exists = false;
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
    // A file its owner made read-only is not replaced behind its back. The
    // superuser passes every access() test, so for it the mode bits speak.
    const bool writable = ::geteuid() == 0 ? (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0
                                           : ::access(target.c_str(), W_OK) == 0;
    if (!writable) {
        error = failure(name,
                        ::geteuid() == 0 ? texts::translate("lobus", "zbiór jest tylko do odczytu")
                                         : systemErrorText(errno));
        return false;
    }
    exists = true;
    return true;
}

// The directory part of `target` ("" for the working directory) and its last component.
void splitName(const std::string& target, std::string& dir, std::string& base)
{
    const std::size_t slash = target.find_last_of('/');
    dir = slash == std::string::npos ? std::string(".")
        : slash == 0                 ? std::string("/")
                                     : target.substr(0, slash);
    base = slash == std::string::npos ? target : target.substr(slash + 1);
}

} // namespace

namespace {

// The replacements being written, for removeUnfinishedReplacements: a fixed
// table, so that registering never allocates and the handler reads it as is.
struct Unfinished {
    std::mutex lock;
    std::array<const FileReplacement*, 32> open {};
};

Unfinished& unfinished()
{
    static Unfinished u;
    return u;
}

void enlist(const FileReplacement* r, bool add)
{
    Unfinished& u = unfinished();
    const std::lock_guard<std::mutex> guard(u.lock);
    for (const FileReplacement*& slot : u.open)
        if (slot == (add ? nullptr : r)) {
            slot = add ? r : nullptr;
            return;
        }
}

} // namespace

void removeUnfinishedReplacements() noexcept
{
    Unfinished& u = unfinished();
    if (!u.lock.try_lock())
        return; // the handler interrupted a registration; nothing is safe to read
    for (const FileReplacement* r : u.open)
        if (r)
            r->removeTemporary();
    u.lock.unlock();
}

void FileReplacement::removeTemporary() const noexcept
{
    if (m_dir >= 0 && !m_temporary.empty())
        ::unlinkat(m_dir, m_temporary.c_str(), 0);
}

FileReplacement::FileReplacement(const WriteCalls& calls) : m_calls(calls) { enlist(this, true); }

FileReplacement::~FileReplacement()
{
    abandon();
    enlist(this, false);
}

void FileReplacement::abandon()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (m_dir >= 0) {
        if (!m_temporary.empty())
            ::unlinkat(m_dir, m_temporary.c_str(), 0);
        ::close(m_dir);
    }
    m_dir = -1;
    m_temporary.clear();
}

bool FileReplacement::begin(const std::string& name, std::string& error)
{
    abandon();
    m_name = name;
    m_note.clear();
    m_writeError = 0;
    bool exists = false;
    struct stat st { };
    if (!resolveTarget(name, m_target, exists, st, error))
        return false;

    // The new file is named relative to the target's directory, so that its
    // longer name never runs over the length of a whole path.
    std::string dir;
    std::string base;
    splitName(m_target, dir, base);
    m_dir = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dir < 0) {
        error = failure(name, systemErrorText(errno));
        return false;
    }
    static std::minstd_rand random(std::random_device {}());
    // Short enough that the temporary name stays within a name's 255 bytes.
    const std::string stem = "." + base.substr(0, 200) + ".";
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = stem + std::to_string(random() % 1000000) + ".tmp";
        m_fd = ::openat(m_dir, m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        const int code = errno;
        m_temporary.clear();
        abandon();
        error = failure(name, systemErrorText(code));
        return false;
    }
    if (exists) {
        // The owner and group first: a change of owner clears the set-id bits.
        if (::fchown(m_fd, st.st_uid, st.st_gid) != 0)
            (void)::fchown(m_fd, static_cast<uid_t>(-1), st.st_gid); // a group the user is in
        if (::fchmod(m_fd, st.st_mode & 07777) != 0) {
            const int code = errno;
            abandon();
            error = failure(name, systemErrorText(code));
            return false;
        }
        if (st.st_nlink > 1)
            m_note
                = texts::fillIn(texts::translate("lobus",
                                                 "%1 miał jeszcze %2 inne dowiązania twarde; zachowują one "
                                                 "poprzednią treść, zastąpiony został tylko ten zbiór"),
                                {displayName(name), std::to_string(st.st_nlink - 1)});
    }
    return true;
}

bool FileReplacement::write(std::string_view bytes)
{
    if (m_fd < 0 || m_writeError != 0)
        return false;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const std::size_t chunk = left < (std::size_t(1) << 30) ? left : (std::size_t(1) << 30);
        const long n
            = m_calls.write ? m_calls.write(m_fd, p, chunk) : static_cast<long>(::write(m_fd, p, chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_writeError = n < 0 ? errno : EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FileReplacement::commit(std::string& error)
{
    if (m_fd < 0) {
        error = failure(m_name, systemErrorText(EBADF));
        return false;
    }
    const auto fail = [&](int code) {
        abandon();
        error = failure(m_name, systemErrorText(code));
        return false;
    };
    if (m_writeError != 0)
        return fail(m_writeError);
    if ((m_calls.sync ? m_calls.sync(m_fd) : ::fsync(m_fd)) != 0)
        return fail(errno);
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        return fail(errno);
    std::string dir;
    std::string base;
    splitName(m_target, dir, base);
    if (::renameat(m_dir, m_temporary.c_str(), m_dir, base.c_str()) != 0)
        return fail(errno);
    m_temporary.clear(); // it is the target now
    abandon();
    return true;
}

#else

void removeUnfinishedReplacements() noexcept { }

void FileReplacement::removeTemporary() const noexcept { }

FileReplacement::FileReplacement(const WriteCalls& calls) : m_calls(calls) { }

FileReplacement::~FileReplacement() { abandon(); }

void FileReplacement::abandon()
{
    if (m_fd >= 0)
        ::_close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) {
        std::error_code ec;
        std::filesystem::remove(pathFromUtf8(m_temporary), ec);
    }
    m_temporary.clear();
}

bool FileReplacement::begin(const std::string& name, std::string& error)
{
    namespace fs = std::filesystem;
    abandon();
    m_name = name;
    m_target = name;
    m_writeError = 0;
    std::error_code ec;
    const auto st = fs::status(pathFromUtf8(name), ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) {
        error = failure(name, fileKindText(st.type()));
        return false;
    }
    m_temporary = name + ".tmp";
    m_fd = ::_wopen(pathFromUtf8(m_temporary).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                    _S_IREAD | _S_IWRITE);
    if (m_fd < 0) {
        const int code = errno;
        m_temporary.clear();
        error = failure(name, systemErrorText(code));
        return false;
    }
    return true;
}

bool FileReplacement::write(std::string_view bytes)
{
    if (m_fd < 0 || m_writeError != 0)
        return false;
    while (!bytes.empty()) {
        const unsigned chunk = bytes.size() < (1u << 30) ? static_cast<unsigned>(bytes.size()) : (1u << 30);
        const int n = ::_write(m_fd, bytes.data(), chunk);
        if (n <= 0) {
            m_writeError = n < 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool FileReplacement::commit(std::string& error)
{
    const auto fail = [&](int code) {
        abandon();
        error = failure(m_name, systemErrorText(code));
        return false;
    };
    if (m_fd < 0)
        return fail(EBADF);
    if (m_writeError != 0)
        return fail(m_writeError);
    if (::_commit(m_fd) != 0)
        return fail(errno);
    const int closed = ::_close(m_fd);
    m_fd = -1;
    if (closed != 0)
        return fail(errno);
    std::error_code ec;
    std::filesystem::rename(pathFromUtf8(m_temporary), pathFromUtf8(m_target), ec);
    if (ec) {
        abandon();
        error = failure(m_name, ec.message());
        return false;
    }
    m_temporary.clear();
    return true;
}

#endif

bool replaceFileWhole(const std::string& name, std::string_view bytes, std::string& error,
                      const WriteCalls& calls, std::string* note)
{
    FileReplacement file(calls);
    if (!file.begin(name, error))
        return false;
    file.write(bytes);
    if (!file.commit(error))
        return false;
    if (note)
        *note = file.note();
    return true;
}

} // namespace lobus
