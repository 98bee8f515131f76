#include "music/macros.h"

namespace vek {

// Macros are not interpreted yet: the characters read as ordinary text.
bool takeMacroCharacter(CompileState &) { return false; }

}  // namespace vek
