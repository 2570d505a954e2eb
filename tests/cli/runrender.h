#pragma once
// Runs lobus-render as a user would and collects what it printed.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lobus::test {

struct RunResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline QString renderProgram() { return QStringLiteral(LOBUS_RENDER); }
inline QString examplesDir() { return QStringLiteral(LOBUS_EXAMPLES_DIR); }
inline QString exampleData(const char* name)
{
    return examplesDir() + QStringLiteral("/DANE/") + QString::fromLatin1(name) + QStringLiteral(".dan");
}
inline QString exampleResult(const char* name, const char* ext)
{
    return examplesDir() + QStringLiteral("/WYN/") + QString::fromLatin1(name) + QString::fromLatin1(ext);
}

// The program runs in the C locale, where it speaks Polish, whatever the
// languages of the machine running the tests.
inline void cLocale()
{
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::unsetenv("LANGUAGE");
}

// `settings` ("NAME=value") are put in the program's environment last.
inline RunResult runRender(const QStringList& args, const QString& workingDir = QString(),
                           const QStringList& settings = {})
{
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("LANGUAGE"));
    for (const QString& setting : settings)
        environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(environment);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(renderProgram(), args);
    RunResult r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return r; // status -1: crashed or hung
    r.status = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// Runs lobus-render with arguments given as bytes (a file name need not be
// UTF-8); `inChild` runs in the new process before the program starts (to
// set a limit). Standard output goes to a scratch file that is dropped;
// standard error is kept.
inline RunResult runRenderBytes(const std::vector<std::string>& args, void (*inChild)() = nullptr)
{
    RunResult r;
    int err[2];
    if (::pipe(err) != 0)
        return r;
    std::string scratch = QDir::tempPath().toStdString() + "/lobus-render-out-XXXXXX";
    const int out = ::mkstemp(scratch.data());
    if (out < 0)
        return r;
    ::unlink(scratch.c_str());
    const std::string program = renderProgram().toStdString();
    std::vector<char*> argv {const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(err[1], 2);
        ::dup2(out, 1);
        ::close(err[0]);
        ::alarm(120); // a run that hangs ends as a failure
        cLocale();
        if (inChild)
            inChild();
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(err[1]);
    ::close(out);
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        r.err.append(buffer, n);
    ::close(err[0]);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        r.status = WEXITSTATUS(status);
    return r;
}

inline bool copyFile(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    return QFile::copy(from, to);
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace lobus::test
