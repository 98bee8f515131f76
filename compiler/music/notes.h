// The note reader: pitch part and modifiers into cs.note.draft.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct VoiceState;
struct NoteWord;

// Each returns a message code (0 on success) for the caller to raise.
int ReadNoteName(CompileState &cs, VoiceState &voice);
int ReadNoteModifiers(CompileState &cs, VoiceState &voice);

// What ReadNoteName does for a note letter a-g or A-G, the reader left
// where it stands: for a caller that has read the word itself.
void TakeNoteLetter(CompileState &cs, VoiceState &voice, int letter);
// The note word PeekNoteWord read, taken whole from the cached block:
// ReadNoteName and ReadNoteModifiers in one pass. False, having read and
// changed nothing, where a pattern could add modifiers or the length is
// out of range.
bool ReadPeekedNote(CompileState &cs, VoiceState &voice, const NoteWord &word);
// Whether the word's length, if it gives one, is in range for the voice.
bool NoteWordFits(const VoiceState &voice, const NoteWord &word);

}  // namespace vek
