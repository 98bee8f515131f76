// The main loop over the source.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct VoiceState;
struct Track;
struct SectionGroup;

// Parses one group; the outermost call returns at the end of the source.
// 1 when the group was opened with "[" or begins with "\", else 0.
uint8_t parseGroup(CompileState &cs, VoiceState &voice);
// A length or controller value at cs.ch ("+", ",", "-", ".", "/", digits,
// ":", ";", "=").
void timeValue(CompileState &cs);
// A bar line at cs.ch ("|"); a blank after it is left in cs.ch.
void barLine(CompileState &cs);
// Ends the current cluster: commits its timing and clears one-shot modifiers.
void endCluster(CompileState &cs);
// Addresses a track (saving the voice's time into what was addressed).
void addressTrack(CompileState &cs, Track *track);
void addressSection(CompileState &cs, SectionGroup *section);

}  // namespace vek
