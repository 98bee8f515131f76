#include "input/lexer.h"

#include "input/errors.h"
#include "input/reader.h"

namespace vek {

bool isNameDelimiter(int c) {
    switch (c) {
    case ' ': case '\t': case '\n': case kEndOfInput:
    case ')': case ']': case '(': case '[': case '=': case ';': case '+': case '-': case '"':
        return true;
    default:
        return false;
    }
}

int skipBlanks(CompileState &cs) {
    if (!isBlank(cs.ch)) return 0;
    do {
        nextChar(cs, kReadNormal);
    } while (isBlank(cs.ch));
    cs.atStatementStart = 1;
    return 1;
}

int readName(CompileState &cs, int maxLen, bool noEcho) {
    skipBlanks(cs);
    cs.nameStart = position(cs);
    int length = 0;
    bool overflow = false;
    while (!isNameDelimiter(cs.ch)) {
        if (length < kNameBytes - 1) cs.name[length++] = static_cast<char>(cs.ch);
        else overflow = true;
        const int c = nextChar(cs, kReadName);
        if (isBlank(c)) {
            unreadBlank(cs);  // the blank is read once more later
        } else if (isMacroCharacter(c)) {
            cs.ch = ' ';      // the macro character is read again in normal mode
            seek(cs, -1, true);
        }
    }
    cs.name[length] = '\0';
    if (overflow || length > maxLen) error(cs, kMsgNameTooLong);
    if (cs.listOn && !noEcho) listWord(cs, cs.name);
    return isNameStart(static_cast<unsigned char>(cs.name[0])) ? 0 : cs.ch;
}

int peekName(CompileState &cs, uint32_t &hash) {
    const InputState &in = cs.in;
    const SongContext &s = *cs.song;
    if ((cs.debugOn | s.selectionFlag) != 0 || s.extractMode != 0) return 0;
    int length = 0;
    cs.name[length++] = static_cast<char>(cs.ch);
    hash = HashTable::hashStep(0, static_cast<char>(cs.ch));
    for (int32_t i = in.index; i < in.fill && length <= kStatementNameMax; ++i) {
        const uint8_t c = in.data[i];
        const uint8_t kind = kByteClasses.of[c];
        if (kind & kSlowAlways) return 0;
        if (kind & kEndsName) {
            // readName delivers the rest of the name and its delimiter, and
            // the name is read again from its first letter.
            if (in.charactersLeft < length + 1) return 0;
            cs.name[length] = '\0';
            cs.nameStart = position(cs);
            return length;
        }
        cs.name[length++] = static_cast<char>(c);
        hash = HashTable::hashStep(hash, static_cast<char>(c));
    }
    return 0;
}

}  // namespace vek
