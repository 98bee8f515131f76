// The frame stack saved around groups.
#include "music/macros.h"

#include <algorithm>
#include <cstdio>

#include "entry/compile_state.h"
#include "input/symbol_table.h"
#include "music/macro_frames.h"

namespace vek {

MacroSnapshot saveMacros(const CompileState &cs) {
    const MacroStack &m = cs.macros;
    return MacroSnapshot{std::vector<MacroFrame>(m.frames, m.frames + m.depth), m.currentFrame,
                         m.inMacro};
}

void restoreMacros(CompileState &cs, const MacroSnapshot &saved) {
    MacroStack &m = cs.macros;
    std::copy(saved.frames.begin(), saved.frames.end(), m.frames);
    m.depth = static_cast<int32_t>(saved.frames.size());
    m.currentFrame = saved.currentFrame;
    m.inMacro = saved.inMacro;
}

void nameInMessage(CompileState &cs, const HashEntry *symbol) {
    std::snprintf(cs.name, kNameBytes, "%s", symbol ? symbol->name : "");
}

}  // namespace vek
