// What one compile from the editor did, in the words of the status bar and
// of a line in the Messages pane.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>

namespace vek::editor {

struct CompileReport {
    QTime time;
    QString source;  // the document's file name, "tune.vek"
    QString scope;   // "the whole piece", "bars 3-5", "the selection"
    QString output;  // absolute path of the written file
    bool midi = true;  // else a work file
    qint64 elapsedMs = 0;
    int notes = -1;  // note-ons in the written MIDI file; -1: not counted
    bool failed = false;
    // On failure: "file:line:column: message", and where to jump.
    QString error;
    QString errorDocument;  // absolute path; empty: no location
    qint64 errorOffset = -1;  // byte offset in that file
};

// "Compiled bars 3-5 of tune.vek to tune.mid in 2 ms".
QString statusText(const CompileReport &report);
// One line of the Messages pane, starting with the time.
QString paneLine(const CompileReport &report);

// The bars a selection of `text` covers, counted by its bar lines ("|",
// "|N" jumps to bar N) outside quote comments: "bars 3-5" or "bar 3".
QString selectionBars(const QString &text, int start, int end);

}  // namespace vek::editor
