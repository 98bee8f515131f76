// The modifiers written right after a note's pitch, and the finished draft.
#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "music/length_scan.h"
#include "music/notes.h"
#include "music/numbers.h"
#include "music/pitch.h"
#include "statements/hook_points.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMaxNoteLength = 16777215;  // ticks

// What the modifiers of one note add up to.
struct Modifiers {
    int32_t velocity = 0;
    int32_t delay = 0;         // ticks
    int32_t lengthChange = 0;  // ticks
    int32_t chromatic = 0;     // semitones
    int32_t diatonic = 0;      // scale steps
    int32_t duration = 0;      // ticks
    bool durationGiven = false;
};

void advance(CompileState &cs) { nextChar(cs, kReadNormal); }
bool isSign(int c) { return c == '+' || c == '-'; }
bool isLetterNote(const VoiceState &v) { return !v.numericPitch && v.letterIndex < 7; }

// One more "!". The count was once kept in the byte of the velocity mode,
// where a 255th accent wrapped it to none; the output keeps that.
void addAccent(NoteFlags &f) {
    if (f.velocity != kVelocityAccented) {
        f.velocity = kVelocityAccented;
        f.accents = 1;
    } else if (f.accents == 254) {
        f.velocity = kVelocityOfTrack;
        f.accents = 0;
    } else {
        ++f.accents;
    }
}

int velocity(CompileState &cs, VoiceState &v, Modifiers &m) {
    advance(cs);
    if (cs.ch == '=') {
        advance(cs);
        if (!ReadNumber(cs, kMaskInteger, 127, -127, 1)) return kMsgSyntax;
        m.velocity = cs.number;
        v.flags.velocity = kVelocityGiven;
    } else if (isSign(cs.ch)) {
        if (ReadNumber(cs, kMaskInteger, 127, -127, 1)) m.velocity += cs.number;
    } else if (ReadNumber(cs, kMaskInteger, 127, -127, 1)) {
        m.velocity = cs.number;
        v.flags.velocity = kVelocityGiven;
    } else {
        addAccent(v.flags);
    }
    return 0;
}

// An accidental written without "\\" stays in the key table for the letter.
void keepAccidental(VoiceState &v) {
    if (isLetterNote(v)) v.key.table[v.letterIndex] = static_cast<int8_t>(v.accidental);
}

// "#" or "&": an accidental kept in the key table, or with "\" a transposition.
int accidental(CompileState &cs, VoiceState &v, Modifiers &m) {
    if (v.numericPitch) return kMsgNotUnderstood;
    const int sign = cs.ch == '#' ? 1 : -1;
    v.accidental = static_cast<uint8_t>(v.accidental + sign);
    advance(cs);
    if (cs.ch != '\\') {
        keepAccidental(v);
        return 0;
    }
    advance(cs);
    if (cs.ch == '=') advance(cs);
    if (!isSign(cs.ch)) v.flags.chromaticAbsolute = true;
    if (!ReadNumber(cs, kMaskInteger, 127, -127, 1)) return kMsgNeedTranspose;
    m.chromatic = sign * cs.number;
    return 0;
}

int natural(CompileState &cs, VoiceState &v, Modifiers &m) {
    advance(cs);
    if (cs.ch != '\\') {
        if (isLetterNote(v)) v.key.table[v.letterIndex] = v.key.natural[v.letterIndex];
        return 0;
    }
    advance(cs);
    if (cs.ch == '=') advance(cs);
    if (!isSign(cs.ch)) v.flags.diatonicAbsolute = true;
    if (!ReadNumber(cs, kMaskInteger, 127, -127, 1)) return kMsgNeedTranspose;
    m.diatonic = cs.number;
    return 0;
}

