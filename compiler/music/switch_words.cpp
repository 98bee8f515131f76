// Switches: the listing and debug echo, relative pitch, `break`, `vek`.
#include <cstring>

#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_words.h"

namespace vek {

// Bit 0 of the actions asks the editor to open the listing.
void listWordStatement(CompileState &cs) {
    cs.setListOn(1);
    cs.actions |= 1;
    std::memset(cs.echoLine, ' ', kEchoLine);
    cs.echoLine[kEchoLine] = '\0';
    cs.echoIndex = 0;
}

// The echo line read so far is written out before the listing stops.
void nolistWord(CompileState &cs) {
    if (!cs.listOn) return;
    listPrintf(cs, "%.*s\n", cs.echoIndex, cs.echoLine);
    cs.echoIndex = 0;
    cs.setListOn(0);
}

void listSmpteWord(CompileState &cs) { cs.listSmpte = 1; }

void debugOnWord(CompileState &cs) {
    cs.setDebugOn(1);
    cs.actions |= 1;
}

void debugOffWord(CompileState &cs) { cs.setDebugOn(0); }

void relativePitchWord(CompileState &cs) { cs.relativePitch = !cs.relativePitch; }

// break on: every note of a word advances the time unless "~" joins them.
void breakWord(CompileState &cs) {
    readName(cs, kStatementNameMax, false);
    if (std::strcmp(cs.name, "on") == 0) cs.voice->hold.reference = 1;
    else if (std::strcmp(cs.name, "off") == 0) cs.voice->hold.reference = 0;
    else error(cs, kMsgBreakWord);
}

void vekWord(CompileState &cs) { readName(cs, kStatementNameMax, false); }

}  // namespace vek
