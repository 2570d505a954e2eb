#pragma once
// File-system calls of the reading layer, with names given in UTF-8 on every
// platform (on Windows a narrow name would otherwise go through the ANSI code
// page and lose the Polish letters).

#include <cstdio>
#include <filesystem>
#include <string>

namespace lobus {

std::filesystem::path pathFromUtf8(const std::string& name);

// True when a file of that name exists and is not a directory.
bool fileExists(const std::string& name);

// Opens an existing regular file for binary reading; null when it cannot.
std::FILE* openForReading(const std::string& name);

// Opens (creates or truncates) a file for binary writing; null when it cannot.
std::FILE* openForWriting(const std::string& name);

} // namespace lobus
