#pragma once
// Command-line arguments are bytes. A file name need not be UTF-8 on Linux,
// so each argument is decoded with every byte that is not part of valid UTF-8
// kept as a lone surrogate (U+DC80..U+DCFF), and encoded back to exactly the
// bytes it came from.

#include <QString>

#include <string>

namespace lobus {

QString argumentText(const char* bytes);
std::string argumentBytes(const QString& text);

} // namespace lobus
