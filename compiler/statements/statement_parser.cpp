#include "statements/statement_parser.h"

#include "entry/compile_state.h"
#include "input/errors.h"
#include "input/reader.h"

namespace vek {

// Until statements are interpreted, a compile reads the source and its
// include files to the end.
uint8_t parseGroup(CompileState &cs, VoiceState &voice) {
    cs.voice = &voice;
    cs.atStatementStart = 1;
    for (;;) {
        if (nextChar(cs, kReadNormal) != kEndOfInput) continue;
        if (!returnFromInclude(cs)) return 1;
    }
}

}  // namespace vek
