// Lengths, controller values and bar lines.
#include <climits>
#include <cstddef>
#include <utility>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/emission.h"
#include "music/numbers.h"
#include "statements/hook_points.h"
#include "statements/statement_parser.h"
#include "music/ticks.h"

namespace vek {

namespace {


struct ValueScale {
    int64_t scale, base;
};

// Values are read in these units and mapped onto the definition's span.
ValueScale scaleOf(const ControllerDefinition &d) {
    if (d.eventKind == kPitchWheel) return {16384, -8192};
    if (d.eventKind == kTempoEvent) return {24200, 800};
    return {128, 0};
}

void restoreKey(VoiceState &v) {
    for (int i = 0; i < 7; ++i) v.key.table[i] = v.key.signature[i];
}

// A controller value after an optional length: "=" absolute, "+"/"-" relative.
void controllerValue(CompileState &cs, VoiceState &v, int32_t length) {
    const int sign = cs.ch;
    nextChar(cs, kReadNormal);
    if (sign == '+' && cs.ch == '+') {  // "++": back to where the track was entered
        nextChar(cs, kReadNormal);
        v.timing.time = v.timing.eventStart = cs.switchTime;
        return;
    }
    if (!v.controller) {
        cs.name[0] = static_cast<char>(sign);
        cs.name[1] = '\0';
        error(cs, kMsgSyntax);
    }
    ControllerDefinition &d = *v.controller;
    const ValueScale s = scaleOf(d);
    ReadNumber(cs, kMaskLength, INT_MAX, INT_MIN, static_cast<int32_t>(s.scale));
    int64_t value = cs.number;
    if (d.eventKind == kTempoEvent) cs.tempo = static_cast<int32_t>(value * 100 / s.scale);
    int64_t span = int64_t{d.maxValue} - d.minValue;
    if (span == 0) span = 1;
    value /= span;
    if (sign == '-') value = -value;
    if (sign == '=') value = value - int64_t{d.minValue} * s.scale / span + s.base;
    Track *target = v.track;
    if (v.sectionMode && v.section && v.memberIndex < v.section->count &&
        v.section->kinds[v.memberIndex] == kTrackSymbol)
        target = static_cast<Track *>(v.section->members[v.memberIndex]);
    EmitControl(cs, d, length, v, static_cast<int32_t>(value), sign == '=', target, false);
}

int32_t nextBarLine(CompileState &cs, int32_t time) {
    int32_t barStart = 0;
    barIndexAt(cs, time, &barStart);
    if (barStart == time) return time;
    const MeterEntry *m = cs.song->meterMap.meterAt(time);
    return barStart + (m ? m->ticksPerBar : cs.barTicks);
}

int32_t barLength(CompileState &cs, int32_t time) {
    const MeterEntry *m = cs.song->meterMap.meterAt(time);
    return m ? m->ticksPerBar : cs.barTicks;
}

// Every operator of the cluster back to "not written". A fold, not a loop:
// the compiler kept the loop, at four instructions an operator, and this
// runs for every cluster.
template <size_t... I>
void clearModes(GroupModifier *modifiers, std::index_sequence<I...>) {
    ((modifiers[I].mode = kModeNone), ...);
}

}  // namespace

void endCluster(CompileState &cs) {
    VoiceState &v = *cs.voice;
    v.timing.pendingNotes = 0;
    v.hold.tieFlag = 0;
    // Only a prefix operator sets a mode, the mute or the length and delay
    // values, and it marks operatorsWritten: without one they are still as
    // the last cluster's end left them, and only the shift changes.
    if (v.operatorsWritten) {
        clearModes(v.modifiers, std::make_index_sequence<kGroupOperators>{});
        v.operatorsWritten = 0;
        v.groupMute = 0;
        v.groupShift = v.modifier(kOpLength).value;
        v.modifier(kOpLength).value = v.modifier(kOpDelay).value = 0;
    } else {
        v.groupShift = 0;
    }
    if (v.hold.notesTogether() && v.stepKind != kStepGlideOnly)
        v.timing.time = checkedTicks(cs, int64_t{v.timing.time} + v.timing.step);
    v.hold.mark = 0;
    refreshMeter(cs);
}

void timeValue(CompileState &cs) {
    VoiceState &v = *cs.voice;
    if (cs.ch == '.') {
        nextChar(cs, kReadNormal);
        return;
    }
    int32_t length = 0;
    if (cs.ch != '+' && cs.ch != '-' && cs.ch != '=') {
        if (!ReadNumber(cs, kMaskLength, INT_MAX, 0, v.timing.defaultDuration)) error(cs, kMsgMissingLength);
        length = cs.number;
    }
    if (cs.ch == '=' || cs.ch == '+' || cs.ch == '-') {
        controllerValue(cs, v, length);
    } else {
        v.timing.time = checkedTicks(cs, int64_t{v.timing.time} + length - v.timing.step);
        v.timing.step = 0;
    }
    v.timing.eventStart = v.timing.time;
}

void barLine(CompileState &cs) {
    VoiceState &v = *cs.voice;
    if (v.timing.pendingNotes > 0 && offerChordEffect(cs)) return;  // "|" is read again after its body
    nextChar(cs, kReadNormal);
    if (v.timing.pendingNotes > 0 && v.hold.notesTogether()) {
        v.timing.time = checkedTicks(cs, int64_t{v.timing.time} + v.modifier(kOpDelay).value +
                                                v.modifier(kOpLength).value + v.timing.step);
        v.timing.pendingNotes = 0;
    }
    if (cs.ch == '+' || cs.ch == '-') {
        if (ReadNumber(cs, kMaskInteger, 0, 0, 1)) {  // signed bar count
            int32_t start = 0;
            barIndexAt(cs, v.timing.time, &start);
            v.timing.time = checkedTicks(cs, start + int64_t{cs.number} * barLength(cs, v.timing.time));
        }
    } else if ((cs.ch >= '0' && cs.ch <= '9') || cs.ch == '=') {
        if (cs.ch == '=') nextChar(cs, kReadNormal);
        if (ReadNumber(cs, kMaskPosition, 0, 0, 1)) v.timing.time = cs.number;
    } else {
        v.timing.time = nextBarLine(cs, v.timing.time);
        while (cs.ch == '|') {
            v.timing.time = checkedTicks(cs, int64_t{v.timing.time} + barLength(cs, v.timing.time));
            nextChar(cs, kReadNormal);
        }
    }
    if (v.timing.time < 0) v.timing.time = 0;
    restoreKey(v);
    v.timing.step = 0;
    v.hold.tieFlag = 0;
    if (v.sectionMode) v.memberIndex = 0;
    endCluster(cs);
    // Blanks after the bar line are left to the caller, which passes them
    // over as after any word: reading them could not change what the
    // lines above did (with no step, the time stays where it is).
}

}  // namespace vek
