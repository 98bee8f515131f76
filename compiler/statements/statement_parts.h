// The pieces of the statement parser's dispatch, one file each.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct VoiceState;
struct NoteWord;

// A name just read into cs.name: music, a reserved word or a declared name.
void nameStatement(CompileState &cs);
// The same for a name that peekName copied, the reader still on its first
// letter, so that music is read once. `hash`: its symbol table hash;
// `word`: the note word PeekNoteWord read, or null.
void peekedNameStatement(CompileState &cs, int length, uint32_t hash, const NoteWord *word);
// In a body, before a "?" and digit: when they bring a one-letter note
// whose word goes on in the body, and nothing (a pattern, a symbol of that
// name, the note log, a length out of range) could tell the difference,
// reads that note statement as the argument's text would, with no frame
// pushed, and returns true; false having read nothing.
bool argumentNoteStatement(CompileState &cs);
// "!", "@", "*", "^", "#", "$", ">", "<" at cs.ch, single or doubled.
void prefixOperator(CompileState &cs, VoiceState &voice);
// Reads and emits the notes of a chord starting at cs.ch; `word`: its first
// note word when PeekNoteWord read it, else null.
void readChord(CompileState &cs, VoiceState &voice, const NoteWord *word);

}  // namespace vek
