// The Standard MIDI File writer (format 1).
#pragma once
#include <cstdio>

#include "writers/write_result.h"

namespace vek {

struct SongContext;

// Writes the header, the conductor track and one chunk per track that holds
// events, then closes `out`. Fails with sysexMissing (before writing
// anything) or ioError.
WriteResult writeMidiFile(SongContext &song, std::FILE *out);

}  // namespace vek
