#pragma once
// Writing a file whole or not at all: the program's outputs (the pictures)
// never leave a truncated file, never destroy the file they replace when
// the disk is full, and never replace anything but a regular file.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace lobus {

// The calls a whole-file write goes through; empty ones mean the system's.
// The tests hand in calls that fail as a full disk does.
struct WriteCalls {
    std::function<long(int fd, const void* data, std::size_t size)> write; // as write(2)
    std::function<int(int fd)> sync;                                       // as fsync(2)
};

// A file written whole or not at all, piece by piece: the pieces go to a new
// file beside the target, and commit() puts it in the target's place.
// - The target must be a regular file or a name that does not exist yet; a
//   symbolic link is followed to the regular file it ends at, which is
//   replaced while the link stays. Anything else (a directory, FIFO, device,
//   socket, or a link that leads nowhere) is refused and nothing is touched;
//   so is a file the user may not write (its mode bits decide, also for the
//   superuser, who could write anything).
// - The new file takes the target's permissions, and its owner and group
//   where the process may give them. A target with other hard links is
//   replaced under this name only; note() then says so.
// - Every write, the sync and the close are checked; only then is the new
//   file renamed over the target. A replacement dropped before commit()
//   removes its new file: the target is as it was and no other file is left.
// The temporary name fits wherever the target's name fits.
class FileReplacement {
public:
    explicit FileReplacement(const WriteCalls& calls = {});
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks the target and creates the new file; false with the reason in `error`.
    bool begin(const std::string& name, std::string& error);
    // Appends bytes; false (once and for good) when a write fails.
    bool write(std::string_view bytes);
    // Sync, close, rename; false with the reason in `error`. Also false when
    // a write failed before.
    bool commit(std::string& error);
    // Empty, or a sentence for the user about what the replacement did
    // besides writing ("... had 2 other hard links; they keep the old content").
    const std::string& note() const { return m_note; }

    // Unlinks the new file, for removeUnfinishedReplacements.
    void removeTemporary() const noexcept;

private:
    void abandon();

    WriteCalls m_calls;
    std::string m_name;   // as given, for the messages
    std::string m_target; // the regular file replaced, links followed
    std::string m_temporary;
    std::string m_note;
    int m_dir = -1; // the target's directory, opened: names in it stay short
    int m_fd = -1;
    int m_writeError = 0;
};

// Removes the new files of the replacements still being written, for a
// program that has to end at once (datafiles/lastresort.h): it leaves none
// behind. Safe to call from a terminate handler.
void removeUnfinishedReplacements() noexcept;

// Makes `bytes` the whole content of the file `name`, as FileReplacement
// writes it. Returns false with the reason in `error` ("cannot write NAME: No
// space left on device"); the target is then as it was and no other file is
// left. `note`, when given, receives FileReplacement::note().
bool replaceFileWhole(const std::string& name, std::string_view bytes, std::string& error,
                      const WriteCalls& calls = {}, std::string* note = nullptr);

// Length of the valid UTF-8 sequence that starts at s[i], or 0 when the byte
// there starts none.
std::size_t utf8Sequence(std::string_view s, std::size_t i);

// The name as a message may show it on one line: valid UTF-8 as it is, a
// line end or tab as \n, \r, \t, any other control byte and any byte that is
// not UTF-8 as \xHH.
std::string displayName(std::string_view name);

} // namespace lobus
