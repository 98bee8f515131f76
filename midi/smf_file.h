// A reader of Standard MIDI Files: every chunk and event of the file, with
// absolute times in ticks. Running status is resolved and a note-on with
// velocity 0 is turned into a note-off, so users see one form of each event.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vek::midi {

// A malformed file; what() reads "byte N: expected ..., found ...".
struct SmfError : std::runtime_error {
    SmfError(size_t offset, const std::string &what);
    size_t offset;
};

enum class SmfKind : uint8_t { channel, meta, sysex, escape };

struct SmfEvent {
    uint32_t tick = 0;     // absolute, from the start of the track
    SmfKind kind = SmfKind::channel;
    uint8_t status = 0;    // channel: 0x80..0xEF; meta: its type; sysex: F0; escape: F7
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint32_t dataBegin = 0;  // meta and sysex bytes: an offset into SmfFile::data
    uint32_t dataSize = 0;

    int channel() const { return status & 0x0F; }
    int command() const { return status & 0xF0; }
};

struct SmfFile {
    int format = 1;
    int division = 120;  // ticks per quarter note (or SMPTE when negative)
    std::vector<std::vector<SmfEvent>> tracks;
    std::string data;  // the payload of meta and sysex events, one after another

    std::string payload(const SmfEvent &e) const { return data.substr(e.dataBegin, e.dataSize); }
};

// Reads a whole file from its bytes; throws SmfError.
SmfFile readSmf(const std::string &bytes);

// Reads the file `path`; throws SmfError (offset 0) when it cannot be read.
SmfFile readSmfFile(const std::string &path);

// The notes of `path` (note-ons with a velocity above 0), for the reports
// of a compile; -1 when the file cannot be read as a MIDI file.
long countNotesInFile(const std::string &path);

}  // namespace vek::midi
