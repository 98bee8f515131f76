// Helpers shared by the reserved-word statements.
#include <algorithm>
#include <cstdio>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/numbers.h"

namespace vek {

// The message names the word itself, also when it was written as a
// doubled operator and the name buffer holds something else.
void invalidParameter(CompileState &cs, int index) {
    std::snprintf(cs.name, kNameBytes, "%s", kReservedWords[index]);
    raiseError(cs, kMsgInvalidParameter);
}

bool hasNumber(int form) { return form != kNoNumber && form != kFormNoSmpte; }

std::vector<Track *> targetTracks(CompileState &cs) {
    VoiceState &v = *cs.voice;
    std::vector<Track *> tracks;
    if (v.sectionMode && v.section) {
        HashTable::collectTracks(*v.section, tracks);
        std::vector<Track *> distinct;
        for (Track *t : tracks)
            if (std::find(distinct.begin(), distinct.end(), t) == distinct.end())
                distinct.push_back(t);
        return distinct;
    }
    if (v.track) tracks.push_back(v.track);
    return tracks;
}

Track *firstTarget(CompileState &cs) {
    const std::vector<Track *> tracks = targetTracks(cs);
    return tracks.empty() ? nullptr : tracks.front();
}

void advance(CompileState &cs) { nextChar(cs, kReadNormal); }

void readDeclaredName(CompileState &cs) {
    if (readName(cs, kDeclaredNameMax, false) != 0) error(cs, kMsgNameStart);
}

void readUsedName(CompileState &cs) { readName(cs, kDeclaredNameMax, false); }

bool atListEnd(CompileState &cs) {
    skipBlanks(cs);
    if (cs.ch == kEndOfInput) error(cs, kMsgCloseBracket);
    if (cs.ch != ']') return false;
    advance(cs);
    return true;
}

bool skipRangeArrow(CompileState &cs) {
    skipBlanks(cs);
    if (cs.ch != '-') return false;
    advance(cs);
    if (cs.ch != '>') return true;  // the minus sign of the second value
    advance(cs);
    skipBlanks(cs);
    return false;
}

int8_t toInt8(int32_t value) { return static_cast<int8_t>(std::clamp(value, -128, 127)); }

}  // namespace vek
