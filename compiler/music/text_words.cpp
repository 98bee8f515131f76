// Texts in brackets: the song's seven texts, markers and cue points, and
// text, wave and MCI events in the voice's track.
#include <optional>
#include <string>

#include "events/song_context.h"
#include "input/errors.h"
#include "music/keyword_statement.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMarkerOverhead = 11;  // bytes a marker adds to the work file beyond its text

std::string readRequiredText(CompileState &cs) {
    if (cs.ch != '[') error(cs, kMsgNeedBrackets);
    return ReadBracketText(cs);
}

std::optional<std::string> &songText(SongContext &song, int index) {
    switch (index) {
    case kwAuthor: return song.author;
    case kwComments: return song.comments;
    case kwCopyright: return song.copyright;
    case kwInstructions: return song.instructions;
    case kwKeywords: return song.keywords;
    case kwSubtitle: return song.subtitle;
    default: return song.title;
    }
}

Event metaEvent(CompileState &cs, MetaType type, std::string text) {
    checkEventTime(cs, cs.voice->timing.time);
    const uint32_t index = cs.song->storeText(std::move(text));
    return Event{cs.voice->timing.time, type, kMetaText, 0, 0, index};
}

}  // namespace

void songTextWord(CompileState &cs, int index) {
    songText(*cs.song, index) = readRequiredText(cs);
}

void markerWord(CompileState &cs, MetaType type) {
    std::string text = readRequiredText(cs);
    SongContext &song = *cs.song;
    song.markerChunkLength += static_cast<int32_t>(text.size()) + kMarkerOverhead;
    song.markers.insert(metaEvent(cs, type, std::move(text)));
}

// With a section addressed the text goes to its first track.
void trackTextWord(CompileState &cs, MetaType type) {
    std::string text = readRequiredText(cs);
    Track *t = firstTarget(cs);
    if (!t) return;
    t->hasText = 1;
    t->insert(metaEvent(cs, type, std::move(text)));
}

}  // namespace vek
