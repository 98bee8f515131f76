// The four points at which an active pattern or effect is called. They are
// asked several times for every note; until the first pattern or effect is
// switched on nothing can be active, and the answer is one byte read.
#pragma once
#include <cstdint>
#include <cstring>

#include "entry/compile_state.h"
#include "statements/attachments.h"

namespace vek {

// True while the body of a pattern or effect is being read.
inline bool hookInProgress(const CompileState &cs) {
    uint32_t running;
    static_assert(sizeof running == sizeof cs.hooks.running);
    std::memcpy(&running, cs.hooks.running, sizeof running);
    return running != 0;
}

inline bool offerNotePattern(CompileState &cs) { return cs.hooks.attachmentsMade && tryNotePattern(cs); }
inline bool offerChordPattern(CompileState &cs) { return cs.hooks.attachmentsMade && tryChordPattern(cs); }
inline bool offerNoteEffect(CompileState &cs) { return cs.hooks.attachmentsMade && tryNoteEffect(cs); }
inline bool offerChordEffect(CompileState &cs) { return cs.hooks.attachmentsMade && tryChordEffect(cs); }

}  // namespace vek