int channel(CompileState &cs, VoiceState &v) {
    advance(cs);
    const bool equals = cs.ch == '=';
    if (equals) advance(cs);
    const bool relative = isSign(cs.ch);
    // Read without a range so that "$17" is reported as a channel, not a number.
    if (!ReadNumber(cs, kMaskInteger, 0, 0, 1)) {
        if (equals) error(cs, kMsgSyntax);
        cs.note.channel = static_cast<int8_t>(v.defaultChannel);
        cs.note.silent = 1;
        return 0;
    }
    if (relative) {
        if (cs.number < -16 || cs.number > 16) error(cs, kMsgOutOfRange);
        cs.note.channel = static_cast<int8_t>(cs.note.channel + cs.number);
        return 0;
    }
    if (cs.number < 1 || cs.number > 16) error(cs, kMsgChannelRange);
    cs.note.channel = static_cast<int8_t>(cs.number - 1);
    v.flags.channelGiven = 1;
    return 0;
}

int octave(CompileState &cs, VoiceState &v) {
    advance(cs);
    if (cs.ch == '=') {
        advance(cs);
        v.flags.octaveAbsolute = true;
        v.octave = 0;
    }
    const bool relative = isSign(cs.ch);
    if (!ReadNumber(cs, kMaskInteger, 11, -11, 1)) {
        if (isLetterNote(v)) v.octave += v.upperCase ? 1 : -1;
        return 0;
    }
    v.octaveGiven = 1;
    if (relative) {
        v.octave += cs.number;
    } else {
        v.flags.octaveAbsolute = true;
        v.octave = isLetterNote(v) && !v.upperCase ? cs.number - 1 : cs.number;
    }
    return 0;
}

// "<" (length) and ">" (delay): ticks in displacement units.
void displacement(CompileState &cs, VoiceState &v, int32_t &total, bool &absolute) {
    advance(cs);
    if (cs.ch == '=') {
        advance(cs);
        absolute = true;
    }
    const bool relative = isSign(cs.ch);
    if (ReadNumber(cs, kMaskLength, 65535, -16000, v.timing.displacementUnit)) {
        total += cs.number;
        if (!relative) absolute = true;
    }
}

int lengthenOrShorten(CompileState &cs, Modifiers &m, const VoiceState &v) {
    const bool longer = cs.ch == '+';
    if (!longer) advance(cs);
    if (!ReadNumber(cs, kMaskLength, 65535, 0, v.timing.defaultDuration)) {
        if (longer) return kMsgBadInChord;
        m.duration /= 2;
    } else {
        m.duration = checkedTicks(cs, int64_t{m.duration} + (longer ? cs.number : -int64_t{cs.number}));
    }
    m.durationGiven = true;
    return 0;
}

void dots(CompileState &cs, Modifiers &m) {
    const int32_t base = m.duration;
    for (int k = 1; cs.ch == '.'; ++k) {
        if (k < 31) m.duration = checkedTicks(cs, int64_t{m.duration} + (base >> k));
        advance(cs);
    }
    m.durationGiven = true;
}

int durationNumber(CompileState &cs, Modifiers &m, const VoiceState &v) {
    int32_t unit = m.duration;
    if (cs.ch != '*' && ScanPlainLength(cs, unit, m.duration)) {
        m.durationGiven = true;
        return 0;
    }
    if (cs.ch == '*') {
        advance(cs);
        if (cs.ch == '=') {
            advance(cs);
            unit = v.timing.defaultDuration;
        }
    }
    if (!ReadNumber(cs, kMaskLength, kMaxNoteLength, 0, unit)) return kMsgMissingLength;
    m.duration = cs.number;
    m.durationGiven = true;
    return 0;
}

