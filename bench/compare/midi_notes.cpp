#include "midi_notes.h"

#include <stdexcept>

namespace vek::compare {

namespace {

struct Cursor {
    const std::string &bytes;
    size_t at;
    size_t end;

    uint8_t byte() {
        if (at >= end) throw std::runtime_error("event past the end of its chunk");
        return static_cast<uint8_t>(bytes[at++]);
    }
    uint32_t fixed(int n) {
        uint32_t v = 0;
        while (n-- > 0) v = (v << 8) | byte();
        return v;
    }
    uint32_t varLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = byte();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw std::runtime_error("variable-length number over 4 bytes");
    }
    void skip(uint32_t n) {
        if (n > end - at) throw std::runtime_error("data past the end of its chunk");
        at += n;
    }
};

// Data bytes after each channel status (high nibble 8-E).
int dataBytes(uint8_t status) { return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2; }

std::vector<MidiNote> readTrack(Cursor c) {
    std::vector<MidiNote> notes;
    int64_t tick = 0;
    uint8_t running = 0;
    while (c.at < c.end) {
        tick += c.varLen();
        uint8_t status = c.byte();
        if (status == 0xFF) {
            c.byte();
            c.skip(c.varLen());
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            c.skip(c.varLen());
            continue;
        }
        if (status < 0x80) {
            if (!running) throw std::runtime_error("running status without a status");
            status = running, --c.at;
        }
        running = status;
        const uint8_t a = c.byte();
        const uint8_t b = dataBytes(status) == 2 ? c.byte() : 0;
        if ((status & 0xF0) == 0x90 && b > 0) notes.push_back({tick, a});
    }
    return notes;
}

}  // namespace

int64_t MidiNotes::count() const {
    int64_t n = 0;
    for (const auto &t : tracks) n += static_cast<int64_t>(t.size());
    return n;
}

MidiNotes readMidiNotes(const std::string &bytes, std::string &error) {
    MidiNotes m;
    try {
        Cursor c{bytes, 0, bytes.size()};
        if (bytes.compare(0, 4, "MThd") != 0) throw std::runtime_error("no MThd");
        c.at = 4;
        const uint32_t headerLength = c.fixed(4);
        c.fixed(2);
        const uint32_t trackCount = c.fixed(2);
        const uint32_t division = c.fixed(2);
        c.at = 8 + headerLength;
        for (uint32_t t = 0; t < trackCount; ++t) {
            if (bytes.compare(c.at, 4, "MTrk") != 0) throw std::runtime_error("no MTrk");
            c.at += 4;
            const uint32_t length = c.fixed(4);
            if (length > bytes.size() - c.at) throw std::runtime_error("MTrk past the end");
            if (length > m.largestTrack) m.largestTrack = length;
            auto notes = readTrack(Cursor{bytes, c.at, c.at + length});
            if (!notes.empty()) m.tracks.push_back(std::move(notes));
            c.at += length;
        }
        m.division = static_cast<int>(division);
    } catch (const std::exception &e) {
        error = e.what();
        m.division = 0;
    }
    return m;
}

}  // namespace vek::compare
