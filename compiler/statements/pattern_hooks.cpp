// Switching patterns and effects on and off in the music, and the four
// points at which an active one is called.
#include <cstdint>
#include <cstring>
#include <limits>

#include "entry/compile_state.h"
#include "events/track.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/macros.h"
#include "music/numbers.h"
#include "statements/hook_points.h"

namespace vek {

namespace {

constexpr int32_t kOff = -1;

// In-progress flags, one per element kind 8 to 11.
enum HookIndex { kNotePatternHook, kChordPatternHook, kNoteEffectHook, kChordEffectHook };
// The guards that keep a chord pattern or chord effect from re-entering.
enum GuardIndex { kChordPatternGuard, kChordEffectGuard };

// A length in the voice's default lengths (ticks); code 8 when none follows.
int32_t readLength(CompileState &cs) {
    skipBlanks(cs);
    const int form = ReadNumber(cs, kMaskLength, std::numeric_limits<int32_t>::max(), 0,
                                cs.voice->timing.defaultDuration);
    if (form == kNoNumber || form == kFormNoSmpte) error(cs, kMsgMissingLength);
    return cs.number;
}

// The character in hand is read again once the body has ended.
void stepBack(CompileState &cs) {
    if (cs.ch == kEndOfInput) return;
    if (isBlank(cs.ch)) unreadBlank(cs);
    else seek(cs, -1, true);
}

// The element of `kind` active on the voice's track now, unless a hook runs.
HashEntry *activeElement(CompileState &cs, uint8_t kind) {
    const VoiceState &v = *cs.voice;
    // Most tracks have nothing attached: asked four times a note, that
    // answer has to be cheap.
    if (!v.track || hookInProgress(cs)) return nullptr;
    const auto found = cs.attachments.find(v.track);
    if (found == cs.attachments.end() || !found->second.head) return nullptr;
    return findActive(found->second, kind, v.timing.time);
}

void startBody(CompileState &cs, HashEntry *element, int hook) {
    stepBack(cs);
    cs.hooks.running[hook] = 1;
    cs.hooks.element = element;
    CallMacro(cs, kNotePattern + hook);
}

}  // namespace

void switchElement(CompileState &cs, HashEntry &element) {
    VoiceState &v = *cs.voice;
    cs.hooks.attachmentsMade = 1;
    const int32_t length = readLength(cs);
    int failed = 0;
    if (length == 0) {
        if (v.track) failed = attachElement(cs.attachments[v.track], &element, kOff, 0, 0);
    } else {
        const int32_t period = readLength(cs);
        if (v.track) failed = attachElement(cs.attachments[v.track], &element, v.timing.time, period, length);
    }
    if (failed) error(cs, kMsgNoMemory);
}

void switchPattern(CompileState &cs, HashEntry &pattern) {
    readName(cs, kDeclaredNameMax, false);
    int32_t start = 0;
    if (std::strcmp(cs.name, "on") == 0) start = cs.voice->timing.time;
    else if (std::strcmp(cs.name, "off") == 0) start = kOff;
    else error(cs, kMsgOnOrOff);
    Track *track = cs.voice->track;
    cs.hooks.attachmentsMade = 1;
    if (track && attachPattern(cs.attachments[track], &pattern, start)) error(cs, kMsgNoMemory);
}

bool tryNotePattern(CompileState &cs) {
    HashEntry *e = activeElement(cs, kNotePattern);
    if (!e) return false;
    startBody(cs, e, kNotePatternHook);
    return true;
}

bool tryChordPattern(CompileState &cs) {
    if (cs.hooks.guard[kChordPatternGuard]) return false;
    HashEntry *e = activeElement(cs, kChordPattern);
    if (!e) return false;
    cs.hooks.guard[kChordPatternGuard] = 1;
    startBody(cs, e, kChordPatternHook);
    return true;
}

bool tryNoteEffect(CompileState &cs) {
    HashEntry *e = activeElement(cs, kNoteEffect);
    if (!e) return false;
    startBody(cs, e, kNoteEffectHook);
    return true;
}

bool tryChordEffect(CompileState &cs) {
    if (cs.hooks.guard[kChordEffectGuard]) return false;
    HashEntry *e = activeElement(cs, kChordEffect);
    if (!e) return false;
    cs.hooks.guard[kChordEffectGuard] = 1;
    startBody(cs, e, kChordEffectHook);
    return true;
}

}  // namespace vek
