#pragma once
// Locales that write a decimal comma, for the tests that show every number
// the programs write is the same in them as in the "C" locale. They are
// compiled with localedef into a scratch folder of the test run (given to
// the C library as LOCPATH), so no test depends on the locales a machine
// happens to have generated.

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lobus::test {

struct CommaLocales {
    bool localedefMissing = false;  // the test is skipped: nothing to make them with
    std::string problem;            // localedef is there but they could not be made
    std::string path;               // the folder for LOCPATH
    std::vector<std::string> names; // pl_PL.UTF-8 and de_DE.UTF-8

    // False, with the running test skipped or failed, when they are not there.
    bool ready() const
    {
        if (localedefMissing)
            [] { GTEST_SKIP() << "localedef is not installed"; }();
        if (!problem.empty())
            ADD_FAILURE() << problem;
        return !localedefMissing && problem.empty();
    }
};

// Made on the first call, removed when the process ends.
const CommaLocales& commaLocales();

// Makes `name` (one of commaLocales().names, or "C") the C library's locale
// of this process for every category, LC_NUMERIC included, until it ends;
// then the locale before it is back.
class ScopedLocale {
public:
    explicit ScopedLocale(const std::string& name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool taken() const { return m_taken; } // false: the C library refused it

private:
    std::string m_previous;
    bool m_taken = false;
};

} // namespace lobus::test
