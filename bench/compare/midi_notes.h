// The notes of a Standard MIDI File, enough to check that two files hold
// the same music.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vek::compare {

struct MidiNote {
    int64_t tick;  // absolute, in the file's division
    int key;
};

struct MidiNotes {
    int division = 0;                         // ticks per quarter note
    size_t largestTrack = 0;                  // bytes of the biggest MTrk chunk
    std::vector<std::vector<MidiNote>> tracks;  // note-ons with velocity > 0, tracks with none left out
    int64_t count() const;
};

// Decodes the file; a malformed file gives division 0 and `error` set.
MidiNotes readMidiNotes(const std::string &bytes, std::string &error);

}  // namespace vek::compare
