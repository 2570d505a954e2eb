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

// Makes `bytes` the whole content of the file `name`:
// - `name` must be a regular file or a name that does not exist yet; a
//   symbolic link is followed to the regular file it ends at, which is
//   replaced while the link stays. Anything else (a directory, FIFO, device,
//   socket, or a link that leads nowhere) is refused and nothing is touched.
// - The bytes go to a new file beside the target; every write, the sync and
//   the close are checked, and only then is it renamed over the target,
//   which keeps its permissions.
// Returns false with the reason in `error` ("cannot write NAME: No space left
// on device"); the target is then as it was and no other file is left.
bool replaceFileWhole(const std::string& name, std::string_view bytes, std::string& error,
                      const WriteCalls& calls = {});

// Length of the valid UTF-8 sequence that starts at s[i], or 0 when the byte
// there starts none.
std::size_t utf8Sequence(std::string_view s, std::size_t i);

// The name as a message may show it: valid UTF-8 as it is, any other byte
// as \xHH.
std::string displayName(std::string_view name);

} // namespace lobus
