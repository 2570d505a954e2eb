#include "dialogs/filename.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lobus {

namespace {

#ifndef _WIN32
// The bytes of a name component that Qt showed as `shown`: the one entry of
// `dir` that Qt shows the same way, or the plain encoding when none or
// several do.
QByteArray entryShownAs(const QByteArray& dir, const QString& shown)
{
    QByteArray found;
    int matches = 0;
    if (DIR* d = ::opendir(dir.constData())) {
        while (const dirent* e = ::readdir(d)) {
            if (QFile::decodeName(e->d_name) == shown) {
                found = e->d_name;
                ++matches;
            }
        }
        ::closedir(d);
    }
    return matches == 1 ? found : QFile::encodeName(shown);
}
#endif

} // namespace

std::string fileSystemName(const QString& chosen)
{
#ifndef _WIN32
    if (chosen.contains(QChar::ReplacementCharacter)) {
        QByteArray path; // the bytes so far, without a closing "/"
        const QStringList parts = chosen.split(QLatin1Char('/'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QString& part = parts[i];
            const QByteArray dir = i == 0 ? QByteArray(".") : path.isEmpty() ? QByteArray("/") : path;
            const QByteArray bytes = part.contains(QChar::ReplacementCharacter) ? entryShownAs(dir, part)
                                                                                : QFile::encodeName(part);
            if (i > 0)
                path += '/';
            path += bytes;
        }
        return path.toStdString();
    }
#endif
    return QDir::toNativeSeparators(chosen).toStdString();
}

bool mayWriteInto(const QString& folder)
{
#ifndef _WIN32
    const std::string name = fileSystemName(folder);
    struct stat st { };
    if (::stat(name.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return ::access(name.c_str(), W_OK | X_OK) == 0;
#else
    return QFileInfo(folder).isDir() && QFileInfo(folder).isWritable();
#endif
}

FileStamps fileStamps(const QStringList& files)
{
    FileStamps stamps;
    for (const QString& f : files) {
        const QFileInfo info(f);
        stamps.emplace_back(info.exists() ? info.size() : -1,
                            info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1);
    }
    return stamps;
}

QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace lobus
