#include "music/notes.h"

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "music/numbers.h"
#include "music/pitch.h"
#include "statements/hook_points.h"

namespace vek {

namespace {


void advance(CompileState &cs) { nextChar(cs, kReadNormal); }

bool isNoteLetter(int c) {
    if (c >= 'a' && c <= 'h') return true;
    if (c >= 'A' && c <= 'H') return true;
    return c == 'w' || c == 'W' || c == 't' || c == 'T' || c == 'm' || c == 'M' ||
           c == 'r' || c == 'R';
}

struct Comparison {
    int32_t pitch, octave;
    uint8_t letter;
};

// A signed count followed by "+", "-" or (where allowed) "=": the operator
// character, or 0 when the form is wrong.
int readCountAndOperator(CompileState &cs, bool allowEquals) {
    if (!ReadNumber(cs, kMaskInteger, 127, -127, 1)) return 0;
    const int op = cs.ch;
    if (op == '+' || op == '-' || (allowEquals && op == '=')) return op;
    return 0;
}

int readHalfSteps(CompileState &cs, VoiceState &v) {
    v.numericPitch = 1;
    v.stepKind = kStepHalfTones;
    const int op = readCountAndOperator(cs, false);
    if (!op) return kMsgNotUnderstood;
    const int32_t n = op == '-' ? -cs.number : cs.number;
    advance(cs);
    v.pitch = v.lastPitch + n;
    if (v.lastPitchAbsolute) v.flags.octaveAbsolute = true;
    v.octave = 0;
    ++v.timing.pendingNotes;
    return 0;
}

int readScaleStep(CompileState &cs, VoiceState &v) {
    v.stepKind = kStepScale;
    v.numericPitch = 1;
    const int op = readCountAndOperator(cs, true);
    if (!op) return kMsgNotUnderstood;
    SettlePitchMemory(v);
    int32_t d = op == '-' ? v.lastDiatonic - cs.number
              : op == '+' ? v.lastDiatonic + cs.number : cs.number;
    if (op == '=') v.lastPitchAbsolute = false;
    int32_t o = 0;
    if (d > 6) {
        o = d / 7;
        d %= 7;
    } else if (d < 0) {
        const int32_t k = (6 - d) / 7;
        d += 7 * k;
        o -= k;
    }
    v.pitch = cs.scale[d] + v.key.tonic + 12 * o;
    if (v.lastPitchAbsolute) v.flags.octaveAbsolute = true;
    v.octave = 0;
    advance(cs);
    ++v.timing.pendingNotes;
    return 0;
}

int readModeDegree(CompileState &cs, VoiceState &v) {
    v.stepKind = kStepMode;
    v.numericPitch = 1;
    const int op = readCountAndOperator(cs, true);
    if (!op || v.key.mode.last < 0) return kMsgNotUnderstood;
    SettlePitchMemory(v);
    int32_t i = op == '-' ? v.lastModeIndex - cs.number
              : op == '+' ? v.lastModeIndex + cs.number : cs.number;
    advance(cs);
    // Whole wraps of the mode at once: the same as stepping one at a time.
    const int32_t length = v.key.mode.last + 1;
    int32_t wraps = i >= 0 ? i / length : -((-i + length - 1) / length);
    i -= wraps * length;
    const int32_t o = wraps * v.key.mode.step;
    v.pitch = v.key.mode.entries[i] + v.key.modeRoot + 12 * o;
    v.letterPitch = v.pitch - 12 * v.octave;
    v.octave = 0;
    ++v.timing.pendingNotes;
    return 0;
}

// Both note readers inline the letter's steps: a call would cost a fifth of them.
VEK_ALWAYS_INLINE void readLetter(CompileState &cs, VoiceState &v, const Comparison &c, int letter) {
    const int index = v.letterIndex;
    v.accidental = static_cast<uint8_t>(v.key.natural[index]);
    v.letterPitch = v.key.table[index];
    if (cs.relativePitch) {
        if (letter == c.letter) v.octave = c.octave;
        else if (v.upperCase) v.octave = c.octave + (v.letterPitch < c.pitch ? 1 : 0);
        else v.octave = c.octave - (v.letterPitch > c.pitch ? 1 : 0);
    } else {
        v.octave = v.upperCase ? 0 : -1;
        v.octaveGiven = 0;
    }
    ++v.timing.pendingNotes;
}

void readGlideOffset(CompileState &cs, VoiceState &v) {
    v.hold.glide = kGlideToTarget;
    if (ReadNumber(cs, kMaskLength, 65535, -16000, v.timing.displacementUnit))
        v.hold.glideOffset = v.hold.lastGlideOffset = cs.number;
    else
        v.hold.glideOffset = v.hold.lastGlideOffset;
}

// What every note sets before its pitch is read.
VEK_ALWAYS_INLINE void startNote(CompileState &cs, VoiceState &v) {
    v.stepKind = kStepLetter;
    v.hold.glide = kGlideNone;
    v.numericPitch = 0;
    // Reading the last note of a body ends the body, so whether the note
    // belongs to a pattern or effect is known only here, at its start.
    // Until one is switched on no body runs: the hook state stays zero.
    if (cs.hooks.attachmentsMade) cs.hooks.noteInBody = hookInProgress(cs) ? 1 : 0;
}

// A note letter (or "w", or a step) taken: what its pitch is compared with.
VEK_ALWAYS_INLINE Comparison takeLetter(CompileState &cs, VoiceState &v, int letter) {
    const uint8_t previous = v.lastLetterChar;
    v.lastLetterChar = static_cast<uint8_t>(letter);
    if (cs.hooks.attachmentsMade && !hookInProgress(cs)) cs.hooks.guard[0] = cs.hooks.guard[1] = 0;
    v.upperCase = letter < 'a' ? 1 : 0;
    v.letterIndex = static_cast<uint8_t>(letter - (v.upperCase ? 'A' : 'a'));
    Comparison c{v.letterPitch, v.octave, previous};
    if (v.timing.pendingNotes == 0) {
        c = Comparison{v.firstLetterPitch, v.firstOctave, v.firstLetterChar};
        v.timing.chordDuration = v.timing.defaultDuration;
        v.timing.eventStart = v.timing.time;
    }
    return c;
}

}  // namespace

int ReadNoteName(CompileState &cs, VoiceState &v) {
    startNote(cs, v);
    for (;;) {
        if (cs.ch == '_') advance(cs);
        const int letter = cs.ch;
        if (!isNoteLetter(letter)) return kMsgNotUnderstood;
        const Comparison c = takeLetter(cs, v, letter);
        advance(cs);
        switch (letter | 0x20) {
        case 'r':  // rest
            v.stepKind = kStepRest;
            v.hold.glide = kGlideRest;
            ++v.timing.pendingNotes;
            return 0;
        case 'w':  // glide, then its target note; W: a glide to nothing
            readGlideOffset(cs, v);
            if (letter == 'W') {
                v.stepKind = kStepGlideOnly;
                return 0;
            }
            continue;
        case 'h': return readHalfSteps(cs, v);
        case 't': return readScaleStep(cs, v);
        case 'm': return readModeDegree(cs, v);
        default:
            readLetter(cs, v, c, letter);
            return 0;
        }
    }
}

void TakeNoteLetter(CompileState &cs, VoiceState &v, int letter) {
    startNote(cs, v);
    readLetter(cs, v, takeLetter(cs, v, letter), letter);
}

}  // namespace vek
