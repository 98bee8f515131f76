// Prefix operators: per-cluster modifiers, and their doubled keyword forms.
#include "entry/compile_state.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_statement.h"
#include "music/keywords.h"
#include "music/notes.h"
#include "music/numbers.h"
#include "music/pitch.h"
#include "statements/statement_parts.h"
#include "music/ticks.h"

namespace vek {

namespace {


void advance(CompileState &cs) { nextChar(cs, kReadNormal); }

// The doubled operators name reserved words; -1 when the pair is none.
int doubledWord(int first, int second) {
    switch (first * 256 + second) {
    case '!' * 256 + '!': return kwVelocity;
    case '@' * 256 + '@': return kwOctave;
    case '*' * 256 + '*': return kwDurationFactor;
    case '^' * 256 + '^': return kwDiatonic;
    case '#' * 256 + '#': return kwChromatic;
    case '$' * 256 + '$': return kwChannel;
    case '>' * 256 + '>': return kwShift;
    case '>' * 256 + '<': return kwSqueeze;
    case '<' * 256 + '<': return kwGap;
    case '<' * 256 + '>': return kwStretch;
    default: return -1;
    }
}

struct OperatorValue {
    ModifierMode mode;  // kModeReuse without a number, else relative or absolute
    bool equals;        // "=" was written
    int32_t number;
};

OperatorValue readOperand(CompileState &cs, int mask, int32_t maximum, int32_t minimum,
                          int32_t unit) {
    OperatorValue r{kModeReuse, false, 0};
    if (cs.ch == '=') {
        advance(cs);
        r.equals = true;
    }
    const bool relative = !r.equals && (cs.ch == '+' || cs.ch == '-');
    if (ReadNumber(cs, mask, maximum, minimum, unit)) {
        r.mode = relative ? kModeRelative : kModeAbsolute;
        r.number = cs.number;
    }
    return r;
}

// "=" with nothing after it is an error for these operators.
void requireAfterEquals(CompileState &cs, const OperatorValue &r) {
    if (r.equals && r.mode == kModeReuse) error(cs, kMsgSyntax);
}

// The number given, or without one the number the operator had before.
void setOrReuse(GroupModifier &g, const OperatorValue &r) {
    if (r.mode != kModeReuse) g.value = g.previous = r.number;
    else g.value = g.previous;
    g.mode = r.mode;
}

void velocity(CompileState &cs, VoiceState &v) {
    const OperatorValue r = readOperand(cs, kMaskInteger, 127, -127, 1);
    GroupModifier &g = v.modifier(kOpVelocity);
    g.mode = r.mode;
    if (r.mode != kModeReuse) g.value = r.number;
}

void octave(CompileState &cs, VoiceState &v) {
    const OperatorValue r = readOperand(cs, kMaskInteger, 127, -127, 1);
    GroupModifier &g = v.modifier(kOpOctave);
    if (r.mode != kModeReuse) {
        g.value = r.number;
        g.mode = r.mode;
    } else {
        g.mode = r.equals ? kModeAbsolute : kModeRelative;
    }
}

void duration(CompileState &cs, VoiceState &v) {
    const OperatorValue r = readOperand(cs, kMaskLength, 65535, 0, v.timing.defaultDuration);
    requireAfterEquals(cs, r);
    setOrReuse(v.modifier(kOpDuration), r);
}

void transpose(CompileState &cs, VoiceState &v) {
    const OperatorValue r = readOperand(cs, kMaskInteger, 127, -127, 1);
    requireAfterEquals(cs, r);
    setOrReuse(v.modifier(kOpTranspose), r);
}

void channel(CompileState &cs, VoiceState &v) {
    const OperatorValue r = readOperand(cs, kMaskInteger, 127, -127, 1);
    requireAfterEquals(cs, r);
    GroupModifier &g = v.modifier(kOpChannel);
    if (r.mode == kModeAbsolute) {
        g.value = g.previous = r.number;
    } else if (r.mode == kModeRelative) {
        g.value += r.number;
        g.previous = r.number;
    } else {
        g.value = g.previous;
        v.groupMute = 1;
    }
    g.mode = r.mode;
}

// ">" and "<": ticks added to the cluster's delay or length.
void displacement(CompileState &cs, VoiceState &v, GroupOperator op) {
    const OperatorValue r = readOperand(cs, kMaskLength, 65535, -16000, v.timing.displacementUnit);
    requireAfterEquals(cs, r);
    GroupModifier &g = v.modifier(op);
    g.value = checkedTicks(cs, int64_t{g.value} + (r.mode != kModeReuse ? r.number : g.previous));
    if (r.mode != kModeReuse) g.previous = r.number;
    g.mode = r.mode;
}

// "^": a diatonic shift, the key restored (before a blank), or a note whose
// key becomes the root of the mode.
void diatonic(CompileState &cs, VoiceState &v) {
    if (isBlank(cs.ch)) {
        for (int i = 0; i < 7; ++i) v.key.table[i] = v.key.signature[i];
        return;
    }
    const bool number = cs.ch == '=' || cs.ch == '+' || cs.ch == '-' ||
                        (cs.ch >= '0' && cs.ch <= '9');
    if (number) {
        setOrReuse(v.modifier(kOpDiatonic), readOperand(cs, kMaskInteger, 127, -127, 1));
        return;
    }
    VoiceState copy = v;
    error(cs, ReadNoteName(cs, copy));
    error(cs, ReadNoteModifiers(cs, copy));
    SettlePitchMemory(v);
    v.key.modeRoot = copy.pitch;
}

}  // namespace

void prefixOperator(CompileState &cs, VoiceState &v) {
    const int first = cs.ch;
    advance(cs);
    const int word = doubledWord(first, cs.ch);
    if (word >= 0) {
        advance(cs);
        KeywordStatement(cs, word);
        return;
    }
    v.operatorsWritten = 1;
    switch (first) {
    case '!': velocity(cs, v); break;
    case '@': octave(cs, v); break;
    case '*': duration(cs, v); break;
    case '#': transpose(cs, v); break;
    case '$': channel(cs, v); break;
    case '^': diatonic(cs, v); break;
    case '>': displacement(cs, v, kOpDelay); break;
    case '<': displacement(cs, v, kOpLength); break;
    }
}

}  // namespace vek
