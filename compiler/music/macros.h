// The macro machinery's hand-over point in the reader.
#pragma once

namespace vek {

struct CompileState;

// Called by the reader for "{", "}", "?" and ","; true when the character
// was taken (reading then goes on), false when it is ordinary text.
bool takeMacroCharacter(CompileState &cs);

}  // namespace vek
