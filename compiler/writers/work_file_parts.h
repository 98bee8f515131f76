// What the pieces of the work-file writer share: the writer state and the
// chunk writers, in file order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "writers/le_writer.h"
#include "writers/work_file.h"
#include "writers/work_file_ids.h"

namespace vek {

struct SongContext;
struct Track;

struct WorkWriter {
    std::FILE *out;
    SongContext &song;
    WorkFileResult result{};

    // Keeps the first failure: it is the one the user can act on.
    void fail(WriteResult code, std::string file = {}) {
        if (result.code != WriteResult::ok) return;
        result.code = code;
        result.file = std::move(file);
    }
};

// Identifier, body length, body; returns the bytes written.
size_t writeChunk(std::FILE *out, WorkChunkId id, const LeBytes &body);

// The text of a meta event; an index the song never handed out reads as
// empty rather than reaching outside the store.
std::string_view workText(const SongContext &song, uint32_t index);

// The whole content of a file read in binary; false when it cannot be
// opened or read to its end.
bool readWholeFile(const char *name, std::string *content);

// Chunks 10, 3, the texts, 22, 15, 5, 23, 11, 17, 16 and the markers: all
// that comes before the tracks.
void writeSongChunks(WorkWriter &w);

// Every track's chunks, in `order`.
void writeTrackChunks(WorkWriter &w, const std::vector<Track *> &order);

// False (with overLimits recorded) when a time, bar number or bar
// length is beyond its field.
bool fitsWorkFile(WorkWriter &w, const std::vector<Track *> &order);

// False (with the failure recorded) when a wave event names a file that
// cannot be opened.
bool waveFilesReadable(WorkWriter &w, const std::vector<Track *> &order);

}  // namespace vek
