#include "datafiles/lastresort.h"

#include "datafiles/filereplace.h"
#include "datafiles/texts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lobus {
namespace {

// Made when the handler is installed: the handler itself must not allocate.
char g_outOfMemory[512];
char g_otherFailure[512];

void copyLine(char (&to)[512], const std::string& text)
{
    std::strncpy(to, text.c_str(), sizeof to - 2);
    to[sizeof to - 2] = '\0';
    std::strcat(to, "\n");
}

void writeLine(const char* line)
{
#ifndef _WIN32
    const ssize_t n = ::write(2, line, std::strlen(line));
    (void)n;
#else
    std::fputs(line, stderr);
#endif
}

[[noreturn]] void lastResort()
{
    bool memory = false;
    if (const std::exception_ptr failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::bad_alloc&) {
            memory = true;
        } catch (...) { }
    }
    removeUnfinishedReplacements();
    writeLine(memory ? g_outOfMemory : g_otherFailure);
    std::_Exit(1);
}

} // namespace

void endFailuresWithOneLine(const char* program)
{
    copyLine(g_outOfMemory,
             texts::fillIn(texts::translate("lobus",
                                            "%1: zabrakło pamięci w bibliotece, która nie umie tego "
                                            "zgłosić; program kończy się bez zapisu"),
                           {program}));
    copyLine(g_otherFailure,
             texts::fillIn(texts::translate("lobus", "%1: nieoczekiwany błąd; program kończy się bez zapisu"),
                           {program}));
    std::set_terminate(lastResort);
}

} // namespace lobus
