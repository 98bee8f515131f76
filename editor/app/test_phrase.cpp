#include "app/test_phrase.h"

namespace vek::editor {

namespace {

void appendBigEndian(QByteArray &out, quint32 value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
}

}  // namespace

QByteArray testPhraseMidi() {
    constexpr int kDivision = 480;  // ticks per quarter note, at 120 beats a minute
    constexpr int kEighth = kDivision / 2;
    QByteArray track;
    track.append("\x00\xC0\x00", 3);  // program 1, piano
    const unsigned char notes[] = {60, 64, 67, 72};
    for (unsigned char note : notes) {
        track.append('\0');
        track.append(char(0x90)).append(char(note)).append(char(100));
        // Delta time as a two-byte variable-length number.
        track.append(char(0x80 | (kEighth >> 7))).append(char(kEighth & 0x7F));
        track.append(char(0x80)).append(char(note)).append(char(0));
    }
    track.append("\x00\x90\x30\x64\x00\x90\x3C\x64", 8);  // a closing chord, C3 and C4
    constexpr int kHalf = kDivision * 2;
    track.append(char(0x80 | (kHalf >> 7))).append(char(kHalf & 0x7F));
    track.append("\x80\x30\x00\x00\x80\x3C\x00", 7);
    track.append("\x00\xFF\x2F\x00", 4);

    QByteArray file("MThd", 4);
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, 0, 2);  // format 0
    appendBigEndian(file, 1, 2);
    appendBigEndian(file, kDivision, 2);
    file.append("MTrk", 4);
    appendBigEndian(file, quint32(track.size()), 4);
    return file + track;
}

}  // namespace vek::editor
