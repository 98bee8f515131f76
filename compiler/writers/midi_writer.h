// The Standard MIDI File writer (format 1).
#pragma once
#include <cstdio>

#include "input/message_codes.h"

namespace vek {

struct SongContext;

constexpr int kCodeWriteFailed = -1;  // the file could not be written in full

// Writes the header, the conductor track and one chunk per track that holds
// events, then closes `out`. Returns 0, kMsgSysexMissing when a track
// refers to a system-exclusive record that is missing or malformed, or
// kCodeWriteFailed when the file could not be written.
int writeMidiFile(SongContext &song, std::FILE *out);

}  // namespace vek
