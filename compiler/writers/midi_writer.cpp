#include "writers/midi_writer.h"

#include <algorithm>
#include <bitset>
#include <climits>
#include <initializer_list>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "events/inlining.h"
#include "events/song_context.h"
#include "writers/byte_writer.h"
#include "writers/chunk_body.h"
#include "writers/note_off_queue.h"
#include "writers/sysex_file.h"
#include "writers/track_order.h"

namespace vek {

namespace {

constexpr uint32_t kHeaderBodyBytes = 6;
constexpr uint32_t kFormatMultiTrack = 1;
constexpr uint8_t kMetaStatus = 0xFF;
constexpr uint8_t kMetaPortPrefix = 0x21;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaSmpteOffset = 0x54;
constexpr uint8_t kMetaTimeSignature = 0x58;
constexpr uint8_t kMetaKeySignature = 0x59;
constexpr int64_t kMicrosecondsPerMinute100 = 6'000'000'000;  // us a minute, times 100
constexpr uint32_t kMaxTempoMicroseconds = 0xFFFFFF;          // 24 bits on the wire
constexpr int kClocksPerWhole = 96;                           // MIDI clocks in a whole note
constexpr uint8_t kThirtySecondsPerQuarter = 8;

// ---- Meta events -------------------------------------------------------

// delta, FF, type, length, then `prefix` and `text` as one body.
void putMeta(ChunkBody &b, int32_t delta, uint8_t type, std::string_view text,
             std::string_view prefix = {}) {
    b.varLen(delta);
    b.byte(kMetaStatus);
    b.byte(type);
    b.varLen(static_cast<int32_t>(prefix.size() + text.size()));
    b.bytes(prefix);
    b.bytes(text);
}

void putMetaBytes(ChunkBody &b, int32_t delta, uint8_t type, std::initializer_list<uint8_t> body) {
    putMeta(b, delta, type,
            std::string_view(reinterpret_cast<const char *>(body.begin()), body.size()));
}

void putEndOfTrack(ChunkBody &b) { putMetaBytes(b, 0, kMetaEndOfTrack, {}); }

// A text index the song never handed out reads as empty rather than
// reaching outside the store.
std::string_view textOf(const SongContext &song, uint32_t index) {
    return index < song.texts.size() ? std::string_view(song.texts[index]) : std::string_view();
}

// ---- Chunks ------------------------------------------------------------

// "MTrk", the body's length, the body.
void writeTrackChunk(std::FILE *out, const ChunkBody &b) {
    writeBytes(out, "MTrk", 4);
    write32(out, static_cast<uint32_t>(b.size()));
    writeBytes(out, b.data(), b.size());
}

// ---- Conductor track ---------------------------------------------------

void putSmpteOffset(ChunkBody &b, const SongContext &song) {
    const uint8_t hours = static_cast<uint8_t>(song.smpteHours | song.smpteRateBits);
    putMetaBytes(b, 0, kMetaSmpteOffset,
                 {hours, song.smpteMinutes, song.smpteSeconds, song.smpteFrames, 0});
}

void putDocumentTexts(ChunkBody &b, const SongContext &song) {
    struct Labelled {
        const char *prefix;
        const std::optional<std::string> &text;
    };
    const Labelled texts[] = {{"Title: ", song.title},       {"Subtitle: ", song.subtitle},
                              {"Instructions: ", song.instructions}, {"Author: ", song.author},
                              {"Keywords: ", song.keywords}, {"Comments: ", song.comments}};
    for (const Labelled &t : texts)
        if (t.text) putMeta(b, 0, kMetaTextType, *t.text, t.prefix);
}

void putTempo(ChunkBody &b, int32_t delta, uint32_t tempo) {
    int64_t us = tempo == 0 ? kMaxTempoMicroseconds : kMicrosecondsPerMinute100 / tempo;
    us = std::min<int64_t>(us, kMaxTempoMicroseconds);
    putMetaBytes(b, delta, kMetaTempo,
                 {static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                  static_cast<uint8_t>(us)});
}

// Time signature, then the key signature (always major) at the same tick.
void putMeter(ChunkBody &b, int32_t delta, const MeterEntry &m) {
    const int power = m.denominatorPower;
    const uint8_t clocks = static_cast<uint8_t>(power < 8 ? kClocksPerWhole >> power : 0);
    putMetaBytes(b, delta, kMetaTimeSignature,
                 {m.numerator, m.denominatorPower, clocks, kThirtySecondsPerQuarter});
    putMetaBytes(b, 0, kMetaKeySignature, {static_cast<uint8_t>(m.key), 0});
}

// Tempo map, meter map and markers merged by time; at one tick a tempo
// comes before a meter and a meter before a marker.
void putConductorStream(ChunkBody &b, SongContext &song) {
    int32_t tempoIndex = 0, meterIndex = 0, markerIndex = 0, lastTime = 0;
    for (;;) {
        const TempoEntry *tempo = song.tempoMap.entries.at(tempoIndex);
        const MeterEntry *meter = song.meterMap.entries.at(meterIndex);
        const Event *marker = song.markers.at(markerIndex);
        if (!tempo && !meter && !marker) return;
        int32_t time = INT32_MAX;
        if (tempo) time = std::min(time, tempo->time);
        if (meter) time = std::min(time, meter->time);
        if (marker) time = std::min(time, marker->time);
        const int32_t delta = static_cast<int32_t>(int64_t{time} - lastTime);
        lastTime = time;
        if (tempo && tempo->time == time) {
            putTempo(b, delta, tempo->tempo);
            ++tempoIndex;
        } else if (meter && meter->time == time) {
            putMeter(b, delta, *meter);
            ++meterIndex;
        } else {
            putMeta(b, delta, marker->channel, textOf(song, marker->extra));
            ++markerIndex;
        }
    }
}

void writeConductorTrack(std::FILE *out, ChunkBody &b, SongContext &song) {
    b.clear();
    if (song.copyright) putMeta(b, 0, kMetaCopyright, *song.copyright);  // 1.
    putSmpteOffset(b, song);                                              // 2.
    putDocumentTexts(b, song);                                            // 3.
    putConductorStream(b, song);                                          // 4.
    putEndOfTrack(b);                                                     // 5.
    writeTrackChunk(out, b);
}

// ---- Track chunks ------------------------------------------------------

// Where a track chunk's channel events stand: the tick of the event
// written last and the running status (0: the next channel event carries
// its own). A local of the walk, never handed to a call, so the compiler
// keeps it in registers across the byte stores.
struct ChannelCursor {
    int32_t lastTime = 0;
    uint8_t runningStatus = 0;