// One modifier at cs.ch; sets *done at the first character that is none.
int modifier(CompileState &cs, VoiceState &v, Modifiers &m, bool *done) {
    switch (cs.ch) {
    case '!': return velocity(cs, v, m);
    case '#': case '&': return accidental(cs, v, m);
    case '^': return natural(cs, v, m);
    case '$': return channel(cs, v);
    case '@': return octave(cs, v);
    case '+': case '-': return lengthenOrShorten(cs, m, v);
    case '.': dots(cs, m); return 0;
    case '=':
        advance(cs);
        m.duration >>= 2;
        m.durationGiven = true;
        return 0;
    case '<': displacement(cs, v, m.lengthChange, v.flags.durationAbsolute); return 0;
    case '>': displacement(cs, v, m.delay, v.flags.delayAbsolute); return 0;
    case '~':
        if (v.hold.mark == 0) {
            v.hold.mark = 1;
        } else {
            v.hold.mark = 0;
            v.hold.advanceOnce = 1;
        }
        advance(cs);
        return 0;
    case '*': case '/': case ':': case ';': case ',':
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9':
        return durationNumber(cs, m, v);
    default:
        *done = true;
        return 0;
    }
}

// A note finishes plainly when it is a letter note on a voice whose hold
// state is all clear (notes sound together, no "break", tie, glide, held
// note or "~" advance), and no "w" follows it. Ordinary music meets this
// for every note; the finish is then written with those fields known zero
// (`Plain`), which drops their tests and the stores that would rewrite them.
template <bool Plain>
void finishPitch(VoiceState &v, const Modifiers &m) {
    if (!Plain && (v.stepKind == kStepRest || v.stepKind == kStepGlideOnly)) return;
    if (Plain || isLetterNote(v)) {
        v.letterPitch = v.key.table[v.letterIndex];
        v.pitch = v.letterPitch + 12 * v.octave + m.chromatic;
        while (v.pitch > 127) v.pitch -= 12;
    } else {
        v.pitch += m.chromatic + 12 * v.octave;
    }
    if (m.diatonic != 0) v.pitch = TransposeDiatonic(v.pitch, v.key.tonic, m.diatonic);
}

template <bool Plain>
void chordBookkeeping(VoiceState &v, Modifiers &m) {
    if (!m.durationGiven && v.timing.pendingNotes > 1) m.duration = v.timing.chordDuration;
    else if (m.durationGiven && (Plain || v.stepKind != kStepGlideOnly)) v.timing.chordDuration = m.duration;
    if (v.timing.pendingNotes == 1) {
        v.firstLetterChar = v.lastLetterChar;
        v.firstLetterPitch = static_cast<uint8_t>(v.letterPitch);
        v.firstOctave = static_cast<uint8_t>(v.octave);
        v.timing.step = v.timing.chordDuration = m.duration;
    }
    if (m.duration < v.timing.step ||
        (!Plain && (!v.hold.notesTogether() || v.hold.sequential || v.hold.glide == kGlideToTarget)))
        v.timing.step = m.duration;
}

template <bool Plain>
void fillDraft(CompileState &cs, VoiceState &v, const Modifiers &m) {
    const int64_t spread = !Plain && v.hold.tieFlag ? int64_t{v.hold.tieLength} * (v.timing.pendingNotes - 1) : 0;
    NoteDraft &d = cs.note.draft;
    d.start = checkedTicks(cs, v.timing.time + int64_t{m.delay} + spread +
                                   (!Plain && v.stepKind == kStepGlideOnly ? v.modifier(kOpLength).value : 0));
    d.channel = cs.note.channel;
    d.key = v.pitch;
    d.velocity = m.velocity;
    v.lastVelocity = m.velocity;
    d.duration = checkedTicks(cs, int64_t{m.duration} + m.lengthChange - spread);
}

template <bool Plain>
void rememberPitch(VoiceState &v) {
    if (!Plain) {
        if (v.stepKind == kStepRest || v.stepKind == kStepGlideOnly) return;
        if (!isLetterNote(v) && !v.upperCase) return;
    }
    v.lastPitchAbsolute = v.flags.octaveAbsolute;
    RememberPitch(v);
}

// The length of a note that gives none, and the unit of one that does.
int32_t plainDuration(const VoiceState &v) {
    return v.modifier(kOpDuration).mode ? v.modifier(kOpDuration).value : v.timing.defaultDuration;
}

