// The parameters of a copy body: a slot name and a mode name, then a fixed
// value, or an optional repeat count, step list and nested definition.
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "music/copy_parts.h"
#include "music/copy_statement.h"
#include "music/keyword_words.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kMaxRepeat = 256;
constexpr int32_t kMaxStepNumber = 127;

struct WordPair {
    const char *longName;
    const char *shortName;
};

// ORDER COPY SLOTS
constexpr WordPair kSlotNames[kCopySlots] = {
    {"seed", "s"}, {"pitch", "p"}, {"duration", "d"}, {"interval", "i"},
    {"channel", "c"}, {"velocity", "v"}, {"diatonic", "m"}, {"chromatic", "h"},
};

// Modes 1 to 3.
constexpr WordPair kModeNames[3] = {{"fixed", "f"}, {"timed", "t"}, {"sequenced", "s"}};

struct FixedRange {
    int mask;
    int32_t maximum, minimum;  // both 0: no range test
};

// ORDER COPY SLOTS
constexpr FixedRange kFixedRanges[kCopySlots] = {
    {kMaskInteger, 0, 0},                                    // seed: events a pass makes
    {kMaskInteger, 100, 0},                                  // pitch: key
    {kMaskLength, 32767, 0},                                 // duration: ticks
    {kMaskLength, std::numeric_limits<int32_t>::max(), 0},   // interval: ticks
    {kMaskInteger, 16, 1},                                   // channel, counted from 1
    {kMaskInteger, 0, 0},                                    // velocity, clamped to 0-127
    {kMaskInteger, 127, -128},                               // diatonic: scale steps
    {kMaskInteger, 127, -128},                               // chromatic: semitones
};

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// Index of the name in the list, or -1.
int lookUp(const WordPair *words, int count, const char *name) {
    for (int i = 0; i < count; ++i)
        if (std::strcmp(name, words[i].longName) == 0 || std::strcmp(name, words[i].shortName) == 0)
            return i;
    return -1;
}

int readWord(CompileState &cs, const WordPair *words, int count) {
    if (readName(cs, kDeclaredNameMax, false) != 0) error(cs, kMsgSequenceSyntax);
    const int index = lookUp(words, count, cs.name);
    if (index < 0) error(cs, kMsgSequenceSyntax);
    return index;
}

// The message names the slot whose value or definition is missing.
[[noreturn]] void missing(CompileState &cs, int slot) {
    std::snprintf(cs.name, kNameBytes, "%s", kSlotNames[slot].longName);
    raiseError(cs, kMsgMissingInDeclaration);
}

void readFixed(CompileState &cs, CopySlot &slot, int index) {
    skipBlanks(cs);
    const FixedRange &r = kFixedRanges[index];
    if (!hasNumber(ReadNumber(cs, r.mask, r.maximum, r.minimum, 1))) missing(cs, index);
    slot.fixed = cs.number;
}

// "(" numbers ")", at most kMaxCopySteps of them.
std::vector<int32_t> readStepList(CompileState &cs) {
    advance(cs);
    std::vector<int32_t> numbers;
    for (;;) {
        skipBlanks(cs);
        if (cs.ch == ')') break;
        if (numbers.size() == kMaxCopySteps) error(cs, kMsgSequenceSyntax);
        if (ReadNumber(cs, kMaskInteger, kMaxStepNumber, -kMaxStepNumber, 1) == kNoNumber)
            error(cs, kMsgSequenceSyntax);
        numbers.push_back(cs.number);
    }
    advance(cs);
    return numbers;
}

// A nested copy body into a temporary track, written from the window start
// so that its first event lines up with the source's. An empty "[]" gives
// no track.
std::unique_ptr<Track> nestedDefinition(CompileState &cs, int32_t start, int depth, int slot) {
    advance(cs);
    skipBlanks(cs);
    if (cs.ch == ']') {
        advance(cs);
        return nullptr;
    }
    std::unique_ptr<Track> track(new (std::nothrow) Track);
    if (!track) missing(cs, slot);
    track->budget = &cs.song->budget;
    track->setResolution(cs.song->division, cs.song->division);
    copyStatement(cs, {track.get()}, start, depth + 1);
    return track;
}

void readDriven(CompileState &cs, const CopyRequest &request, CopySlot &slot, int index, int depth) {
    skipBlanks(cs);
    if (isDigit(cs.ch)) {
        ReadNumber(cs, kMaskInteger, kMaxRepeat, 1, 1);
        slot.repeat = cs.number;
    }
    skipBlanks(cs);
    std::vector<int32_t> numbers;
    if (cs.ch == '(') numbers = readStepList(cs);
    slot.steps = stepTable(numbers, slot.repeat);
    skipBlanks(cs);
    if (cs.ch != '[') missing(cs, index);
    slot.driver = nestedDefinition(cs, request.windowStart, depth, index);
}

}  // namespace

std::vector<int32_t> stepTable(const std::vector<int32_t> &numbers, int32_t repeat) {
    if (numbers.empty()) return {repeat};
    std::vector<int32_t> steps;
    for (size_t i = 1; i < numbers.size(); ++i) steps.push_back(numbers[i] - numbers[i - 1]);
    steps.push_back(numbers.front() + repeat - numbers.back());
    return steps;
}

// slot mode value | slot mode [repeat] [(numbers)] [definition] ... "]"
void readCopyParameters(CompileState &cs, CopyRequest &request, int depth) {
    while (!atListEnd(cs)) {
        const int index = readWord(cs, kSlotNames, kCopySlots);
        CopySlot &slot = request.slots[index];
        slot = CopySlot{};
        slot.mode = static_cast<uint8_t>(readWord(cs, kModeNames, 3) + 1);
        if (slot.mode == kCopyFixed) readFixed(cs, slot, index);
        else readDriven(cs, request, slot, index, depth);
    }
}

}  // namespace vek
