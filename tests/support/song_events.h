// The events of a MIDI file as records, for comparing against expectations.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vek::test {

struct SongEvent {
    std::string kind;   // note control program wheel pressure keypressure tempo
                        // meter key text lyric marker cue name copyright sysex port
    int track = 0;      // track chunk index; 0 is the conductor track
    int64_t time = 0;   // ticks
    int channel = 0;    // 1-16
    int a = 0;          // key, controller, program, wheel value, BPM x 100, numerator
    int b = 0;          // velocity, value, pressure, denominator
    int64_t duration = 0;  // notes: ticks to the note's end
    std::string text;
};

// Decodes a Standard MIDI File (throws on malformed data).
std::vector<SongEvent> songEvents(const std::string &midiBytes);

std::string describe(const SongEvent &e);

}  // namespace vek::test
