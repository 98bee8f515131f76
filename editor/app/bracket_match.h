// Finds the bracket that matches the one beside the caret: ( ) [ ] { }.
#pragma once

#include <QChar>
#include <functional>

namespace vek::editor {

struct BracketPair {
    int at = -1;     // position of the bracket beside the caret, -1 when none
    int match = -1;  // position of its partner, -1 when unmatched
};

// `charAt` reads the text, which is `length` characters long. The character
// after the caret is tried first, then the one before it. The search gives
// up after `limit` characters so that huge files stay responsive.
BracketPair matchBracketAt(const std::function<QChar(int)> &charAt, int length, int caret,
                           int limit = 200000);

}  // namespace vek::editor
