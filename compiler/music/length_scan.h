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
};

// At a name start in cs.ch: when the word is a common note word standing
// whole in the block, and nextChar would deliver its bytes twice over on
// its fast path (once for the name, once for the note), does what peekName
// does (cs.name, its hash, cs.nameStart; returns the name's length) and
// fills `word`. Else returns 0, `word` unused, and peekName decides.
int PeekNoteWord(CompileState &cs, uint32_t &hash, NoteWord &word);
// A note word whose letter is a one-letter argument, seen from the body:
// the reader stands at "?" and a digit, before reading them.
struct ArgumentNote {
    NoteWord word;          // `consumed`: the body's bytes after "?" and digit
    int letter = 0;
    int32_t nameStart = 0;  // as peekName would leave cs.nameStart at the call
    int32_t charge = 0;     // characters read up to the body's bytes
};
// In a body (the top frame), the next bytes "?" and digit k: when argument
// k of the call is one note letter, its "," or "}" noted, and the body goes
// on with the rest of a common note word in the current block, fills
// `note` with what reading "?k", the letter, and the word would find, and
// returns true. Nothing is read either way.
bool PeekBodyArgumentNote(const CompileState &cs, ArgumentNote &note);
// The ticks of the word's length with `unit` ticks a whole; false when the
// value is out of range (the long way reports it).
bool NoteWordTicks(const NoteWord &word, int32_t unit, int32_t &ticks);
// Whether the word's length, if it gives one, is in range with `unit`.
bool LengthFits(const NoteWord &word, int32_t unit);

}  // namespace vek
