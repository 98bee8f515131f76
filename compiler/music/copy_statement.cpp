// The copy statement: the source, the window, the parameters and the
// repetition count of one copy body, then its run.
#include "music/copy_statement.h"

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "music/copy_parts.h"
#include "music/keyword_words.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kMaxRepetitions = 10000;

// A track, a second track name or a section, flattened.
void readSource(CompileState &cs, CopyRequest &request) {
    readName(cs, kDeclaredNameMax, false);
    const HashEntry *e = cs.symbols.find(cs.name);
    if (e && (e->kind == kTrackSymbol || e->kind == kSecondName))
        request.sources.push_back(static_cast<Track *>(e->value.object));
    else if (e && e->kind == kSectionSymbol)
        HashTable::collectTracks(*static_cast<SectionGroup *>(e->value.object), request.sources);
    else
        error(cs, kMsgNoTrackOrSection);
    if (request.sources.size() > kMaxCopySources) error(cs, kMsgSequenceSyntax);
}

// Right after the "]", as after a repeated group.
void readRepetitions(CompileState &cs, CopyRequest &request) {
    if (cs.ch < '0' || cs.ch > '9') return;
    ReadNumber(cs, kMaskInteger, kMaxRepetitions, 1, 1);
    request.repetitions = cs.number;
}

}  // namespace

int32_t copyStatement(CompileState &cs, const std::vector<Track *> &targets, int32_t start,
                      int depth) {
    if (depth > kMaxCopyDepth) error(cs, kMsgNoMemory);
    CopyRequest request;
    readSource(cs, request);
    readCopyWindow(cs, request);
    readCopyParameters(cs, request, depth);
    readRepetitions(cs, request);
    return runCopy(cs, request, targets, start, depth);
}

void CopyWord(CompileState &cs) {
    if (cs.ch != '[') return;
    VoiceState &v = *cs.voice;
    const std::vector<Track *> targets = targetTracks(cs);
    advance(cs);
    v.timing.time = v.timing.eventStart = copyStatement(cs, targets, v.timing.time, 1);
    v.timing.step = 0;
    refreshMeter(cs);
}

}  // namespace vek
