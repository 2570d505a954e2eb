#include "cli/numberarg.h"

#include "datafiles/texts.h"
#include "numbers/numberparse.h"
#include "numbers/numbertext.h"

#include <limits>

namespace lobus {

double numberInRange(std::string_view option, std::string_view text, double lo, double hi)
{
    double v = 0.0;
    if (parseReal(text, v, RealSyntax::Argument) != NumberStatus::Ok || v < lo || v > hi)
        throw UsageError(
            texts::fillIn(texts::translate("lobus::Render", "%1: oczekiwano liczby od %2 do %3, podano '%4'"),
                          {option, realText(lo), realText(hi), text}));
    return v;
}

int integerInRange(std::string_view option, std::string_view text, int lo, int hi)
{
    int v = 0;
    if (parseInteger(text, v) != NumberStatus::Ok || v < lo || v > hi)
        throw UsageError(texts::fillIn(
            texts::translate("lobus::Render", "%1: oczekiwano liczby całkowitej od %2 do %3, podano '%4'"),
            {option, std::to_string(lo), std::to_string(hi), text}));
    return v;
}

float realArgument(std::string_view option, std::string_view text)
{
    const double limit = std::numeric_limits<float>::max();
    return static_cast<float>(numberInRange(option, text, -limit, limit));
}

} // namespace lobus
