// Blanks and names: the two lexer operations above single characters.
#pragma once
#include "entry/compile_state.h"

namespace vek {

constexpr int kDeclaredNameMax = 79;
constexpr int kStatementNameMax = 80;

// Most characters asked about are printing ones, above the blank: one test.
inline bool isBlank(int c) { return c <= ' ' && (c == ' ' || c == '\t' || c == '\n'); }
inline bool isMacroCharacter(int c) { return c == '{' || c == '}' || c == '?' || c == ','; }
bool isNameDelimiter(int c);
inline bool isNameStart(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// Skips blanks; 1 when any was skipped.
int skipBlanks(CompileState &cs);
// Reads a name into cs.name up to the next delimiter. 0 when it starts with
// a letter or "_", else the character that ended it (never 0). Longer than
// maxLen: code 9.
int readName(CompileState &cs, int maxLen, bool noEcho);
// The name starting at cs.ch (a letter or "_") copied into cs.name without
// moving the reader, when the current block holds it whole and reading it
// needs no comment, carriage return, debug output, selection bookkeeping
// or error: its length and its symbol table hash, else 0 and the name must
// be read with readName.
int peekName(CompileState &cs, uint32_t &hash);

}  // namespace vek
