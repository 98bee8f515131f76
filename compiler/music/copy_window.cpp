// The window of a copy: the default whole source, explicit times, or a
// window stepped through the source on its copy cursor.
#include <algorithm>

#include "entry/compile_state.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "music/copy_parts.h"
#include "music/copy_statement.h"
#include "music/keyword_words.h"
#include "music/macros.h"
#include "music/numbers.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMaxStepLength = 65535;  // ticks

bool isStepOp(int c) {
    return c == kStepForward || c == kStepBack || c == kStepStay || c == kStepRandom;
}

// Ticks of the start of bar 1: 0 unless the bars were renumbered.
int32_t originOf(CompileState &cs) { return BarBeatTickToTicks(cs, 1, 0, 0); }

// The latest end of the source's tracks (ticks).
int32_t sourceEnd(const CopyRequest &request) {
    int32_t end = 0;
    for (const Track *t : request.sources) end = std::max(end, t->trackEnd);
    return end;
}

void readSteppedWindow(CompileState &cs, CopyRequest &request, int32_t origin) {
    const int op = cs.ch;
    advance(cs);
    skipBlanks(cs);
    if (!hasNumber(ReadNumber(cs, kMaskLength, kMaxStepLength, 0, cs.voice->timing.defaultDuration)))
        error(cs, kMsgMissingLength);
    const int32_t length = cs.number;
    // A section keeps its cursor on its first track.
    request.windowStart = request.sources.empty()
                              ? origin
                              : stepCursor(cs, *request.sources.front(), sourceEnd(request), length, op);
    request.windowEnd = checkedTicks(cs, int64_t{request.windowStart} + length);
}

}  // namespace

WindowStep StepWindow(int32_t &cursor, int32_t origin, int32_t end, int32_t amount, int op,
                      int random) {
    if (cursor < 0) {
        cursor = origin;
        return {origin, 0};
    }
    if (cursor < origin) cursor = origin;
    const int64_t span = int64_t{end} - origin;
    int64_t next = cursor;
    switch (op) {
    case kStepForward:
        if (amount > span) return {cursor, kMsgStepTooLong};
        next += amount;
        if (next >= end) next = origin;
        break;
    case kStepBack:
        next -= amount;
        if (next < origin) next = int64_t{end} - amount;
        if (next < origin) return {cursor, kMsgStepTooLong};
        break;
    case kStepRandom:
        // Windows that fit the source a whole number of times, one at random.
        if (amount <= 0 || span / amount <= 0) return {cursor, kMsgStepTooLong};
        next = origin + (random % (span / amount)) * amount;
        break;
    default:
        break;
    }
    cursor = static_cast<int32_t>(next);
    return {cursor, 0};
}

int32_t stepCursor(CompileState &cs, Track &track, int32_t end, int32_t amount, int op) {
    int random = 0;
    if (op == kStepRandom) {
        cs.random.seed(clockSeed(cs) + static_cast<uint32_t>(cs.random.next()));
        random = cs.random.next();
    }
    const WindowStep step = StepWindow(track.copyCursor, originOf(cs), end, amount, op, random);
    error(cs, step.code);
    return step.start;
}

// "+", "-", "=" or "~" and a length; else an optional start time and an
// optional end time; else the whole source from bar 1.
void readCopyWindow(CompileState &cs, CopyRequest &request) {
    const int32_t origin = originOf(cs);
    skipBlanks(cs);
    if (isStepOp(cs.ch)) return readSteppedWindow(cs, request, origin);
    request.windowStart = origin;
    request.windowEnd = std::max(origin, sourceEnd(request));
    if (hasNumber(ReadNumber(cs, kMaskPosition, 0, 0, 1))) {
        request.windowStart = cs.number;
        skipBlanks(cs);
        if (hasNumber(ReadNumber(cs, kMaskPosition, 0, 0, 1))) request.windowEnd = cs.number;
    }
    request.windowEnd = std::max(request.windowEnd, request.windowStart);
}

}  // namespace vek
