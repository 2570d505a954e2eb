#pragma once
// Runs lobus-render as a user would and collects what it printed.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

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

inline RunResult runRender(const QStringList& args, const QString& workingDir = QString())
{
    QProcess p;
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
