// Tracks and sections: `track`, `name2` and `wipe`.
#include <string>

#include "events/limits.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "statements/statement_parser.h"

namespace vek {

namespace {

// Sections nest by recursion; a bound keeps a hostile source from
// exhausting the stack. No piece comes near it.
constexpr int kMaxSectionDepth = 64;

void refuseTakenName(CompileState &cs) {
    if (cs.symbols.find(cs.name)) error(cs, kMsgReservedName);
}

// A new track under the name in cs.name, entered as kind 1.
Track *createTrack(CompileState &cs) {
    refuseTakenName(cs);
    if (cs.song->nextTrackNumber >= kMaxTracks) error(cs, kMsgTooManyTracks);
    Track *t = cs.song->newTrack();
    if (!t) error(cs, kMsgNoMemory);
    t->glideDefinition = &cs.wheelDefinition;
    t->name = cs.name;
    cs.song->namedTracks.emplace_back(t);
    cs.symbols.add(kTrackSymbol, t, cs.name);
    return t;
}

// The first declared track takes over the unnamed default track the voice
// is writing to, with the events it already holds; the song's named tracks
// own it from then on, so the voices that still point at it stay valid.
Track *nameDefaultTrack(CompileState &cs) {
    refuseTakenName(cs);
    SongContext &song = *cs.song;
    Track *t = song.defaultTrackStorage.get();
    song.namedTracks.push_back(std::move(song.defaultTrackStorage));
    if (!t->glideDefinition) t->glideDefinition = &cs.wheelDefinition;
    t->name = cs.name;
    cs.symbols.add(kTrackSymbol, t, cs.name);
    return t;
}

Track *declareTrack(CompileState &cs) {
    SongContext &song = *cs.song;
    Track *current = cs.voice->track;
    const bool unnamed = current && current->name.empty() &&
                         current == song.defaultTrackStorage.get();
    Track *t = unnamed ? nameDefaultTrack(cs) : createTrack(cs);
    song.defaultTrack = nullptr;
    return t;
}

void addMember(CompileState &cs, SectionGroup &group, uint8_t kind, void *member) {
    if (group.count == SectionGroup::kMaxMembers) error(cs, kMsgTrackParameter);
    group.kinds[group.count] = kind;
    group.members[group.count] = member;
    ++group.count;
}

SectionGroup *declareSection(CompileState &cs, int depth);

// A member: a nested section "name [ ... ]", a declared track or section,
// or a new track for a name not declared yet.
void readMember(CompileState &cs, SectionGroup &group, int depth) {
    readDeclaredName(cs);
    skipBlanks(cs);
    if (cs.ch == '[') {
        addMember(cs, group, kSectionSymbol, declareSection(cs, depth + 1));
        return;
    }
    HashEntry *e = cs.symbols.find(cs.name);
    if (!e) {
        addMember(cs, group, kTrackSymbol, createTrack(cs));
    } else if (e->kind == kTrackSymbol || e->kind == kSectionSymbol) {
        addMember(cs, group, e->kind, e->value.object);
    } else {
        error(cs, kMsgNoTrackOrSection);
    }
}

// The section is entered before its members are read, with cs.ch on "[".
SectionGroup *declareSection(CompileState &cs, int depth) {
    if (depth > kMaxSectionDepth) error(cs, kMsgTrackParameter);
    auto *group = new SectionGroup;
    if (!cs.symbols.add(kSectionSymbol, group, cs.name)) {
        delete group;
        error(cs, kMsgReservedName);
    }
    advance(cs);
    while (!atListEnd(cs)) readMember(cs, *group, depth);
    return group;
}

// One entry of a track statement: a section when "[" follows the name.
Track *declareTrackOrSection(CompileState &cs) {
    readDeclaredName(cs);
    skipBlanks(cs);
    if (cs.ch == '[') {
        declareSection(cs, 1);
        return nullptr;
    }
    return declareTrack(cs);
}

}  // namespace

// A single track is addressed at once; a list or a section is not.
void trackWord(CompileState &cs) {
    if (cs.ch != '[') {
        if (Track *t = declareTrackOrSection(cs)) addressTrack(cs, t);
        return;
    }
    advance(cs);
    while (!atListEnd(cs)) declareTrackOrSection(cs);
}

void name2Word(CompileState &cs) {
    readDeclaredName(cs);
    Track *t = cs.voice->track;
    if (!t) return;
    if (!cs.symbols.add(kSecondName, t, cs.name)) error(cs, kMsgReservedName);
    t->name2 = cs.name;
}

void wipeWord(CompileState &cs) {
    forEachName(
        cs,
        [&cs] {
            HashEntry *e = cs.symbols.find(cs.name);
            if (e && e->kind == kTrackSymbol) {
                static_cast<Track *>(e->value.object)->clear();
            } else if (e && e->kind == kSectionSymbol) {
                std::vector<Track *> tracks;
                HashTable::collectTracks(*static_cast<SectionGroup *>(e->value.object), tracks);
                for (Track *t : tracks) t->clear();
            } else {
                invalidParameter(cs, kwWipe);
            }
        },
        readUsedName);
}

}  // namespace vek
