// numbercompare A B: exits 0 when the two text files are the same, except that
// a printed number may differ by one unit in its last printed digit.
//
// The generator's numbers come from the maths library, whose last bit may
// differ between machines; a rounding on the edge then changes the last
// printed digit, and nothing else. Everything else, the blanks before a
// number included (a number's field keeps its width), must match byte for
// byte.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

struct Token {
    std::string text; // the number with the blanks before it, or one other byte
    bool number = false;
    long double value = 0; // of a number
    long double unit = 0;  // one unit in its last printed digit
};

// Reads blanks, a sign, digits with an optional point and an exponent at `p`.
bool readNumber(const std::string& s, std::size_t p, Token& t)
{
    const std::size_t start = p;
    while (p < s.size() && s[p] == ' ')
        ++p;
    if (p < s.size() && (s[p] == '-' || s[p] == '+'))
        ++p;
    std::size_t digits = 0, decimals = 0;
    while (p < s.size() && digit(s[p]))
        ++p, ++digits;
    if (p < s.size() && s[p] == '.') {
        ++p;
        while (p < s.size() && digit(s[p]))
            ++p, ++decimals;
    }
    if (digits + decimals == 0)
        return false;
    const std::size_t mantissaEnd = p;
    long exponent = 0;
    if (p + 1 < s.size() && (s[p] == 'E' || s[p] == 'e' || s[p] == 'D' || s[p] == 'd')) {
        std::size_t q = p + 1;
        if (q < s.size() && (s[q] == '-' || s[q] == '+'))
            ++q;
        if (q < s.size() && digit(s[q])) {
            while (q < s.size() && digit(s[q]))
                ++q;
            exponent = std::strtol(s.substr(p + 1, q - p - 1).c_str(), nullptr, 10);
            p = q;
        }
    }
    t.text = s.substr(start, p - start);
    t.number = true;
    t.value = std::strtold(s.substr(start, mantissaEnd - start).c_str(), nullptr)
        * std::pow(10.0L, static_cast<long double>(exponent));
    t.unit = std::pow(10.0L, static_cast<long double>(exponent) - static_cast<long double>(decimals));
    return true;
}

std::vector<Token> tokens(const std::string& s)
{
    std::vector<Token> out;
    std::size_t p = 0;
    while (p < s.size()) {
        Token t;
        // A digit glued to a name ("case2") is part of the name.
        const bool inName = p > 0 && (std::isalpha(static_cast<unsigned char>(s[p - 1])) || s[p - 1] == '_');
        if (inName || !readNumber(s, p, t))
            t.text = s.substr(p, 1);
        p += t.text.size();
        out.push_back(std::move(t));
    }
    return out;
}

bool readFile(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return static_cast<bool>(in) || in.eof();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: numbercompare A B\n");
        return 2;
    }
    std::string a, b;
    if (!readFile(argv[1], a) || !readFile(argv[2], b)) {
        std::fprintf(stderr, "numbercompare: cannot read %s or %s\n", argv[1], argv[2]);
        return 2;
    }
    if (a == b)
        return 0;
    const std::vector<Token> ta = tokens(a), tb = tokens(b);
    int line = 1;
    for (std::size_t i = 0; i < ta.size() || i < tb.size(); ++i) {
        if (i >= ta.size() || i >= tb.size()) {
            std::fprintf(stderr, "%s:%d: one file ends before the other\n", argv[1], line);
            return 1;
        }
        const Token &x = ta[i], &y = tb[i];
        if (x.text != y.text) {
            const bool close = x.number && y.number && x.text.size() == y.text.size()
                && std::fabs(x.value - y.value) <= std::max(x.unit, y.unit) * 1.000001L;
            if (!close) {
                std::fprintf(stderr, "%s:%d: \"%s\" where %s has \"%s\"\n", argv[1], line, x.text.c_str(),
                             argv[2], y.text.c_str());
                return 1;
            }
        }
        if (x.text == "\n")
            ++line;
    }
    return 0;
}
