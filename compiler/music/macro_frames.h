// What the macro machinery's files share: message codes and frame helpers.
#pragma once
#include "music/macros.h"
#include "messages/message_codes.h"

namespace vek {

// "?1".."?9" are arguments 1-9 and a letter counts from 10 ("?A", "?a" are
// argument 10); -1 when `c` is neither digit nor letter ("?0" gives 0).
inline int argumentNumber(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

// inMacro holds the top frame's kind, so the frame itself is not looked at.
inline bool inArgumentText(const MacroStack &m) {
    return m.depth > 0 && m.inMacro == 0;
}

inline void syncInMacro(MacroStack &m) {
    m.inMacro = m.depth > 0 ? m.frames[m.depth - 1].frameKind : 0;
}

// The name of `symbol` in cs.name, for the messages that quote it.
void nameInMessage(CompileState &cs, const HashEntry *symbol);

}  // namespace vek
