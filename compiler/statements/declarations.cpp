// `patch` and `pattern`: program numbers by name, and named arrangements
// of note and chord patterns and effects over a cycle.
#include "statements/declarations.h"

#include <algorithm>
#include <limits>
#include <new>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/emission.h"
#include "music/keyword_words.h"
#include "music/numbers.h"
#include "statements/attachments.h"

namespace vek {

namespace {

constexpr int32_t kMaxProgram = 127;
constexpr int32_t kMaxChannel = 15;

// ---- patch ----

// The channel of a program change: the track's, unless the "$" operator
// of the current cluster gives another (written from 1 in the source).
int32_t operatorChannel(const VoiceState &v) {
    const int32_t own = v.track ? v.track->channel : 0;
    switch (v.modifier(kOpChannel).mode) {
    case kModeReuse: return v.modifier(kOpChannel).previous;
    case kModeRelative: return own + v.modifier(kOpChannel).value;
    case kModeAbsolute: return v.modifier(kOpChannel).value - 1;
    default: return own;
    }
}

void emitProgram(CompileState &cs, int32_t time, int32_t channel, int32_t program) {
    if (channel < 0 || channel > kMaxChannel) error(cs, kMsgChannelRange);
    Track *track = cs.voice->track;
    if (!track) return;
    Event &e = cs.programTemplate;
    e.time = time;
    e.channel = static_cast<uint8_t>(channel);
    e.data1 = static_cast<uint8_t>(program);
    storeEvent(cs, *track, e);
}

bool readProgram(CompileState &cs) {
    return hasNumber(ReadNumber(cs, kMaskInteger, kMaxProgram, 0, 1));
}

// name n: a second entry of a name already declared is not reported.
void declarePatch(CompileState &cs) {
    readDeclaredName(cs);
    skipBlanks(cs);
    if (!readProgram(cs)) error(cs, kMsgPatchNumber);
    cs.symbols.addNumber(kPatchSymbol, cs.number, cs.name);
}

// ---- pattern ----

bool isLengthStart(int c) { return (c >= '/' && c <= ';') || c == ','; }

int32_t saturate(int64_t ticks) {
    return static_cast<int32_t>(std::min<int64_t>(ticks, std::numeric_limits<int32_t>::max()));
}

// Where the next element goes while a pattern's brackets are read (ticks).
struct Layout {
    int64_t at = 0;     // start of the next element
    int64_t last = 0;   // length of the last element
    int64_t dflt = 0;   // length of an element written without one
    int64_t total = 0;  // the largest end: the pattern's cycle
};

int32_t readPatternLength(CompileState &cs) {
    const int form = ReadNumber(cs, kMaskLength, 65535, 0, cs.voice->timing.defaultDuration);
    if (!hasNumber(form)) error(cs, kMsgMissingLength);
    return cs.number;
}

// The name of a new pattern; a name declared as something else is refused,
// since its value is not a chain of nodes.
HashEntry &patternEntry(CompileState &cs) {
    HashTable &symbols = cs.symbols;
    symbols.add(kPatternSymbol, nullptr, cs.name);
    HashEntry *e = symbols.find(cs.name);
    if (!e || e->kind != kPatternSymbol) error(cs, kMsgReservedName);
    return *e;
}

// "(" name ")" [length]: an element over [at, at + length).
void patternElement(CompileState &cs, HashEntry &pattern, Layout &l) {
    advance(cs);
    readName(cs, kDeclaredNameMax, false);
    skipBlanks(cs);
    if (cs.ch == kEndOfInput) error(cs, kMsgCloseBracket);
    if (cs.ch != ')') error(cs, kMsgSyntax);
    advance(cs);
    if (isLengthStart(cs.ch)) l.last = l.dflt = readPatternLength(cs);
    else l.last = l.dflt;
    HashEntry *element = cs.symbols.find(cs.name);
    if (!element) error(cs, kMsgUndefined);
    if (element->kind < kNotePattern || element->kind > kChordEffect) error(cs, kMsgNotAnElement);
    const int64_t end = l.at + l.last;
    l.total = std::max(l.total, end);
    if (appendNode(pattern, element, saturate(l.at), saturate(end))) error(cs, kMsgNoMemory);
}

void strayInPattern(CompileState &cs) {
    if (cs.ch == kEndOfInput) error(cs, kMsgCloseBracket);
    cs.name[0] = static_cast<char>(cs.ch);
    cs.name[1] = '\0';
    error(cs, kMsgSyntax);
}

// The elements up to "]"; blanks move past the last element, a number
// moves to that many ticks after the last element's start.
void patternBody(CompileState &cs, HashEntry &pattern) {
    Layout l;
    l.dflt = cs.voice->timing.defaultDuration;
    for (;;) {
        if (isBlank(cs.ch)) {
            l.at += l.last;
            l.dflt = cs.voice->timing.defaultDuration;
            skipBlanks(cs);
        } else if (isLengthStart(cs.ch)) {
            l.at += readPatternLength(cs) - l.last;
            l.last = 0;
            l.total = std::max(l.total, l.at);
        } else if (cs.ch == '(') {
            patternElement(cs, pattern, l);
        } else if (cs.ch == ']') {
            break;
        } else {
            strayInPattern(cs);
        }
    }
    // A pattern without elements keeps no node and is never active.
    if (auto *first = static_cast<PatternNode *>(pattern.value.object))
        first->total = saturate(l.total);
    advance(cs);
    skipBlanks(cs);
}

void declarePattern(CompileState &cs) {
    readDeclaredName(cs);
    HashEntry &pattern = patternEntry(cs);
    skipBlanks(cs);
    if (cs.ch != '[') error(cs, kMsgOpenBracket);
    advance(cs);
    patternBody(cs, pattern);
}

}  // namespace

// patch n | patch name n | patch [name n ...]
void patchStatement(CompileState &cs) {
    VoiceState &v = *cs.voice;
    const int32_t channel = operatorChannel(v);
    v.modifier(kOpChannel).mode = kModeNone;
    v.modifier(kOpChannel).value = 0;
    const int32_t time = v.timing.time;
    skipBlanks(cs);
    if (readProgram(cs)) {
        emitProgram(cs, time, channel, cs.number);
    } else if (cs.ch != '[') {
        declarePatch(cs);
    } else {
        advance(cs);
        while (!atListEnd(cs)) declarePatch(cs);
    }
}

void patchName(CompileState &cs, const HashEntry &patch) {
    emitProgram(cs, cs.voice->timing.time, operatorChannel(*cs.voice), patch.value.number);
}

// pattern name [...] | pattern [name [...] ...]
void patternStatement(CompileState &cs) {
    if (cs.ch != '[') {
        declarePattern(cs);
        return;
    }
    advance(cs);
    while (!atListEnd(cs)) declarePattern(cs);
}

int appendNode(HashEntry &pattern, HashEntry *element, int32_t start, int32_t end) {
    auto *node = new (std::nothrow) PatternNode{element, start, end, 0, nullptr};
    if (!node) return 1;
    auto *last = static_cast<PatternNode *>(pattern.value.object);
    if (!last) {
        pattern.value.object = node;
        return 0;
    }
    while (last->next) last = last->next;
    last->next = node;
    return 0;
}

}  // namespace vek