    // The delta from the event written last to one at `time` (ticks).
    int32_t advanceTo(int32_t time) {
        const int64_t delta = int64_t{time} - lastTime;
        lastTime = time;
        return static_cast<int32_t>(delta);
    }
};

bool hasTwoDataBytes(uint8_t kind) { return kind != kProgram && kind != kChannelPressure; }

// Delta, status unless running, data bytes. Data bytes are masked to 7
// bits so that no value can pass for a status.
VEK_ALWAYS_INLINE void putChannelEvent(ChunkBody &b, ChannelCursor &c, int32_t time,
                                       uint8_t status, uint8_t data1, uint8_t data2,
                                       bool twoDataBytes) {
    const int32_t delta = c.advanceTo(time);
    const bool withStatus = status != c.runningStatus;
    c.runningStatus = status;
    uint8_t *p = b.tail();
    if (static_cast<uint32_t>(delta) < 0x80) *p++ = static_cast<uint8_t>(delta);  // most deltas
    else p += encodeVarLen(delta, p);
    if (withStatus) *p++ = status;
    *p++ = data1 & 0x7F;
    if (twoDataBytes) *p++ = data2 & 0x7F;
    b.commitTo(p);
}

uint8_t statusOf(uint8_t kind, uint8_t channel) {
    return static_cast<uint8_t>(kind << 4 | (channel & 0x0F));
}

// Writes the note ends due at or before `time` (ticks), earliest first;
// a note end is a note-on with velocity 0.
VEK_ALWAYS_INLINE void putNoteEnds(ChunkBody &b, ChannelCursor &c, NoteOffQueue &pending,
                                   int32_t time) {
    while (!pending.empty() && pending.earliest().time <= time) {
        const NoteEnd end = pending.earliest();
        putChannelEvent(b, c, end.time, statusOf(kNote, end.channel), end.key, 0, true);
        pending.removeEarliest();
    }
}

void queueNoteEnd(NoteOffQueue &pending, const Event &note) {
    const int64_t end = std::min<int64_t>(int64_t{note.time} + note.extra, INT32_MAX);
    pending.add(NoteEnd{static_cast<int32_t>(end), static_cast<uint8_t>(note.channel & 0x0F),
                        note.data1});
}

// The record's first byte (F0 or F7), the rest's length, the rest; the
// records were checked before anything was written.
void putSysexEvent(ChunkBody &b, const SongContext &song, int32_t delta, const Event &e) {
    b.varLen(delta);
    const std::string_view data = sysexRecordData(song.sysexRecords, e.data1);
    if (data.empty()) return;
    b.byte(static_cast<uint8_t>(data[0]));
    b.varLen(static_cast<int32_t>(data.size() - 1));
    b.bytes(data.substr(1));
}

// A meta text or a sysex reference, after `delta` ticks; out of line, as
// they are rare. Either ends the running status.
VEK_NOINLINE void putBlockEvent(ChunkBody &b, const SongContext &song, int32_t delta, const Event &e) {
    if (e.kind == kMetaText) putMeta(b, delta, e.channel, textOf(song, e.extra));
    else putSysexEvent(b, song, delta, e);
}

VEK_ALWAYS_INLINE void putTrackEvent(ChunkBody &b, const SongContext &song, ChannelCursor &c,
                                     NoteOffQueue &pending, const Event &e) {
    putNoteEnds(b, c, pending, e.time);
    if (e.kind == kNote) {  // tested first: nearly every event
        queueNoteEnd(pending, e);
        putChannelEvent(b, c, e.time, statusOf(kNote, e.channel), e.data1, e.data2, true);
        return;
    }
    switch (e.kind) {
    case kMetaText: case kSysexReference:
        putBlockEvent(b, song, c.advanceTo(e.time), e);
        c.runningStatus = 0;
        return;
    case kNoteOff: case kKeyPressure: case kController: case kProgram:
    case kChannelPressure: case kPitchWheel:
        putChannelEvent(b, c, e.time, statusOf(e.kind, e.channel), e.data1, e.data2,
                        hasTwoDataBytes(e.kind));
        return;
    default:  // tempo events live in the tempo map; nothing else has a MIDI form
        return;
    }
}

// Out of line: a function of its own keeps the walk's state in registers.
VEK_NOINLINE void writeEventTrack(std::FILE *out, ChunkBody &b, const SongContext &song,
                                  Track &track) {
    b.clear();
    ChannelCursor c;
    NoteOffQueue pending;
    putMetaBytes(b, 0, kMetaPortPrefix, {track.port});                 // 1.
    if (!track.name.empty()) putMeta(b, 0, kMetaTrackName, track.name);  // 2.
    const auto put = [&](const Event &e) { putTrackEvent(b, song, c, pending, e); };
    track.events.forEach(put);                                          // 3.
    putNoteEnds(b, c, pending, INT32_MAX);
    putEndOfTrack(b);                                                  // 4.
    writeTrackChunk(out, b);
}

// Every system-exclusive record the tracks refer to must be present and
// well formed before anything is written, so a failure leaves no partial
// file behind. Only a track that was ever given a reference can hold one.
bool sysexReferencesValid(const std::vector<Track *> &tracks, std::string_view records) {
    std::bitset<256> checked;
    bool valid = true;
    for (Track *t : tracks) {
        if (!t->sysexReferences) continue;
        t->events.forEach([&](const Event &e) {
            if (e.kind != kSysexReference || checked[e.data1]) return;
            checked[e.data1] = true;
            if (sysexRecordData(records, e.data1).empty()) valid = false;
        });
    }
    return valid;
}

void writeHeader(std::FILE *out, const SongContext &song, size_t trackChunks) {
    writeBytes(out, "MThd", 4);
    write32(out, kHeaderBodyBytes);
    write16(out, kFormatMultiTrack);
    write16(out, static_cast<uint32_t>(1 + trackChunks));  // the conductor track first
    write16(out, static_cast<uint32_t>(song.division));
}

WriteResult writeSong(SongContext &song, std::FILE *out) {
    const std::vector<Track *> tracks = tracksInWriteOrder(song);
    if (!sysexReferencesValid(tracks, song.sysexRecords)) return WriteResult::sysexMissing;
    ChunkBody body;
    writeHeader(out, song, tracks.size());  // 1. "MThd"
    writeConductorTrack(out, body, song);   // 2. "MTrk": texts, tempo, meter, markers
    for (Track *t : tracks) writeEventTrack(out, body, song, *t);  // 3. "MTrk" for every track with events
    return WriteResult::ok;
}

}  // namespace

WriteResult writeMidiFile(SongContext &song, std::FILE *out) {
    if (!out) return WriteResult::ioError;
    WriteResult result = WriteResult::ok;
    try {
        result = writeSong(song, out);
    } catch (...) {
        std::fclose(out);
        throw;
    }
    // A full disk shows only here: the bytes sat in the stream's buffer.
    const bool failed = std::ferror(out) != 0;
    const bool closed = std::fclose(out) == 0;
    if ((!closed || failed) && result == WriteResult::ok) return WriteResult::ioError;
    return result;
}

}  // namespace vek
