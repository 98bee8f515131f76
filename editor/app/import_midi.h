// File > Import MIDI...: a Standard MIDI File turned into Vek text (the
// converter of `vek --import`) and opened as a new untitled document.
#pragma once

#include <QByteArray>
#include <QString>

namespace vek::editor {

class CMainFrame;

// The Vek text of the MIDI file `path`; on a bad file, empty with the
// reader's message ("NAME: byte N: expected ...") in `error`.
QByteArray importedMidiText(const QString &path, QString &error);

// Asks for a MIDI file in `folder` and opens its text as a new, modified
// document; a bad file is reported and opens nothing.
void importMidiFile(CMainFrame &frame, const QString &folder);

}  // namespace vek::editor
