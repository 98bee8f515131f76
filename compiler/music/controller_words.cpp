// The words that change the voice's controller definition. Tempo values
// are written in beats per minute and kept in hundredths.
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kChannels = 16;
constexpr int32_t kRangeLimit = 8191;
constexpr int32_t kMaxRate = 100;  // events per second

ControllerDefinition &controllerFor(CompileState &cs, int index) {
    ControllerDefinition *d = cs.voice->controller;
    if (!d) invalidParameter(cs, index);
    return *d;
}

int32_t scaleOf(const ControllerDefinition &d) { return d.eventKind == kTempoEvent ? 100 : 1; }

// An integer within [minimum, maximum]; missing raises 21.
int32_t readBounded(CompileState &cs, int index, int32_t minimum, int32_t maximum) {
    if (!hasNumber(ReadNumber(cs, kMaskInteger, 0, 0, 1))) invalidParameter(cs, index);
    if (cs.number < minimum || cs.number > maximum) error(cs, kMsgOutOfRange);
    return cs.number;
}

// A new limit must lie within the current ones.
int32_t readLimit(CompileState &cs, int index) {
    ControllerDefinition &d = controllerFor(cs, index);
    const int32_t scale = scaleOf(d);
    return readBounded(cs, index, d.minValue / scale, d.maxValue / scale) * scale;
}

}  // namespace

// Channels are written from 1; the override goes into a status byte.
void cchannelWord(CompileState &cs) {
    ControllerDefinition &d = controllerFor(cs, kwCchannel);
    d.channelOverride = static_cast<uint8_t>(readBounded(cs, kwCchannel, 1, kChannels) - 1);
    d.flags |= 1;
}

void intoWord(CompileState &cs) {
    ControllerDefinition &d = controllerFor(cs, kwInto);
    readUsedName(cs);
    HashEntry *e = cs.symbols.find(cs.name);
    if (!e || (e->kind != kTrackSymbol && e->kind != kSectionSymbol))
        error(cs, kMsgNoTrackOrSection);
    d.target = e->value.object;
    if (e->kind == kSectionSymbol) d.flags |= 2;
    else d.flags &= ~2;
}

void maximumWord(CompileState &cs) { controllerFor(cs, kwMaximum).maxValue = readLimit(cs, kwMaximum); }

void minimumWord(CompileState &cs) { controllerFor(cs, kwMinimum).minValue = readLimit(cs, kwMinimum); }

void minChangeWord(CompileState &cs) {
    ControllerDefinition &d = controllerFor(cs, kwMinChange);
    const int32_t scale = scaleOf(d);
    d.step = readBounded(cs, kwMinChange, 0, d.maxValue / scale) * scale;
}

// "range a -> b": the span of semitones the full wheel bends over.
void rangeWord(CompileState &cs) {
    ControllerDefinition &d = controllerFor(cs, kwRange);
    const int32_t scale = scaleOf(d);
    const int32_t low = readBounded(cs, kwRange, -kRangeLimit, kRangeLimit);
    const bool negate = skipRangeArrow(cs);
    int32_t high = readBounded(cs, kwRange, -kRangeLimit, kRangeLimit);
    if (negate) high = -high;
    d.glideRangeLow = low * scale;
    d.glideRangeHigh = high * scale;
}

// A missing rate raises 18, which has no message text.
void rateWord(CompileState &cs) {
    ControllerDefinition &d = controllerFor(cs, kwRate);
    if (!hasNumber(ReadNumber(cs, kMaskInteger, kMaxRate, 1, 1))) error(cs, kMsgNoRate);
    d.rate = static_cast<uint8_t>(cs.number);
}

// A following value ("~~=120") then changes the tempo; like a controller
// name, the value lands where the last cluster started.
void tempoWord(CompileState &cs) {
    VoiceState &v = *cs.voice;
    v.controller = &cs.tempoDefinition;
    v.timing.eventStart = v.timing.time - v.timing.step;
}

}  // namespace vek
