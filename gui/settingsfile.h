#pragma once
// The window programs' settings file (the recent files, the window's place,
// the last folder), read and written as every other file of the program:
// only a regular file, or a new name, is read or replaced; a symbolic link to
// a regular file stays a link; reading it never waits (a FIFO there is
// refused at once). Anything else under its name (a device, a FIFO, a
// directory) is left untouched: the program then runs on without keeping
// its settings, and problem() says why. The settings are held in a private
// copy; save() writes them back whole, unless that would write over one of
// the shown case's files.

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace lobus {

class SettingsFile {
public:
    // Reads the file at `path` (bytes, as the file system has them).
    explicit SettingsFile(std::string path);

    // Where the settings file of this program lies.
    static std::string defaultPath();

    QSettings& settings() { return *m_settings; }
    // Empty while the file is used; else why it is left alone, for the status bar.
    const QString& problem() const { return m_problem; }

    // Writes the settings back to the file, whole or not at all; nothing when
    // the file is left alone. Refused, with the reason in problem(), when the
    // file is one of `inputs`.
    bool save(const std::vector<std::string>& inputs);

private:
    std::string m_path;
    QTemporaryDir m_copy;
    std::unique_ptr<QSettings> m_settings;
    QString m_problem;
};

} // namespace lobus
