// Fast paths of the note reader over the cached block: the length written
// after a note letter, and the whole of the common note word.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;

// At a length that starts in cs.ch ("n", "n/d" or "/d", with `unit` ticks a
// whole): reads it and the character after it as nextChar and ReadNumber
// would, puts the ticks in
// `ticks` and cs.number, and returns true. Returns false, having read
// nothing, for every other form, for a value out of range, and where
// nextChar would leave its fast path (block end, budget, listing, macro
// characters).
bool ScanPlainLength(CompileState &cs, int32_t unit, int32_t &ticks);

// The common note word: a letter a-g or A-G, "#" and "&" marks, an optional
// plain length, then a blank, "|", ")" or "]".
struct NoteWord {
    int32_t ticks = 0;     // the length, when given
    int32_t consumed = 0;  // bytes after the letter, its delimiter included
    int8_t marks = 0;      // "#" counts +1, "&" -1
    bool marked = false;   // any "#" or "&"
    bool lengthGiven = false;
};

// The note word whose letter is in cs.ch and whose `length - 1` further
// bytes and delimiter stand at the read position, as peekName found them.
// True when it has the common form and nextChar would deliver each of its
// bytes on its fast path (no listing or selection; the budget, less the
// peek's charge, holds them); moves nothing.
bool ScanNoteWord(const CompileState &cs, int length, int32_t unit, NoteWord &word);

// The bytes that can end the common note word.
inline bool NoteWordEndsAt(int c) { return c == ' ' || c == '|' || c == ')' || c == '\n' || c == ']' || c == '\t'; }

}  // namespace vek
