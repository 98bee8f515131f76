// What the import gathers from a MIDI file before writing any text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vek::import {

struct ImportNote {
    uint32_t tick = 0;
    uint32_t length = 0;  // ticks
    uint8_t key = 0;
    uint8_t velocity = 0;
    uint8_t channel = 0;  // 1 to 16
};

// A statement other than a note. Those that act "now" (texts, programs,
// sysex, lyrics) land where the next note would start; the others
// (controllers, wheel, tempo) at the start of the note written before them.
struct ImportStatement {
    uint32_t tick = 0;
    bool atNow = false;
    bool lyric = false;
    std::string text;
};

struct ImportPart {
    std::string name;
    std::string instrument;  // the first program's name
    int channel = 1;
    int port = 0;
    std::vector<ImportNote> notes;
    std::vector<ImportStatement> statements;
};

struct MeterChange {
    uint32_t tick = 0;
    int numerator = 4;
    int denominator = 4;
};

struct KeyChange {
    uint32_t tick = 0;
    int sharps = 0;  // negative for flats
    bool minor = false;
};

struct ImportSong {
    int ppq = 120;
    std::vector<std::string> heading;   // comment lines
    std::vector<std::string> preamble;  // declarations, title and texts
    std::vector<MeterChange> meters;    // at bar starts, the first at 0
    std::vector<KeyChange> keys;
    std::vector<ImportPart> parts;
    uint32_t lastTick = 0;              // the first part runs at least this far
};

}  // namespace vek::import
