// The note reader: pitch part and modifiers into cs.note.draft.
#pragma once

namespace vek {

struct CompileState;
struct VoiceState;
struct NoteWord;

// Each returns a message code (0 on success) for the caller to raise.
// With `word`, the modifiers are those of a word scanned already.
int ReadNoteName(CompileState &cs, VoiceState &voice);
int ReadNoteModifiers(CompileState &cs, VoiceState &voice, const NoteWord *word = nullptr);

// What ReadNoteName does for a note letter a-g or A-G, the reader left
// where it stands: for a caller that has read the word itself.
void TakeNoteLetter(CompileState &cs, VoiceState &voice, int letter);
// The common note word (see ScanNoteWord) read whole from the cached block
// after peekName found it `length` bytes long: ReadNoteName and
// ReadNoteModifiers in one pass. False, having read and changed nothing,
// for every other word and where a pattern could add modifiers.
bool ReadPeekedNote(CompileState &cs, VoiceState &voice, int length);

}  // namespace vek
