// Default lengths and positions: `duration`, `displacement`, `restart`,
// `cursor` and `time` marks.
#include "events/song_context.h"
#include "input/errors.h"
#include "music/keyword_words.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kMaxLength = 65535;  // ticks

// A length counted in beats; false when none is written.
bool readBeatLength(CompileState &cs) {
    return hasNumber(ReadNumber(cs, kMaskLength, kMaxLength, 0, cs.beatTicks));
}

}  // namespace

// "duration /3" makes notes a third of a beat.
void durationWord(CompileState &cs) {
    if (readBeatLength(cs)) cs.voice->timing.defaultDuration = cs.number;
}

void displacementWord(CompileState &cs) {
    if (readBeatLength(cs)) cs.voice->timing.displacementUnit = cs.number;
}

// Bar numbers in positions count from the next bar line on.
void restartWord(CompileState &cs) { cs.restartBar = moveToBarLine(cs); }

void cursorWord(CompileState &cs) { cs.song->nowTime = cs.voice->timing.time; }

// Naming a mark later returns the voice to this time.
void timeWord(CompileState &cs) {
    forEachName(cs, [&cs] {
        auto *mark = new int32_t(cs.voice->timing.time);
        if (!cs.symbols.add(kTimeMark, mark, cs.name)) {
            delete mark;
            error(cs, kMsgReservedName);
        }
    });
}

}  // namespace vek
