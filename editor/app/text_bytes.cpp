#include "app/text_bytes.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace vek::editor {

namespace {

struct LineEndCounts {
    qsizetype crlf = 0, lf = 0, cr = 0;
};

LineEndCounts countLineEnds(const QByteArray &bytes) {
    LineEndCounts counts;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++counts.crlf;
                ++i;
            } else {
                ++counts.cr;
            }
        } else if (bytes[i] == '\n') {
            ++counts.lf;
        }
    }
    return counts;
}

LineEnd commonest(const LineEndCounts &c) {
    if (c.crlf >= c.lf && c.crlf >= c.cr && c.crlf > 0)
        return LineEnd::CrLf;
    if (c.cr > c.lf)
        return LineEnd::Cr;
    return LineEnd::Lf;
}

QString lineEndText(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::CrLf: return QStringLiteral("\r\n");
    case LineEnd::Cr: return QStringLiteral("\r");
    case LineEnd::Lf: break;
    }
    return QStringLiteral("\n");
}

// Bytes that the character at `i` takes in the file; `units` receives the
// number of UTF-16 units it spans.
int charBytes(const QString &text, qsizetype i, const TextFormat &format, int &units) {
    units = 1;
    const char16_t c = text[i].unicode();
    if (c == '\n')
        return format.lineEnd == LineEnd::CrLf ? 2 : 1;
    if (format.encoding == TextEncoding::Bytes || c < 0x80)
        return 1;
    if (c < 0x800)
        return 2;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
        units = 2;
        return 4;
    }
    return 3;  // includes a lone surrogate, which is written as U+FFFD
}

}  // namespace

DecodedText decodeBytes(const QByteArray &bytes) {
    DecodedText decoded;
    const LineEndCounts counts = countLineEnds(bytes);
    decoded.format.lineEnd = commonest(counts);
    decoded.format.mixedLineEnds = (counts.crlf > 0) + (counts.lf > 0) + (counts.cr > 0) > 1;

    // A byte order mark stays in the text so that saving writes it back.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    decoded.text = utf8.decode(bytes);
    if (utf8.hasError()) {
        decoded.format.encoding = TextEncoding::Bytes;
        decoded.text = QString::fromLatin1(bytes);
    }
    decoded.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    decoded.text.replace('\r', '\n');
    return decoded;
}

bool canEncode(const QString &text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8)
        return true;
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

QByteArray encodeText(const QString &text, const TextFormat &format) {
    QString withBreaks = text;
    if (format.lineEnd != LineEnd::Lf)
        withBreaks.replace('\n', lineEndText(format.lineEnd));
    if (format.encoding == TextEncoding::Bytes)
        return withBreaks.toLatin1();
    QStringEncoder utf8(QStringEncoder::Utf8);
    return utf8.encode(withBreaks);
}

qint64 byteOffsetOf(const QString &text, int position, const TextFormat &format) {
    qint64 offset = 0;
    const qsizetype end = std::clamp<qsizetype>(position, 0, text.size());
    int units = 1;
    for (qsizetype i = 0; i < end; i += units)
        offset += charBytes(text, i, format, units);
    return offset;
}

int positionOfByte(const QString &text, qint64 offset, const TextFormat &format) {
    qint64 bytes = 0;
    int units = 1;
    for (qsizetype i = 0; i < text.size(); i += units) {
        bytes += charBytes(text, i, format, units);
        if (bytes > offset)
            return int(i);
    }
    return int(text.size());
}

}  // namespace vek::editor
