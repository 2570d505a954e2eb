#pragma once
// Names are bytes on Linux. Qt shows a byte that is not UTF-8 in a name as
// U+FFFD, so a name that came back from a dialog or Qt's command line is not
// the name on the file system; this gets that name back.

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace lobus {

// The bytes of a name Qt shows as `shown`: each component holding U+FFFD is
// found again among its directory's entries (the one entry Qt shows the same
// way); any other name is simply encoded.
std::string fileSystemName(const QString& shown);

// True when a new file may be made in the folder. The superuser may write
// anywhere, so for it the folder's mode bits decide, as for the files it
// replaces.
bool mayWriteInto(const QString& folder);

// The size and time of each file, as a solver's rewriting changes them;
// -1 for a file that is not there.
using FileStamps = std::vector<std::pair<qint64, qint64>>;
FileStamps fileStamps(const QStringList& files);

// The user's pictures folder, or the home folder where there is none.
QString picturesFolder();

} // namespace lobus
