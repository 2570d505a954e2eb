#include "app/bmpname.h"

#include "datafiles/blanks.h"

namespace lobus {

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Start of the code point that ends just before byte position `end`.
std::size_t previousCharacter(const std::string& s, std::size_t end)
{
    std::size_t i = end - 1;
    while (i > 0 && isContinuation(s[i]))
        --i;
    return i;
}

} // namespace

void SPRNAZWAZBBMP(std::string& name)
{
    name.resize(withoutTrailingBlanks(name).size());
    if (name.empty())
        return;

    if (name.back() == '.') {
        name.pop_back();
        name += ".bmp";
        return;
    }

    std::size_t pos = previousCharacter(name, name.size()); // the last character
    for (int i = 1; i <= 3 && pos > 0; ++i) {
        pos = previousCharacter(name, pos);
        const char c = name[pos];
        if (c == '.') {
            if (name.compare(pos, std::string::npos, ".bmp") != 0)
                name = name.substr(0, pos) + ".bmp";
            return;
        }
        if (c == '\\' || c == '/')
            break;
    }
    name += ".bmp";
}

} // namespace lobus
