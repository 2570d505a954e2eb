#pragma once
// File-system calls of the reading layer. Names are bytes: on Linux a name
// reaches the file system exactly as given, whatever its encoding; on Windows
// it is taken as UTF-8 (a narrow name would otherwise go through the ANSI code
// page and lose the Polish letters).
//
// Only regular files are ever read: a directory, a FIFO or a device (whose
// reads could block or never end) is refused before the first byte is read.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace lobus {

std::filesystem::path pathFromUtf8(const std::string& name);

// True when nothing answers to the name (ENOENT or ENOTDIR; a link that leads
// nowhere too): the file is missing. A name that is there but cannot be reached (a directory, a link
// loop, no permission) is not missing; reading it tells why.
bool fileMissing(const std::string& name);

// True when a regular file (a link to one included) is there under the name.
bool fileExists(const std::string& name);

// The bytes of the regular file under the name (a thread's file in memory
// first); 0 for anything else, or when the size cannot be had.
std::uintmax_t regularFileBytes(const std::string& name);

// Opens an existing regular file for binary reading. Null when it cannot,
// with the reason in `reason` ("No such file or directory", "not a regular
// file (a directory)", ...).
std::FILE* openForReading(const std::string& name, std::string& reason);

// Moves a stream to byte `offset` of its file; false when it cannot.
bool seekFile(std::FILE* file, std::uint64_t offset);

// Opens (creates or empties) a file for binary writing, locked against every
// other program that opens it so until the stream is closed; null when it
// cannot, with the reason in `reason` (another program writing it included:
// nothing is then emptied). A FIFO or a socket is refused (its open or its
// writes could wait for ever); a device takes what is written.
std::FILE* openForWriting(const std::string& name, std::string& reason);

// What a name that is not a regular file names, for the messages that refuse
// it: "to katalog", "to kolejka FIFO", "to urządzenie", "to gniazdo" or "to
// plik specjalny".
std::string fileKindText(std::filesystem::file_type type);

// Why a read or a write refuses it: "nie jest zwykłym plikiem (to katalog)".
std::string notRegularFileText(std::filesystem::file_type type);

#ifndef _WIN32
// The kind of file a stat's st_mode gives.
std::filesystem::file_type fileTypeOfMode(unsigned mode);
#endif

// The text of an errno value, e.g. "No space left on device".
std::string systemErrorText(int error);

} // namespace lobus
