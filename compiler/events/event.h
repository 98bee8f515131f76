// The event record stored in every track, and the kinds it can hold.
#pragma once
#include <cstdint>

namespace vek {

// Event kinds: the high nibble of the MIDI status where one exists.
enum EventKind : uint8_t {
    kTempoEvent = 1,       // passes through the listing only; tempos live in the tempo map
    kMetaText = 3,         // channel holds the meta type, extra the text index
    kNoteOff = 8,
    kNote = 9,             // extra holds the duration in ticks
    kKeyPressure = 10,
    kController = 11,
    kProgram = 12,
    kChannelPressure = 13,
    kPitchWheel = 14,
    kSysexReference = 15,  // data1 is the record number in "sysex.out"
};

// Meta types used in kind-3 events.
enum MetaType : uint8_t {
    kMetaTextType = 1, kMetaCopyright = 2, kMetaTrackName = 3, kMetaLyric = 5,
    kMetaMarker = 6, kMetaCue = 7, kMetaWave = 8, kMetaMci = 9,
};

// 12 bytes. A meta text is not a pointer but an index into the song's text
// store, so events stay small and can be copied freely; the song owns texts.
struct Event {
    int32_t time;     // ticks from the start of the piece; the ordering key
    uint8_t channel;  // 0-15, or the meta type for kind 3
    uint8_t kind;     // EventKind
    uint8_t data1;
    uint8_t data2;
    uint32_t extra;   // note duration in ticks, or text index for kind 3
};
static_assert(sizeof(Event) == 12, "events are 12 bytes");

// Pitch-wheel values run from -8192 to 8191; 8192 is sent as 8191.
inline Event wheelEvent(int32_t time, uint8_t channel, int32_t value) {
    if (value > 8191) value = 8191;
    if (value < -8192) value = -8192;
    const uint32_t raw = static_cast<uint32_t>(value + 8192);
    return Event{time, channel, kPitchWheel, static_cast<uint8_t>(raw & 0x7F),
                 static_cast<uint8_t>((raw >> 7) & 0x7F), 0};
}

}  // namespace vek
