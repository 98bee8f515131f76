// The pieces of the statement parser's dispatch, one file each.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct VoiceState;

// A name just read into cs.name: music, a reserved word or a declared name.
void nameStatement(CompileState &cs);
// The same for a name that peekName copied, the reader still on its first
// letter, so that music is read once. `hash`: its symbol table hash.
void peekedNameStatement(CompileState &cs, int length, uint32_t hash);
// "!", "@", "*", "^", "#", "$", ">", "<" at cs.ch, single or doubled.
void prefixOperator(CompileState &cs, VoiceState &voice);
// Reads and emits the notes of a chord starting at cs.ch; `peeked`: the
// length of its first word when peekName found it, else 0.
void readChord(CompileState &cs, VoiceState &voice, int peeked);

}  // namespace vek
