// Where each stored note was written in the source: kept only when the
// caller asked for the event map, so a plain compile pays one pointer test
// per note.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

struct Track;

struct NoteSource {
    const Track *track;
    int32_t time;      // ticks, as stored
    uint8_t channel;
    uint8_t key;
    int32_t stream;    // input slot of the text
    int32_t offset;    // bytes into it
};

struct NoteSourceLog {
    std::vector<NoteSource> notes;
    std::vector<std::string> files;  // input slot names, copied when the compile ends
    int32_t markStream = -1;         // the note being read; -1: none
    int32_t markOffset = 0;
};

}  // namespace vek
