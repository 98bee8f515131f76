// The identifier byte of every work-file chunk the writers produce, and the
// type codes of the meta records in a track's text stream.
#pragma once
#include <cstdint>

namespace vek {

enum WorkChunkId : uint8_t {
    kChunkTrack = 1,
    kChunkEventStream = 2,
    kChunkSettings = 3,
    kChunkMeters = 5,
    kChunkSysex = 6,  // the layout of the records in "sysex.out"
    kChunkComments = 8,
    kChunkTimeBase = 10,
    kChunkTimeFormat = 11,
    kChunkTempos = 15,
    kChunkFixed16 = 16,
    kChunkFixed17 = 17,
    kChunkTextStream = 18,
    kChunkMarkers = 21,
    kChunkStringTable = 22,
    kChunkMeterKeys = 23,
    kChunkTrackName = 24,
    kChunkVariable = 26,
};

// Meta record types: indices into the string table chunk.
enum WorkMetaType : uint8_t {
    kMetaTypeMci = 1,
    kMetaTypeWave = 2,
    kMetaTypeText = 3,
    kMetaTypeLyric = 4,
};

}  // namespace vek
