// The reserved-word statements, one function per word (or per family of
// words that differ only in a constant), and the helpers they share.
// KeywordStatement dispatches to them with cs.ch on the first character
// after the blanks behind the word.
#pragma once
#include <cstdint>
#include <vector>

#include "entry/compile_state.h"
#include "events/event.h"
#include "messages/message_codes.h"

namespace vek {

// ---- Shared helpers (keyword_helpers.cpp) ----

// Raises 21, " Invalid %s parameter ", naming reserved word `index`.
[[noreturn]] void invalidParameter(CompileState &cs, int index);
// A form that carries a value (not "no number" and not a bare ";").
bool hasNumber(int form);
// The tracks a track-setting word changes: the voice's track, or every
// distinct track of the addressed section.
std::vector<Track *> targetTracks(CompileState &cs);
// The voice's track, or the first track of an addressed section.
Track *firstTarget(CompileState &cs);
// Reads a name to be declared into cs.name; raises 51 when it does not
// start with a letter or "_".
void readDeclaredName(CompileState &cs);
// Inside a "[ ... ]" list: skips blanks; true after consuming the closing
// "]". End of input raises 73.
bool atListEnd(CompileState &cs);
// Steps past the current character.
void advance(CompileState &cs);
// Reads a name that refers to something declared into cs.name.
void readUsedName(CompileState &cs);
// Runs `handle` (with the name in cs.name) for one name, or for each name
// of a "[ ... ]" list; the "]" is consumed. `read` reads each name.
template <typename F>
void forEachName(CompileState &cs, F handle, void (*read)(CompileState &) = readDeclaredName) {
    if (cs.ch != '[') {
        read(cs);
        handle();
        return;
    }
    advance(cs);
    while (!atListEnd(cs)) {
        read(cs);
        handle();
    }
}
// Skips blanks and an optional "->" between the two values of a range;
// true when a lone "-" was consumed (it negates the value after it).
bool skipRangeArrow(CompileState &cs);
// Clamps into the range of a signed 8-bit field.
int8_t toInt8(int32_t value);

// ---- Track-setting words (track_words.cpp) ----
void accentWord(CompileState &cs);
void channelWord(CompileState &cs);
void chromaticWord(CompileState &cs);
void crescendoWord(CompileState &cs);
void diatonicWord(CompileState &cs);
void durationFactorWord(CompileState &cs);
void gapWord(CompileState &cs);
void octaveWord(CompileState &cs);
void shiftWord(CompileState &cs);
void squeezeWord(CompileState &cs);
void stretchWord(CompileState &cs);
void velocityWord(CompileState &cs);

// ---- Track limits and the wheel reset (track_limits.cpp) ----
void portWord(CompileState &cs);
void pitchRangeWord(CompileState &cs);
void velocityRangeWord(CompileState &cs);
void wheelResetWord(CompileState &cs);

// ---- Tracks and sections (track_declarations.cpp) ----
void trackWord(CompileState &cs);
void name2Word(CompileState &cs);
void wipeWord(CompileState &cs);

// ---- Controllers (controller_declarations.cpp, controller_words.cpp) ----
// aftertouch, control, polyphonic, wheel: `index` picks the kind.
void controllerDeclaration(CompileState &cs, int index);
void cchannelWord(CompileState &cs);
void intoWord(CompileState &cs);
void maximumWord(CompileState &cs);
void minimumWord(CompileState &cs);
void minChangeWord(CompileState &cs);
void rangeWord(CompileState &cs);
void rateWord(CompileState &cs);
void tempoWord(CompileState &cs);

// ---- Meter, resolution and positions (meter_words.cpp, position_words.cpp) ----
void meterWord(CompileState &cs);
void ppqWord(CompileState &cs);
void durationWord(CompileState &cs);
void displacementWord(CompileState &cs);
void restartWord(CompileState &cs);
void cursorWord(CompileState &cs);
void timeWord(CompileState &cs);
// Moves the voice's time up to the next bar line (unchanged on one) and
// returns that bar's zero-based index.
int32_t moveToBarLine(CompileState &cs);

// ---- SMPTE (smpte_words.cpp) ----
void smpteWord(CompileState &cs);
void dropWord(CompileState &cs);
void smpteOffsetWord(CompileState &cs);
void testWord(CompileState &cs);

// ---- Texts and meta events (text_words.cpp) ----
// author, comments, copyright, instructions, keywords, subtitle, title.
void songTextWord(CompileState &cs, int index);
// cue and marker: into the song's markers track.
void markerWord(CompileState &cs, MetaType type);
// text, wave and mci: into the voice's track.
void trackTextWord(CompileState &cs, MetaType type);

// ---- Switches (switch_words.cpp) ----
void listWordStatement(CompileState &cs);
void nolistWord(CompileState &cs);
void listSmpteWord(CompileState &cs);
void debugOnWord(CompileState &cs);
void debugOffWord(CompileState &cs);
void relativePitchWord(CompileState &cs);
void breakWord(CompileState &cs);
void vekWord(CompileState &cs);

}  // namespace vek
