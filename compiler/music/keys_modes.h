// Key signatures, modes and the degree chords derived from a mode.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct VoiceState;
struct Definition;
struct HashEntry;

// The reserved word `key`: [=] letter [# | &].
void ReadKeySignature(CompileState &cs);

// Each returns a message code (0 on success) for the caller to raise.
// A mode's body loads the voice's mode table; with keepChords the degree
// chords applied in cascade are applied again on the new mode.
int ApplyMode(CompileState &cs, const Definition &mode, VoiceState &voice, bool keepChords);
// A degree chord's body picks degrees of the mode (or, with cascade, of
// the chord applied before it) as the new mode table.
int ApplyDegreeChord(CompileState &cs, const Definition &chord, VoiceState &voice, bool cascade);

// Names in the music: a mode (kind 14), "+" keeping the chords; a degree
// chord (kind 15), "+" cascading it on the chords before.
void modeName(CompileState &cs, HashEntry &mode);
void degreeChordName(CompileState &cs, HashEntry &chord);

}  // namespace vek
