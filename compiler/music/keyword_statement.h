// The reserved-word statements, the lyric statement and bracketed texts.
#pragma once
#include <string>

namespace vek {

struct CompileState;

// Runs reserved word `index` (0-77) with cs.ch just after the word; false
// for an index outside the table.
bool KeywordStatement(CompileState &cs, int index);

// With cs.ch on "[": the text up to the matching "]" (nested pairs kept,
// "]" consumed); raises 73 at the end of input.
std::string ReadBracketText(CompileState &cs);

// A double-quoted lyric: words laid over the music from the voice's time.
void LyricStatement(CompileState &cs);

}  // namespace vek
