// A document's bytes and the text the editor shows, and the mapping between
// positions in the text and byte offsets in the file.
//
// The file is kept as it was: text that is valid UTF-8 is decoded as UTF-8,
// anything else byte for byte (each byte one character). Line breaks become
// '\n' in the text and go back to the file in the document's style, so CR LF
// and LF files survive open and save unchanged. The compiler reports byte
// offsets and takes byte offsets for the selection; the view shows
// characters (UTF-16 units, one per line break): byteOffsetOf and
// positionOfByte convert.
#pragma once

#include <QByteArray>
#include <QString>

namespace vek::editor {

enum class TextEncoding { Utf8, Bytes };
enum class LineEnd { CrLf, Lf, Cr };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf;
    // The file had more than one kind of line break; saving writes the
    // commonest kind throughout.
    bool mixedLineEnds = false;

    bool operator==(const TextFormat &) const = default;
};

struct DecodedText {
    QString text;  // line breaks as '\n'
    TextFormat format;
};

DecodedText decodeBytes(const QByteArray &bytes);
// False when `text` holds a character that the format's encoding cannot
// store (a character above U+00FF in a byte-for-byte document).
bool canEncode(const QString &text, TextEncoding encoding);
QByteArray encodeText(const QString &text, const TextFormat &format);

// Byte offset in the encoded file of text position `position` (clamped to
// the text).
qint64 byteOffsetOf(const QString &text, int position, const TextFormat &format);
// Text position of the character that holds byte `offset`; offsets inside a
// multi-byte character or a CR LF pair give the character's start, offsets
// past the end give the end of the text.
int positionOfByte(const QString &text, qint64 offset, const TextFormat &format);

}  // namespace vek::editor
