// The note reader: pitch part and modifiers into cs.note.draft.
#pragma once

namespace vek {

struct CompileState;
struct VoiceState;

// Each returns a message code (0 on success) for the caller to raise.
int ReadNoteName(CompileState &cs, VoiceState &voice);
int ReadNoteModifiers(CompileState &cs, VoiceState &voice);

}  // namespace vek
