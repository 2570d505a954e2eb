#include "datafiles/readreport.h"

#include "datafiles/filereplace.h"

namespace lobus {

int readErrorNumber(ReadErrorKind kind)
{
    switch (kind) {
    case ReadErrorKind::OpenFailed:
        return 6101;
    case ReadErrorKind::BadReal:
        return 6102;
    case ReadErrorKind::BadInteger:
        return 6103;
    case ReadErrorKind::EndOfFile:
        return 6104;
    case ReadErrorKind::SubscriptRange:
        return 6105;
    }
    return 6100;
}

std::string readErrorText(ReadErrorKind kind)
{
    switch (kind) {
    case ReadErrorKind::OpenFailed:
        return "file cannot be opened for reading";
    case ReadErrorKind::BadReal:
        return "bad REAL value in list input";
    case ReadErrorKind::BadInteger:
        return "bad INTEGER value in list input";
    case ReadErrorKind::EndOfFile:
        return "end of file while values were still to be read";
    case ReadErrorKind::SubscriptRange:
        return "array subscript out of range";
    }
    return "Missing error text, error #" + std::to_string(readErrorNumber(kind));
}

std::string readErrorReport(ReadErrorKind kind, std::string_view detail, std::string_view file, int unit,
                            long record)
{
    std::string r = "Error #" + std::to_string(readErrorNumber(kind)) + ": " + readErrorText(kind);
    if (!detail.empty()) {
        r += ": ";
        r += detail;
    }
    r += "\nFILE=";
    r += displayName(file);
    r += ", UNIT=" + std::to_string(unit);
    if (record > 0)
        r += ", RECORD=" + std::to_string(record);
    return r;
}

void raiseReadError(ReadErrorKind kind, std::string_view detail, std::string_view file, int unit, long record)
{
    throw ReadError(kind, readErrorNumber(kind), readErrorReport(kind, detail, file, unit, record));
}

std::string quoteToken(std::string_view token)
{
    std::string q = "'";
    const std::size_t n = token.size() < 40 ? token.size() : 40;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        q += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    if (n < token.size())
        q += "...";
    return q + "'";
}

} // namespace lobus
