#include "gui/settingsfile.h"

#include "datafiles/fileaccess.h"
#include "datafiles/fileidentity.h"
#include "datafiles/filereplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>

namespace lobus {
namespace {

QString problemText(const std::string& path, const std::string& reason)
{
    return QCoreApplication::translate("lobus::SettingsFile", "Ustawienia nie będą zapisane: %1 (%2).")
        .arg(QString::fromStdString(displayName(path)), QString::fromStdString(reason));
}

} // namespace

std::string SettingsFile::defaultPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QFile::encodeName(dir + QLatin1Char('/') + QCoreApplication::organizationName() + QLatin1Char('/')
                             + QCoreApplication::applicationName() + QStringLiteral(".conf"))
        .toStdString();
}

SettingsFile::SettingsFile(std::string path) : m_path(std::move(path))
{
    std::string bytes;
    if (!fileMissing(m_path)) {
        std::string reason;
        std::FILE* f = openForReading(m_path, reason);
        if (f) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
                bytes.append(buffer, n);
            if (std::ferror(f))
                reason = systemErrorText(EIO);
            std::fclose(f);
        }
        if (!reason.empty())
            m_problem = problemText(m_path, reason);
    }
    // The values live in a private copy, which QSettings reads and writes as
    // it pleases; the file itself is written only by save().
    const QString copy = m_copy.filePath(QStringLiteral("settings.conf"));
    QFile file(copy);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    m_settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
}

bool SettingsFile::save(const std::vector<std::string>& inputs)
{
    if (!m_problem.isEmpty() || !m_copy.isValid())
        return false;
    if (const auto input = inputWrittenOver(m_path, inputs)) {
        m_problem = QString::fromStdString(outputIsInputText(m_path, *input));
        return false;
    }
    m_settings->sync();
    QFile copy(m_settings->fileName());
    if (!copy.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = copy.readAll();
    std::string error;
    const std::size_t slash = m_path.find_last_of('/');
    if (slash != std::string::npos)
        QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(m_path.substr(0, slash))));
    if (!replaceFileWhole(m_path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          error)) {
        m_problem = QString::fromStdString(error);
        return false;
    }
    return true;
}

} // namespace lobus
