// Putting the caret on the character a compile error names.
#pragma once

#include <QString>

namespace vek::editor {

class CPadView;

struct TextLocation {
    int line = 0;    // 1-based
    int column = 0;  // 1-based, in characters
};

// Selects the one character that holds byte `byteOffset` of the file (a
// line break, a character of several bytes and a surrogate pair count as
// one character), scrolls it into view and returns where it is. An offset
// past the end puts the caret at the end.
TextLocation selectErrorCharacter(CPadView &view, qint64 byteOffset);

// "Line 3, column 5 of song.vek."
QString describeLocation(const TextLocation &location, const QString &title);

}  // namespace vek::editor
