// The main loop over the source.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct VoiceState;

// Parses one group; the outermost call returns at the end of the source.
uint8_t parseGroup(CompileState &cs, VoiceState &voice);

}  // namespace vek
