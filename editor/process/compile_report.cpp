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
