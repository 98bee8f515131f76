// The work-file writer: the "CAKEWALK" signature, a sequence of chunks
// (identifier byte, 32-bit little-endian body length, body) and the end
// byte FF.
#pragma once
#include <cstdio>
#include <string>

#include "writers/write_result.h"

namespace vek {

struct SongContext;

struct WorkFileResult {
    WriteResult code = WriteResult::ok;
    std::string file;  // the wave file behind waveUnreadable
};

// Writes the whole work file and closes `out`. A piece beyond the format's
// fields, or a wave file that cannot be opened, is found before anything is
// written. The first failure is reported.
WorkFileResult writeWorkFile(SongContext &song, std::FILE *out);

}  // namespace vek
