// The single source error path and the message table.
#pragma once
#include <cstddef>

#include "entry/compile_state.h"
#include "messages/message_codes.h"
#include "vek/vekmain.h"

namespace vek {

constexpr int kMessageBytes = 240;

// What raiseError throws: the host's record, and the message code for the
// tools and tests that ask which message it was.
struct SourceError : ParseError {
    int code = 0;
};

// Closes the compile's files, fills a SourceError and throws it.
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
