// Texts in square brackets, read as they are written.
#include "input/errors.h"
#include "input/reader.h"
#include "music/keyword_statement.h"
#include "music/keyword_words.h"

namespace vek {

// Raw reading keeps "{", "}", "?" and "," as text, so a title such as
// "[Hello, world]" needs no escapes; nested pairs belong to the text.
std::string ReadBracketText(CompileState &cs) {
    std::string text;
    int depth = 0;
    for (;;) {
        const int c = nextChar(cs, kReadRaw);
        if (c == kEndOfInput) error(cs, kMsgCloseBracket);
        if (c == ']' && depth-- == 0) break;
        if (c == '[') ++depth;
        text += static_cast<char>(c);
    }
    advance(cs);
    return text;
}

}  // namespace vek
