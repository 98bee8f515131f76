#include "platform/page_text.h"

#include <ctime>
#include <string>

namespace vek::editor {

namespace {

QString escapedForStrftime(QString text) { return text.replace('%', QStringLiteral("%%")); }

void replaceFirst(QString &text, const QString &marker, const QString &replacement) {
    const qsizetype at = text.indexOf(marker);
    if (at >= 0)
        text.replace(at, marker.size(), replacement);
}

QString formatTime(const QString &format, const QDateTime &time) {
    if (format.isEmpty())
        return format;
    const std::time_t seconds = std::time_t(time.toSecsSinceEpoch());
    std::tm parts{};
    localtime_r(&seconds, &parts);
    const QByteArray pattern = format.toUtf8();
    // strftime() returns 0 both for an empty result and for a full buffer,
    // so grow the buffer a few times before taking the result as empty.
    for (size_t size = 128; size <= 65536; size *= 4) {
        std::string buffer(size, '\0');
        const size_t length = std::strftime(buffer.data(), size, pattern.constData(), &parts);
        if (length > 0)
            return QString::fromUtf8(buffer.data(), qsizetype(length));
    }
    return QString();
}

}  // namespace

QString expandPageText(const QString &pattern, int page, const QString &pathOrTitle,
                       const QDateTime &time) {
    QString text = pattern;
    replaceFirst(text, QStringLiteral("&p"), QString::number(page));
    replaceFirst(text, QStringLiteral("&f"), escapedForStrftime(pathOrTitle));
    return formatTime(text, time);
}

QDateTime pageTextTime(int timeFlag, const QString &pathOrTitle, const QDateTime &fileTime,
                       const QDateTime &printTime) {
    if (timeFlag != 0 || !pathOrTitle.contains('.') || !fileTime.isValid())
        return printTime;
    return fileTime;
}

}  // namespace vek::editor
