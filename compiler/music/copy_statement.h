// The copy statement: music already compiled, played again from the
// voice's time, with each event property kept, fixed or driven by a stream
// of events that the statement defines in nested brackets.
#pragma once
#include <cstdint>
#include <vector>

namespace vek {

struct CompileState;
struct Track;

// copy [source window parameters]R, with cs.ch after the word: writes into
// the voice's track (or each track of its section) from the voice's time and
// moves the voice to where the copy ends. Nothing happens unless "[" follows.
void CopyWord(CompileState &cs);

// A copy body with cs.ch just after its "[": reads up to and past the "]"
// and the repetition count, writes into `targets` from `start` (ticks) and
// returns the time at which the music after it goes on. `depth` is 1 for
// the statement itself and one more for each nested definition.
int32_t copyStatement(CompileState &cs, const std::vector<Track *> &targets, int32_t start,
                      int depth);

// Window operators after the source name.
enum WindowStepOp : int { kStepForward = '+', kStepBack = '-', kStepStay = '=', kStepRandom = '~' };

struct WindowStep {
    int32_t start;  // ticks
    int code;       // 0, or 47 when the step is refused
};

// Moves `cursor` (ticks, negative: unused) one window of `amount` ticks
// through the music between `origin` and `end` and returns where the window
// starts. `random` is the random number a "~" step takes.
WindowStep StepWindow(int32_t &cursor, int32_t origin, int32_t end, int32_t amount, int op,
                      int random);

// The same on `track`'s copy cursor; a "~" step reseeds the compile's random
// generator from the clock first. Raises 47.
int32_t stepCursor(CompileState &cs, Track &track, int32_t end, int32_t amount, int op);

}  // namespace vek
