// Everything one compile produces for the writers.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "events/limits.h"
#include "events/track.h"
#include "vek/shared_names.h"

namespace vek {

struct NoteSourceLog;

struct SongContext {
    SongContext();
    ~SongContext();
    SongContext(const SongContext &) = delete;
    SongContext &operator=(const SongContext &) = delete;

    // Creates a track numbered from nextTrackNumber, charged to this song's
    // event budget, with the song's division as its resolution; null when
    // memory runs out. The caller decides who owns it (namedTracks or
    // defaultTrackStorage).
    Track *newTrack();
    // Stores a meta text and returns its index for Event::extra.
    uint32_t storeText(std::string text);
    const std::string &text(uint32_t index) const { return texts[index]; }

    EventBudget budget{kMaxEvents};
    // The last value sent per port, channel, kind and number, for relative
    // controller values (see controllerKey).
    std::unordered_map<uint32_t, int32_t> controllerMemory;
    Track markers;                 // global meta events, number 0
    int32_t markerChunkLength = 4;
    uint8_t keyTonic = 0;
    int32_t endTime = 0;           // latest event time
    TempoMap tempoMap{120};
    MeterMap meterMap;
    // The system-exclusive records, in the layout of "sysex.out", which
    // is written from them when the compile ends.
    std::string sysexRecords;
    std::vector<std::string> sysexNames;  // definition names by record number
    // Every named track in the order declared; the parser's symbol table
    // only points at them.
    std::vector<std::unique_ptr<Track>> namedTracks;
    std::unique_ptr<Track> defaultTrackStorage;
    Track *defaultTrack = nullptr; // cleared when the first named track is made
    uint8_t sysexCount = 0;
    int32_t nextTrackNumber = 0;
    int32_t nowTime = 0;

    // Copies of the entry point's arguments.
    const char *listingPath = "";
    std::string outputPath;        // created empty before the source is read
    // The source, include and "fi" files as opened: no file of the compile
    // may be written over them.
    std::vector<std::string> filesRead;
    const char *format = "";
    std::string searchPath;        // include folders, ";"-separated
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;
    int32_t extractMode = 0;

    std::optional<std::string> copyright, instructions, author, title, subtitle,
        comments, keywords;
    int32_t division = 120;        // ticks per quarter note
    int32_t frameOffset = 0;       // SMPTE frames added to listed positions
    uint8_t smpteFrames = 0, smpteSeconds = 0, smpteMinutes = 0, smpteHours = 0;
    uint8_t smpteRate = 30;
    uint8_t smpteRateBits = 64;    // rate code 2 in bits 5-6 of the hours byte

    uint8_t selectionFlag = 0;
    int32_t selectionStartTime = 0;  // first and last tick kept, inclusive
    int32_t selectionEndTime = 0;
    uint8_t selectionState = 0;      // 0 before, 1 inside, 2 after the selection

    std::vector<std::string> texts;  // owned by the song, indexed by events
    NoteSourceLog *noteSources = nullptr;  // the caller's; null unless the map was asked for
};

inline uint32_t controllerKey(uint8_t port, uint8_t channel, uint8_t kind, uint8_t number) {
    return (uint32_t{port} << 24) | (uint32_t{channel} << 16) | (uint32_t{kind} << 8) | number;
}

// Every track that the writers see: the default track (when it exists),
// then the named tracks in the order declared.
std::vector<Track *> songTracks(SongContext &song);

// Empties every track that was not active at the selection start.
void extractSelectedTracks(SongContext &song);

}  // namespace vek