// `unit`: the voice's plainDuration.
Modifiers startModifiers(CompileState &cs, int32_t unit) {
    Modifiers m;
    cs.note.channel = 0;
    m.duration = unit;
    return m;
}

// After the last modifier, with the character that ended them in cs.ch.
// Inline: for a note word the modifiers are then known zero.
template <bool Plain>
VEK_ALWAYS_INLINE void finishNote(CompileState &cs, VoiceState &v, Modifiers &m) {
    if (!Plain) {
        if (cs.ch == 'w' || cs.ch == 'W') {
            if (!v.hold.sequential) {
                v.hold.sequential = 1;
                v.hold.sequentialStart = v.timing.time;
            }
        } else {
            v.hold.sequential = 0;
        }
        if (v.stepKind == kStepGlideOnly) {
            m.duration = 0;
            m.durationGiven = true;
        }
    }
    finishPitch<Plain>(v, m);
    if (m.duration < 0) m.duration = 0;
    chordBookkeeping<Plain>(v, m);
    if (cs.song->endTime < v.timing.time) cs.song->endTime = v.timing.time;
    fillDraft<Plain>(cs, v, m);
    rememberPitch<Plain>(v);
    v.timing.accumulated += m.duration;
}

int readModifiers(CompileState &cs, VoiceState &v, Modifiers &m) {
    bool patternOffered = false;
    for (bool done = false; !done;) {
        if (const int code = modifier(cs, v, m, &done)) return code;
        // An active note pattern supplies further modifiers, once per note;
        // notes of a body and notes read only for their pitch (on a copy of
        // the voice) get none.
        if (done && !patternOffered && &v == cs.voice && !cs.hooks.noteInBody) {
            patternOffered = true;
            done = !offerNotePattern(cs);
        }
    }
    return 0;
}

// What the modifier loop would make of a note word of `ticks` (when it
// gives a length), the reader moved past it to its delimiter.
void takeWord(CompileState &cs, VoiceState &v, Modifiers &m, const NoteWord &word, int32_t ticks) {
    if (word.marked) {
        v.accidental = static_cast<uint8_t>(v.accidental + word.marks);
        keepAccidental(v);
    }
    if (word.lengthGiven) {
        m.duration = cs.number = ticks;
        m.durationGiven = true;
    }
    InputState &in = cs.in;
    in.index += word.consumed;
    in.charactersLeft -= word.consumed;
    cs.ch = in.data[in.index - 1];
}

}  // namespace

bool NoteWordFits(const VoiceState &v, const NoteWord &word) {
    return LengthFits(word, plainDuration(v));
}

int ReadNoteModifiers(CompileState &cs, VoiceState &v) {
    Modifiers m = startModifiers(cs, plainDuration(v));
    if (const int code = readModifiers(cs, v, m)) return code;
    if (v.hold.allClear() && v.stepKind == kStepLetter && (cs.ch | 0x20) != 'w') finishNote<true>(cs, v, m);
    else finishNote<false>(cs, v, m);
    return 0;
}

// Most notes are a letter with at most an accidental and a length: read
// straight from the block, they skip a nextChar and a modifier dispatch
// per byte. A pattern could add modifiers after the word, so with any
// pattern or effect switched on the notes go the general way.
bool ReadPeekedNote(CompileState &cs, VoiceState &v, const NoteWord &word) {
    const int32_t unit = plainDuration(v);
    int32_t ticks = 0;
    if (cs.hooks.attachmentsMade || (word.lengthGiven && !NoteWordTicks(word, unit, ticks)))
        return false;
    TakeNoteLetter(cs, v, cs.ch);
    Modifiers m = startModifiers(cs, unit);
    takeWord(cs, v, m, word, ticks);
    // A letter note, and its word ends at a blank, ")" or "]", not a "w".
    if (v.hold.allClear()) finishNote<true>(cs, v, m);
    else finishNote<false>(cs, v, m);
    return true;
}

}  // namespace vek
