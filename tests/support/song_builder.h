// Builds SongContexts by hand for writer tests and benchmarks-by-test.
// The writers write into the current folder, so use these inside a
// ScratchDir.
#pragma once
#include <cstdint>
#include <string>

#include "events/song_context.h"
#include "writers/write_result.h"

namespace vek::test {

// A song as a compile leaves it before any statement: tempo 100.00 at
// tick 0 (the map's own first entry) and a 4/4 meter in C major.
void addDefaultMeter(SongContext &song);

// A named track of the song, with the given number (`name` is its symbol
// name, which only the parser uses).
Track *addNamedTrack(SongContext &song, const std::string &name, int32_t number);

// The default track (created on first use).
Track *defaultTrack(SongContext &song);

void addNote(Track &track, int32_t time, uint8_t key, uint32_t ticks, uint8_t channel = 0,
             uint8_t velocity = 64);
void addController(Track &track, int32_t time, uint8_t number, uint8_t value,
                   uint8_t channel = 0);
void addMetaText(SongContext &song, Track &track, int32_t time, uint8_t type,
                 const std::string &text);

// Appends a record to the song's records in their stored layout.
void addSysexRecord(SongContext &song, uint8_t number, const std::string &name,
                    const std::string &data);

// Writes the song to `path` with writeMidiFile; *result gets its result.
std::string writeSong(SongContext &song, const std::string &path = "song.mid",
                      WriteResult *result = nullptr);

}  // namespace vek::test
