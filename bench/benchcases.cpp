#include "bench/benchcases.h"

#include <stdexcept>

namespace lobus::bench {

void NoDialogs::WMESSAGEBOX(int, int, int, const std::string& text, const std::string&)
{
    throw std::runtime_error("unexpected warning: " + text);
}

void NoDialogs::WSELECTFILE(int, int, std::string&, const std::string&) { }

int NoDialogs::WINFODIALOG(int) { return 0; }

std::string NoDialogs::presetResultFile(int) { return {}; }

} // namespace lobus::bench
