#include "casefiles.h"

#include <charconv>

namespace lobus::test {

std::string numbers(const std::vector<float>& v)
{
    std::string s;
    for (const float x : v) {
        char b[32];
        const auto r = std::to_chars(b, b + sizeof b, x);
        s += "  ";
        s.append(b, r.ptr);
    }
    return s;
}

std::string danText(const std::string& ikmField, const std::vector<float>& tabpsi,
                    const std::vector<float>& pairs, const char* eol)
{
    std::string t;
    for (int i = 1; i <= 13; ++i)
        t += "Łożysko wielopowierzchniowe, rekord " + std::to_string(i) + eol;
    t += "  0.1  0.05  1500.0  0.02  40.0  " + ikmField + eol;
    t += std::string("kąty klinów") + eol + eol;
    t += numbers(tabpsi) + eol;
    t += std::string("środki") + eol + eol;
    t += numbers(pairs) + eol;
    t += std::string("koniec danych") + eol;
    return t;
}

std::string resultText(const std::vector<Block>& blocks, const char* eol)
{
    std::string t;
    for (int i = 1; i <= 9; ++i)
        t += "naglowek " + std::to_string(i) + eol;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (b > 0)
            for (int i = 1; i <= 5; ++i)
                t += "klin " + std::to_string(b + 1) + " naglowek " + std::to_string(i) + eol;
        for (const auto& line : blocks[b].lines)
            t += line + eol;
    }
    return t;
}

Block pressureBlock(float from, float to, float step)
{
    Block b;
    float a = from;
    for (; a < to; a += step)
        b.lines.push_back(numbers({a, 1000.0f * a}));
    b.lines.push_back(numbers({to, 1000.0f * to}));
    return b;
}

std::string chaText(const std::vector<float>& record7)
{
    std::string t;
    for (int i = 1; i <= 6; ++i)
        t += "charakterystyki " + std::to_string(i) + "\n";
    return t + numbers(record7) + "\n";
}

} // namespace lobus::test
