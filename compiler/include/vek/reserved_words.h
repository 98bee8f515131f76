// The reserved words of the language: read by the compiler's symbol table
// and keyword statement, and by the editor's highlighter.
#pragma once
#include <iterator>

namespace vek {

// ORDER RESERVED: the index is the value the keyword statement switches on
// (ReservedWord in the compiler's music/keywords.h).
inline constexpr const char *kReservedWords[] = {
    "accent", "aftertouch", "author", "break", "cchannel", "channel", "chord_effect",
    "chord_pattern", "chromatic", "comments", "control", "copy", "copyright", "crescendo",
    "cue", "cursor", "debug_on", "debug_off", "diatonic", "displacement", "drop", "duration",
    "duration_factor", "gap", "include", "instructions", "into", "inv", "key", "keywords",
    "list", "list_smpte", "marker", "maximum", "mci", "meter", "min_change", "minimum",
    "mode", "name2", "nolist", "note_effect", "note_pattern", "octave", "patch", "pattern",
    "pick", "pitch_range", "polyphonic", "port", "ppq", "range", "rate", "relative_pitch",
    "restart", "seed", "set", "shift", "smpte", "smpte_offset", "squeeze", "stretch",
    "subtitle", "sysex", "tempo", "test!!", "text", "time", "title", "tonality", "track",
    "velocity", "velocity_range", "w", "wave", "wheel", "wipe", "vek",
};

inline constexpr int kReservedWordCount = static_cast<int>(std::size(kReservedWords));

}  // namespace vek
