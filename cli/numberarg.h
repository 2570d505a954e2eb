#pragma once
// Numbers on the command line: a value in a range, or a usage error.

#include <stdexcept>
#include <string>
#include <string_view>

namespace lobus {

// A bad command line; main() prints the message on one line and exits 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole of `text` as a finite number within [lo, hi] (an optional leading
// "+" allowed); otherwise UsageError naming `option` and the range.
double numberInRange(std::string_view option, std::string_view text, double lo, double hi);

// The same for a whole number.
int integerInRange(std::string_view option, std::string_view text, int lo, int hi);

// A finite number that a 32-bit REAL can hold.
float realArgument(std::string_view option, std::string_view text);

} // namespace lobus
