// The work-file writer: the "CAKEWALK" signature, a sequence of chunks
// (identifier byte, 32-bit little-endian body length, body) and the end
// byte FF.
#pragma once
#include <cstdio>
#include <string>

namespace vek {

struct SongContext;

constexpr int kCodeWaveUnreadable = -2;   // a wave event's file cannot be read
constexpr int kCodeWorkFileLimits = -4;   // a time or meter field would overflow

struct WorkFileResult {
    int code = 0;      // 0, kCodeWriteFailed or one of the codes above
    std::string file;  // the wave file behind kCodeWaveUnreadable
};

// Writes the whole work file and closes `out`. A piece beyond the format's
// fields, or a wave file that cannot be opened, is found before anything is
// written. The first failure is reported.
WorkFileResult writeWorkFile(SongContext &song, std::FILE *out);

}  // namespace vek
