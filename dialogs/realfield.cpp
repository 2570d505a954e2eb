#include "dialogs/realfield.h"

#include "drawing/graphics/graphics.h"
#include "numbers/numberparse.h"

#include <cctype>

namespace lobus {

std::optional<double> parseRealField(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    if (first == last)
        return 0.0;

    double value = 0.0;
    if (parseReal(text.substr(first, last - first), value, RealSyntax::Field) != NumberStatus::Ok)
        return std::nullopt;
    return value;
}

std::string formatRealField(float value, std::string_view format)
{
    std::string text = IREALTOSTRING(value, format);
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace lobus
