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

// The digits of a plain length: whole digits, and after "/" a divisor.
struct LengthText {
    int64_t whole = 0, divisor = 0;
    int wholeDigits = 0;
    bool fraction = false;
};

// The common note word: a letter a-g or A-G, "#" and "&" marks, an optional
// plain length, then a blank, ")" or "]".
struct NoteWord {
    LengthText length;
    bool lengthGiven = false;
    bool marked = false;   // any "#" or "&"
    int8_t marks = 0;      // "#" counts +1, "&" -1
    int32_t consumed = 0;  // bytes after the letter, its delimiter included
    // The letter is a one-letter macro argument and the rest of the word
    // follows the "?" in the body: `consumed` counts the body's bytes.
    bool fromArgument = false;
};

// At a name start in cs.ch: when the word is a common note word standing
// whole in the block, and nextChar would deliver its bytes twice over on
// its fast path (once for the name, once for the note), does what peekName
// does (cs.name, its hash, cs.nameStart; returns the name's length) and
// fills `word`. Else returns 0, `word` unused, and peekName decides.
int PeekNoteWord(CompileState &cs, uint32_t &hash, NoteWord &word);
// In argument text, at a name start in cs.ch: when the argument is that
// one letter, its "," or "}" next in the block, and the body goes on after
// the "?" with the rest of a common note word (marks, a length and the
// delimiter, in the body's cached block), does what peekName does (a name
// of that one letter) and fills `word`; returns 1. Else 0, `word` unused.
int PeekArgumentNote(CompileState &cs, uint32_t &hash, NoteWord &word);
// The ticks of the word's length with `unit` ticks a whole; false when the
// value is out of range (the long way reports it).
bool NoteWordTicks(const NoteWord &word, int32_t unit, int32_t &ticks);

}  // namespace vek
