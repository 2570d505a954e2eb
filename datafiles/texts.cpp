#include "datafiles/texts.h"

#include <vector>

namespace lobus::texts {
namespace {
Translator g_translator = nullptr;
} // namespace

void setTranslator(Translator translator) { g_translator = translator; }

std::string translate(const char* context, const char* source)
{
    return g_translator ? g_translator(context, source) : std::string(source);
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    const std::vector<std::string_view> a(args);
    std::string out;
    out.reserve(pattern.size() + 64);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < a.size()) {
                out += a[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace lobus::texts
