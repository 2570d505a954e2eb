#include "cli/argtext.h"

#include "datafiles/filereplace.h"

#include <string_view>

namespace lobus {

QString argumentText(const char* bytes)
{
    const std::string_view s(bytes);
    QString text;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Sequence(s, i);
        if (n > 0) {
            text += QString::fromUtf8(s.data() + i, static_cast<qsizetype>(n));
            i += n;
        } else {
            text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(s[i++])));
        }
    }
    return text;
}

std::string argumentBytes(const QString& text)
{
    std::string bytes;
    qsizetype run = 0; // start of the characters not yet encoded
    const auto flush = [&](qsizetype end) {
        if (end > run)
            bytes += text.mid(run, end - run).toStdString();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const bool afterHigh = i > 0 && text.at(i - 1).isHighSurrogate();
        if (u >= 0xDC80 && u <= 0xDCFF && !afterHigh) {
            flush(i);
            bytes += static_cast<char>(u - 0xDC00);
            run = i + 1;
        }
    }
    flush(text.size());
    return bytes;
}

} // namespace lobus
