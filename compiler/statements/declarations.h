// Patch and pattern declarations, and patch names in the music.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;
struct HashEntry;

// patch n | patch name n | patch [name n ...]
void patchStatement(CompileState &cs);
// pattern name [elements] | pattern [name [elements] ...]
void patternStatement(CompileState &cs);
// Appends a node to the pattern's chain: 0, or 1 when it cannot be allocated.
int appendNode(HashEntry &pattern, HashEntry *element, int32_t start, int32_t end);
// A patch name in the music: a program change with its number.
void patchName(CompileState &cs, const HashEntry &patch);

}  // namespace vek
