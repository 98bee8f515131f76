// The single source error path and the message table.
#pragma once
#include <cstddef>

#include "entry/compile_state.h"
#include "input/message_codes.h"

namespace vek {

constexpr int kMessageBytes = 240;

// Closes the compile's files, fills a ParseError and throws it.
[[noreturn]] void raiseError(CompileState &cs, int code);

// Code 0 means success and returns, so a check's result can be passed on.
inline void error(CompileState &cs, int code) {
    if (code != 0) raiseError(cs, code);
}

// Writes the message of `code` into out (kMessageBytes, cut to fit); codes
// without a row give an empty text.
void formatMessage(char *out, int code, const char *name, const char *word, int ch);

// The raw format text of a code, or null when it has no text.
const char *messageFormat(int code);

}  // namespace vek
