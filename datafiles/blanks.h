#pragma once
// Names and texts as the program keeps them: padded with blanks on the right.

#include <string>
#include <string_view>

namespace lobus {

// `text` without its trailing blanks (only ' ', as the padding is).
inline std::string_view withoutTrailingBlanks(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// Name without trailing blanks, as the names are joined and shown.
inline std::string trimTrailingBlanks(std::string_view name)
{
    return std::string(withoutTrailingBlanks(name));
}

} // namespace lobus
