// `aftertouch`, `control`, `polyphonic` and `wheel`: names for controller
// definitions, each becoming the voice's controller as it is declared.
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kMaxControllerNumber = 127;

void setKind(ControllerDefinition &d, int index) {
    switch (index) {
    case kwAftertouch: d.eventKind = kChannelPressure; break;
    case kwPolyphonic: d.eventKind = kKeyPressure; break;
    case kwWheel:
        d.eventKind = kPitchWheel;
        d.minValue = -8192;
        d.maxValue = 8191;
        d.glideRangeHigh = 8191;
        d.glideRangeLow = -8192;
        d.step = 1;
        break;
    default: break;  // control keeps the controller kind
    }
}

// The controller number follows the name of a `control` declaration.
void readControllerNumber(CompileState &cs, ControllerDefinition &d) {
    skipBlanks(cs);
    if (!hasNumber(ReadNumber(cs, kMaskInteger, kMaxControllerNumber, 0, 1)))
        invalidParameter(cs, kwControl);
    d.number = static_cast<uint8_t>(cs.number);
}

void declareController(CompileState &cs, int index) {
    auto *d = new ControllerDefinition;
    setKind(*d, index);
    if (!cs.symbols.add(kControllerSymbol, d, cs.name)) {
        delete d;
        error(cs, kMsgReservedName);
    }
    if (index == kwControl) readControllerNumber(cs, *d);
    VoiceState &v = *cs.voice;
    v.controller = d;
    if (index == kwWheel && v.track) v.track->glideDefinition = d;
}

}  // namespace

void controllerDeclaration(CompileState &cs, int index) {
    forEachName(cs, [&cs, index] { declareController(cs, index); });
}

}  // namespace vek
