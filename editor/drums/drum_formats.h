// The values of the drum records in Drum.ini, one line per record under
// the record's name:
//   drumfigure   beat mode, frequencies 0-15, instrument name, seed
//   drumpattern  names of figures 1-4, seed, trailing crash
//   drum part    name of A, repeats A, name of B, repeats B, name of X,
//                break every, total, ending, seed, tempo
// all separated by commas, so no name may hold a comma.
#pragma once

#include "drums/drum_records.h"

#include <QString>

namespace vek::editor {

QString figureValue(const DrumFigure &figure);
QString patternValue(const DrumPattern &pattern);
QString partValue(const DrumPart &part);

// Fields are read in order until one does not fit its format; the fields
// after it keep their defaults (empty names, zero numbers, tempo 130).
// Numbers are brought into their ranges and names lose surrounding blanks.
// A pattern holds only the names of its figures, a part only the names of
// its patterns: the library loads them.
DrumFigure parseFigure(const QString &value);
DrumPattern parsePattern(const QString &value);
DrumPart parsePart(const QString &value);

// Why `name` cannot be stored as a record name or inside a record value
// (empty when it can): a comma would split the value, and "=" or a leading
// "[" or ";" would not read back as the key.
QString nameProblem(const QString &name);

}  // namespace vek::editor
