// nextChar: comments, listing echo, selection bookkeeping and the hand-over
// of the macro characters, on top of the raw reader.
#include <cstring>
#include <vector>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/macros.h"

namespace vek {

namespace {

void markSelectedTracks(CompileState &cs) {
    VoiceState &v = *cs.voice;
    if (v.track) v.track->selected = 1;
    if (v.sectionMode && v.section) {
        std::vector<Track *> tracks;
        HashTable::collectTracks(*v.section, tracks);
        for (Track *t : tracks) t->selected = 1;
    }
}

// Records the song times at which the reader passes the editor's selection.
void trackSelection(CompileState &cs, int mode) {
    SongContext &s = *cs.song;
    if ((!s.selectionFlag && !s.extractMode) || !cs.in.returns.empty()) return;
    const int32_t p = position(cs);
    const int32_t now = cs.voice->timing.time;
    if (s.selectionState == 0) {
        if (p != s.selectionStart) return;
        s.selectionState = 1;
        s.selectionStartTime = now;
        if (s.extractMode == 1) markSelectedTracks(cs);
    } else if (s.selectionState == 1 && p == s.selectionEnd) {
        if (now > s.selectionEndTime) s.selectionEndTime = now;
        if (mode != kReadName) {
            s.selectionState = 2;
            s.selectionEndTime = now;
        }
    }
}

// One raw character, counted against the compile's character budget.
int deliver(CompileState &cs, int mode) {
    if (cs.listOn && mode == kReadNormal) echoChar(cs, cs.ch);
    trackSelection(cs, mode);
    const int c = nextRaw(cs);
    if (c != kEndOfInput && --cs.in.charactersLeft < 0) error(cs, kMsgTooLong);
    cs.ch = c;
    if (cs.debugOn && c != kEndOfInput) listPrintf(cs, "%c", c);
    return c;
}

// Reads through a quote comment: true when it was closed by a quote, false
// when a line feed or the end of input ended it (that character is in ch).
bool skipComment(CompileState &cs, int mode) {
    for (;;) {
        const int c = deliver(cs, mode);
        if (c == '\'') return true;
        if (c == '\n' || c == kEndOfInput) return false;
    }
}

// The byte at the read position when deliver's checks would change
// nothing: it is in the current block and not a carriage return, nothing is
// echoed or tracked, and the budget has room. nextChar's inline test; here
// it spares the macro characters, and what follows them, the full path.
bool readsDirectly(const CompileState &cs) {
    const InputState &in = cs.in;
    return in.index < in.fill && cs.quiet && in.charactersLeft > 0 && in.data[in.index] != 13;
}

}  // namespace

int nextCharSlow(CompileState &cs, int mode) {
    for (;;) {
        int c;
        if (readsDirectly(cs)) {
            c = cs.ch = cs.in.data[cs.in.index++];
            --cs.in.charactersLeft;
        } else {
            c = deliver(cs, mode);
        }
        if (c == '\'') {
            if (skipComment(cs, mode)) continue;
            return cs.ch;
        }
        if (mode == kReadNormal && isMacroCharacter(c) && takeMacroCharacter(cs)) {
            // Mostly plain text follows a macro character: a "?" is
            // followed by its argument's text, a "," by the body's.
            if (readPlain(cs, mode)) return cs.ch;
            continue;
        }
        return c;
    }
}

}  // namespace vek
