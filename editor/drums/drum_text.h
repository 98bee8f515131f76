// The Vek text that the drum tools generate from their records: the text
// of a figure, a pattern and a drum part, which call the macros of
// builtins.vek, and the complete programs built around them (the figure
// has one to insert and one to audition). Line ends are CR LF.
#pragma once

#include "drums/drum_records.h"

#include <QString>
#include <functional>

namespace vek::editor {

// The Vek text of an instrument name (DrumLibrary::instrumentText).
using InstrumentTexts = std::function<QString(const QString &instrument)>;

// The tempo (beats per minute) that a program text carries: 130 for 0 or
// less (the shared drum tempo before the drum machine has shown a part),
// otherwise within 10 to 240, the compiler's range.
int textTempo(int bpm);

QString figureText(const DrumFigure &figure, const QString &instrumentText);
QString patternText(const DrumPattern &pattern, const InstrumentTexts &instruments);
// A break every of 0 is stored back into `part` as 10000.
QString partText(DrumPart &part, const InstrumentTexts &instruments);
// Empty for a beat mode other than 12 or 16 beat.
QString endingText(int beatMode, int partSeed);

// Figure and pattern programs take the shared drum tempo, the drum part
// program the part's own tempo. A beat mode other than 12 or 16 beat gives
// the include lines alone.
QString insertedFigureProgram(const DrumFigure &figure, const QString &instrumentText,
                              int sharedTempo);
QString auditionedFigureProgram(const DrumFigure &figure, const QString &instrumentText,
                                int sharedTempo);
QString patternProgram(const DrumPattern &pattern, const InstrumentTexts &instruments,
                       int sharedTempo);
QString partProgram(DrumPart &part, const InstrumentTexts &instruments);

}  // namespace vek::editor
