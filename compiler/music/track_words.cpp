// The track-setting words: each reads one signed value and changes the
// voice's track, or every track of the addressed section once.
#include <algorithm>
#include <limits>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kIntegerLimit = 1000;
constexpr int32_t kLengthMax = 65535;   // ticks
constexpr int32_t kLengthMin = -16000;  // ticks
constexpr int32_t kVelocityMax = 127;

// A value with the sign written before it: '+' or '-' make the change
// relative, '=' absolute, 0 none.
struct Setting {
    int32_t value = 0;
    char sign = 0;
    bool relative() const { return sign == '+' || sign == '-'; }
};

char readSign(CompileState &cs) {
    if (cs.ch == '+' || cs.ch == '=') {
        const char sign = static_cast<char>(cs.ch);
        advance(cs);
        return sign;
    }
    return cs.ch == '-' ? '-' : 0;
}

Setting readSetting(CompileState &cs, int index, int mask, int32_t maximum, int32_t minimum,
                    int32_t unit) {
    Setting s;
    s.sign = readSign(cs);
    if (!hasNumber(ReadNumber(cs, mask, maximum, minimum, unit))) invalidParameter(cs, index);
    s.value = cs.number;
    return s;
}

Setting readInteger(CompileState &cs, int index) {
    return readSetting(cs, index, kMaskInteger, kIntegerLimit, -kIntegerLimit, 1);
}

Setting readLength(CompileState &cs, int index) {
    return readSetting(cs, index, kMaskLength, kLengthMax, kLengthMin, cs.voice->timing.displacementUnit);
}

int32_t applied(int32_t old, const Setting &s) { return s.relative() ? old + s.value : s.value; }

// Folds the running ramp into the offset and starts a new one at the
// cluster just read; it reaches `amount` at `end`.
void startRamp(CompileState &cs, Track &t, int32_t end) {
    const VoiceState &v = *cs.voice;
    t.velocityOffset += t.crescendoAmount;
    t.crescendoStart = v.timing.time - v.timing.step;
    t.crescendoEnd = end;
}

// The ramp's size: a signed amount after '+' or '-' (so "-n" falls), the
// distance to n after '=', the running amount without a sign.
int32_t rampAmount(const Track &t, const Setting &s) {
    if (s.relative()) return s.value;
    if (s.sign == '=') return s.value - t.velocityOffset;
    return t.crescendoAmount;
}

}  // namespace

void accentWord(CompileState &cs) {
    const Setting s = readInteger(cs, kwAccent);
    if (s.value < -kVelocityMax || s.value > kVelocityMax) invalidParameter(cs, kwAccent);
    for (Track *t : targetTracks(cs)) t->accentStep = s.value;
}

// Channels are written from 1; a result outside 0-15 would reach the
// status byte of every controller sent to the track.
void channelWord(CompileState &cs) {
    const Setting s = readInteger(cs, kwChannel);
    const std::vector<Track *> tracks = targetTracks(cs);
    for (Track *t : tracks) {
        const int32_t channel = s.relative() ? t->channel + s.value : s.value - 1;
        if (channel < 0 || channel > 15) error(cs, kMsgChannelRange);
    }
    for (Track *t : tracks) {
        t->channel = static_cast<uint8_t>(s.relative() ? t->channel + s.value : s.value - 1);
        t->channelSet = 1;
    }
}

void chromaticWord(CompileState &cs) {
    const Setting s = readInteger(cs, kwChromatic);
    for (Track *t : targetTracks(cs)) {
        t->transpose = toInt8(applied(t->transpose, s));
        t->refreshShaping();
    }
}

void crescendoWord(CompileState &cs) {
    const Setting s = readInteger(cs, kwCrescendo);
    for (Track *t : targetTracks(cs)) {
        startRamp(cs, *t, cs.voice->timing.time - 1);
        t->crescendoAmount = rampAmount(*t, s);
        t->refreshShaping();
    }
}

void diatonicWord(CompileState &cs) {
    const Setting s = readInteger(cs, kwDiatonic);
    for (Track *t : targetTracks(cs)) {
        t->diatonicShift = toInt8(applied(t->diatonicShift, s));
        t->refreshShaping();
    }
}

// "** 1/2" halves the lengths of the track's notes: the emission scales
// lengths by resolution / division.
void durationFactorWord(CompileState &cs) {
    const Setting s = readSetting(cs, kwDurationFactor, kMaskLength, kLengthMax, kLengthMin,
                                  cs.song->division);
    for (Track *t : targetTracks(cs)) t->setResolution(s.value, cs.song->division);
}

void gapWord(CompileState &cs) {
    const Setting s = readLength(cs, kwGap);
    for (Track *t : targetTracks(cs)) {
        t->lengthOffset = applied(t->lengthOffset, s);
        t->refreshShaping();
    }
}

// Without an absolute octave the emission adds 5 octaves.
void octaveWord(CompileState &cs) {
    const Setting s = readInteger(cs, kwOctave);
    for (Track *t : targetTracks(cs)) {
        t->octave = toInt8(applied(t->octave, s));
        if (!s.relative()) t->octaveAbsolute = 1;
    }
}

void shiftWord(CompileState &cs) {
    const Setting s = readLength(cs, kwShift);
    for (Track *t : targetTracks(cs)) {
        t->delay = applied(t->delay, s);
        t->refreshShaping();
    }
}

void squeezeWord(CompileState &cs) {
    const Setting s = readLength(cs, kwSqueeze);
    for (Track *t : targetTracks(cs))
        t->maxDuration = std::max(applied(t->maxDuration, s), t->minDuration);
}

// Without a sign the stretch adds to the minimum.
void stretchWord(CompileState &cs) {
    const Setting s = readLength(cs, kwStretch);
    for (Track *t : targetTracks(cs)) {
        const int32_t minimum = s.sign == '=' ? s.value : t->minDuration + s.value;
        t->minDuration = std::min(minimum, t->maxDuration);
    }
}

// "velocity n" sets the offset; "velocity L+n" ramps by n over the length L.
// The length is read without a range so that a plain velocity stays valid
// whatever the default duration; only a ramp's length is range-checked.
void velocityWord(CompileState &cs) {
    VoiceState &v = *cs.voice;
    const int32_t unit = v.timing.defaultDuration;
    const Setting length = readSetting(cs, kwVelocity, kMaskLength,
                                       std::numeric_limits<int32_t>::max(),
                                       std::numeric_limits<int32_t>::min(), unit);
    if (cs.ch == '+' || cs.ch == '-' || cs.ch == '=') {
        if (length.value > kLengthMax || length.value < kLengthMin) error(cs, kMsgOutOfRange);
        Setting amount;
        amount.sign = static_cast<char>(cs.ch);
        advance(cs);
        if (!hasNumber(ReadNumber(cs, kMaskInteger, kIntegerLimit, -kIntegerLimit, 1)))
            invalidParameter(cs, kwVelocity);
        amount.value = amount.sign == '-' ? -cs.number : cs.number;
        for (Track *t : targetTracks(cs)) {
            startRamp(cs, *t, v.timing.time + length.value);
            t->crescendoAmount = rampAmount(*t, amount);
            t->refreshShaping();
        }
        return;
    }
    Setting plain = length;
    plain.value = unit != 0 ? length.value / unit : length.value;
    for (Track *t : targetTracks(cs))
        t->velocityOffset = std::min(applied(t->velocityOffset, plain), kVelocityMax);
}

}  // namespace vek
