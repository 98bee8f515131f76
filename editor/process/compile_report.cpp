#include "process/compile_report.h"

#include <QFileInfo>
#include <algorithm>

namespace vek::editor {

namespace {

QString summary(const CompileReport &report) {
    const QString what = report.scope == QLatin1String("the whole piece")
                             ? report.source
                             : QStringLiteral("%1 of %2").arg(report.scope, report.source);
    return QStringLiteral("%1 to %2").arg(what, QFileInfo(report.output).fileName());
}

// The length of a variable-length number at `at`, its value in `value`;
// 0 when it runs past `end`.
int readVariable(const QByteArray &bytes, qsizetype at, qsizetype end, quint32 &value) {
    value = 0;
    for (int length = 1; length <= 4 && at < end; ++length, ++at) {
        const auto byte = quint8(bytes[at]);
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return length;
    }
    return 0;
}

quint32 bigEndian(const QByteArray &bytes, qsizetype at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

int countTrack(const QByteArray &bytes, qsizetype at, qsizetype end) {
    int notes = 0;
    quint8 status = 0;
    quint32 value = 0;
    while (at < end) {
        const int delta = readVariable(bytes, at, end, value);
        if (delta == 0 || at + delta >= end)
            break;
        at += delta;
        if (quint8(bytes[at]) & 0x80)
            status = quint8(bytes[at++]);
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            at += status == 0xFF ? 1 : 0;  // the meta event's type
            const int length = readVariable(bytes, at, end, value);
            if (length == 0)
                break;
            at += length + qsizetype(value);
            status = 0;  // running status does not survive these
            continue;
        }
        const int kind = status & 0xF0;
        const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        if (status < 0x80 || at + dataBytes > end)
            break;
        if (kind == 0x90 && bytes[at + 1] != 0)
            ++notes;
        at += dataBytes;
    }
    return notes;
}

}  // namespace

QString statusText(const CompileReport &report) {
    return QStringLiteral("Compiled %1 in %2 ms").arg(summary(report)).arg(report.elapsedMs);
}

QString paneLine(const CompileReport &report) {
    const QString time = report.time.toString(QStringLiteral("HH:mm:ss"));
    if (report.failed)
        return QStringLiteral("%1  %2").arg(time, report.error);
    QString line = QStringLiteral("%1  %2 (%3), %4 ms")
                       .arg(time, summary(report), report.midi ? QStringLiteral("MIDI file") : QStringLiteral("work file"))
                       .arg(report.elapsedMs);
    if (report.notes >= 0)
        line += report.notes == 1 ? QStringLiteral(", 1 note") : QStringLiteral(", %1 notes").arg(report.notes);
    return line;
}

int countNoteOns(const QByteArray &midiFile) {
    int notes = 0;
    qsizetype at = 0;
    while (at + 8 <= midiFile.size()) {
        const qsizetype length = bigEndian(midiFile, at + 4);
        const qsizetype end = std::min(midiFile.size(), at + 8 + length);
        if (midiFile.mid(at, 4) == "MTrk")
            notes += countTrack(midiFile, at + 8, end);
        at = end;
    }
    return notes;
}

QString selectionBars(const QString &text, int start, int end) {
    int bar = 1, first = 1;
    bool comment = false;
    const int stop = std::min(end, int(text.size()));
    for (int i = 0; i < stop; ++i) {
        if (i == start)
            first = bar;
        const QChar c = text[i];
        if (c == '\n')
            comment = false;
        else if (c == '\'')
            comment = !comment;  // a quote opens a comment, the next one or the line end closes it
        if (comment || c != '|')
            continue;
        int digits = i + 1;
        while (digits < text.size() && text[digits].isDigit())
            ++digits;
        bar = digits > i + 1 ? text.mid(i + 1, digits - i - 1).toInt() : bar + 1;
    }
    if (start >= stop)
        first = bar;
    // A selection that ends right after a bar line does not reach the next bar.
    int last = bar;
    if (stop > start && last > first && text.left(stop).trimmed().endsWith('|'))
        --last;
    return first == last ? QStringLiteral("bar %1").arg(first) : QStringLiteral("bars %1-%2").arg(first).arg(last);
}

}  // namespace vek::editor
