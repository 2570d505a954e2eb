#include "tests/support/commalocales.h"

#include "tests/support/tempdir.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lobus::test {
namespace {

// Runs localedef for one locale with its output in `log`; 127 when it cannot
// be started.
int localedef(const std::string& source, const std::string& out, const std::string& log)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ::dup2(fd, 1);
            ::dup2(fd, 2);
        }
        // -c: a locale source with warnings still gives its files.
        const char* argv[] = {"localedef", "-c", "-i", source.c_str(), "-f", "UTF-8", out.c_str(), nullptr};
        ::execvp("localedef", const_cast<char* const*>(argv));
        ::_exit(errno == ENOENT ? 127 : 126);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::string contents(const std::string& name)
{
    std::ifstream in(name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

CommaLocales make(const TempDir& dir)
{
    CommaLocales made;
    made.path = dir.path().string();
    for (const char* source : {"pl_PL", "de_DE"}) {
        const std::string name = std::string(source) + ".UTF-8";
        const std::string log = (dir.path() / (name + ".log")).string();
        const int status = localedef(source, (dir.path() / name).string(), log);
        if (status == 127) {
            made.localedefMissing = true;
            return made;
        }
        if (!std::filesystem::exists(dir.path() / name / "LC_NUMERIC")) {
            made.problem = "localedef could not make " + name
                + " (are the locale sources installed?): " + contents(log);
            return made;
        }
        made.names.push_back(name);
    }
    ::setenv("LOCPATH", made.path.c_str(), 1);
    for (const std::string& name : made.names) {
        char text[16] = {};
        const ScopedLocale locale(name);
        if (locale.taken())
            std::snprintf(text, sizeof text, "%.1f", 0.5);
        if (std::string(text) != "0,5")
            made.problem = name + " does not write a decimal comma: \"" + text + "\"";
    }
    return made;
}

} // namespace

ScopedLocale::ScopedLocale(const std::string& name) : m_previous(std::setlocale(LC_ALL, nullptr))
{
    m_taken = std::setlocale(LC_ALL, name.c_str()) != nullptr;
}

ScopedLocale::~ScopedLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }

const CommaLocales& commaLocales()
{
    static const TempDir dir;
    static const CommaLocales made = make(dir);
    return made;
}

} // namespace lobus::test
