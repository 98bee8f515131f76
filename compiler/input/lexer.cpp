#include "input/lexer.h"

#include "input/errors.h"
#include "input/reader.h"

namespace vek {

namespace {
constexpr int kCodeNameTooLong = 9;
}

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
    int skipped = 0;
    while (isBlank(cs.ch)) {
        nextChar(cs, kReadNormal);
        cs.atStatementStart = 1;
        skipped = 1;
    }
    return skipped;
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
    if (overflow || length > maxLen) error(cs, kCodeNameTooLong);
    if (cs.listOn && !noEcho) listWord(cs, cs.name);
    return isNameStart(static_cast<unsigned char>(cs.name[0])) ? 0 : cs.ch;
}

}  // namespace vek
