#include "writers/midi_writer.h"

#include <algorithm>
#include <bitset>
#include <climits>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "events/song_context.h"
#include "writers/byte_writer.h"
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
size_t writeMeta(std::FILE *out, int32_t delta, uint8_t type, std::string_view text,
                 std::string_view prefix = {}) {
    const size_t length = prefix.size() + text.size();
    size_t n = writeVarLen(out, delta);
    n += writeByte(out, kMetaStatus);
    n += writeByte(out, type);
    n += writeVarLen(out, static_cast<int32_t>(length));
    n += writeBytes(out, prefix.data(), prefix.size());
    return n + writeBytes(out, text.data(), text.size());
}

size_t writeMetaBytes(std::FILE *out, int32_t delta, uint8_t type,
                      std::initializer_list<uint8_t> body) {
    return writeMeta(out, delta, type,
                     std::string_view(reinterpret_cast<const char *>(body.begin()), body.size()));
}

size_t writeEndOfTrack(std::FILE *out) { return writeMetaBytes(out, 0, kMetaEndOfTrack, {}); }

// A text index the song never handed out reads as empty rather than
// reaching outside the store.
std::string_view textOf(const SongContext &song, uint32_t index) {
    return index < song.texts.size() ? std::string_view(song.texts[index]) : std::string_view();
}

// ---- Chunks ------------------------------------------------------------

// "MTrk" and a length placeholder; returns where the length goes.
long beginTrackChunk(std::FILE *out) {
    writeBytes(out, "MTrk", 4);
    const long lengthAt = std::ftell(out);
    write32(out, 0);
    return lengthAt;
}

// Writes the chunk's length over its placeholder and returns to the end.
void endTrackChunk(std::FILE *out, long lengthAt, uint32_t length) {
    if (lengthAt < 0) return;
    const long end = std::ftell(out);
    std::fseek(out, lengthAt, SEEK_SET);
    write32(out, length);
    std::fseek(out, end, SEEK_SET);
}

// ---- Conductor track ---------------------------------------------------

size_t writeSmpteOffset(std::FILE *out, const SongContext &song) {
    const uint8_t hours = static_cast<uint8_t>(song.smpteHours | song.smpteRateBits);
    return writeMetaBytes(out, 0, kMetaSmpteOffset,
                          {hours, song.smpteMinutes, song.smpteSeconds, song.smpteFrames, 0});
}

size_t writeDocumentTexts(std::FILE *out, const SongContext &song) {
    struct Labelled {
        const char *prefix;
        const std::optional<std::string> &text;
    };
    const Labelled texts[] = {{"Title: ", song.title},       {"Subtitle: ", song.subtitle},
                              {"Instructions: ", song.instructions}, {"Author: ", song.author},
                              {"Keywords: ", song.keywords}, {"Comments: ", song.comments}};
    size_t n = 0;
    for (const Labelled &t : texts)
        if (t.text) n += writeMeta(out, 0, kMetaTextType, *t.text, t.prefix);
    return n;
}

size_t writeTempo(std::FILE *out, int32_t delta, uint32_t tempo) {
    int64_t us = tempo == 0 ? kMaxTempoMicroseconds : kMicrosecondsPerMinute100 / tempo;
    us = std::min<int64_t>(us, kMaxTempoMicroseconds);
    return writeMetaBytes(out, delta, kMetaTempo,
                          {static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                           static_cast<uint8_t>(us)});
}

// Time signature, then the key signature (always major) at the same tick.
size_t writeMeter(std::FILE *out, int32_t delta, const MeterEntry &m) {
    const int power = m.denominatorPower;
    const uint8_t clocks = static_cast<uint8_t>(power < 8 ? kClocksPerWhole >> power : 0);
    size_t n = writeMetaBytes(out, delta, kMetaTimeSignature,
                              {m.numerator, m.denominatorPower, clocks, kThirtySecondsPerQuarter});
    return n + writeMetaBytes(out, 0, kMetaKeySignature, {static_cast<uint8_t>(m.key), 0});
}

// Tempo map, meter map and markers merged by time; at one tick a tempo
// comes before a meter and a meter before a marker.
size_t writeConductorStream(std::FILE *out, SongContext &song) {
    int32_t tempoIndex = 0, meterIndex = 0, markerIndex = 0, lastTime = 0;
    size_t n = 0;
    for (;;) {
        const TempoEntry *tempo = song.tempoMap.entries.at(tempoIndex);
        const MeterEntry *meter = song.meterMap.entries.at(meterIndex);
        const Event *marker = song.markers.at(markerIndex);
        if (!tempo && !meter && !marker) return n;
        int32_t time = INT32_MAX;
        if (tempo) time = std::min(time, tempo->time);
        if (meter) time = std::min(time, meter->time);
        if (marker) time = std::min(time, marker->time);
        const int32_t delta = static_cast<int32_t>(int64_t{time} - lastTime);
        lastTime = time;
        if (tempo && tempo->time == time) {
            n += writeTempo(out, delta, tempo->tempo);
            ++tempoIndex;
        } else if (meter && meter->time == time) {
            n += writeMeter(out, delta, *meter);
            ++meterIndex;
        } else {
            n += writeMeta(out, delta, marker->channel, textOf(song, marker->extra));
            ++markerIndex;
        }
    }
}

void writeConductorTrack(std::FILE *out, SongContext &song) {
    const long lengthAt = beginTrackChunk(out);
    size_t n = 0;
    if (song.copyright) n += writeMeta(out, 0, kMetaCopyright, *song.copyright);  // 1.
    n += writeSmpteOffset(out, song);                                              // 2.
    n += writeDocumentTexts(out, song);                                            // 3.
    n += writeConductorStream(out, song);                                          // 4.
    n += writeEndOfTrack(out);                                                     // 5.
    endTrackChunk(out, lengthAt, static_cast<uint32_t>(n));
}

// ---- Track chunks ------------------------------------------------------

// Channel events are gathered here and written in blocks: a call of
// fwrite per event cost more than encoding the event.
constexpr size_t kEventBufferBytes = 8192;
constexpr size_t kMaxChannelEventBytes = 8;  // delta (up to 5), status, two data bytes

// The state of the track chunk being written.
struct TrackWriter {
    std::FILE *out;
    const SongContext &song;
    NoteOffQueue pending;
    int32_t lastTime = 0;     // ticks of the event written last
    uint8_t runningStatus = 0;  // 0: the next channel event carries its status
    size_t length = 0;        // bytes of the chunk body so far, buffered ones included
    size_t buffered = 0;      // bytes waiting in `buffer`
    uint8_t buffer[kEventBufferBytes] = {};

    // The delta from the event written last to one at `time` (ticks).
    int32_t advanceTo(int32_t time) {
        const int64_t delta = int64_t{time} - lastTime;
        lastTime = time;
        return static_cast<int32_t>(delta);
    }
    // Writes the buffered events; due before anything goes to `out` directly.
    // A short write shows in ferror at the end of the file.
    void flush() {
        writeBytes(out, buffer, buffered);
        buffered = 0;
    }
};

bool hasTwoDataBytes(uint8_t kind) { return kind != kProgram && kind != kChannelPressure; }

// Delta, status unless running, data bytes, into the buffer. Data bytes
// are masked to 7 bits so that no value can pass for a status.
void writeChannelEvent(TrackWriter &w, int32_t time, uint8_t kind, uint8_t channel,
                       uint8_t data1, uint8_t data2) {
    if (w.buffered + kMaxChannelEventBytes > kEventBufferBytes) w.flush();
    // Built in a local array and copied whole: byte stores straight into
    // the buffer could alias the writer's fields, which the compiler would
    // then read again after each one.
    uint8_t bytes[kMaxChannelEventBytes] = {};
    const int32_t delta = w.advanceTo(time);
    size_t n = 1;
    if (delta >= 0 && delta < 0x80) bytes[0] = static_cast<uint8_t>(delta);  // most deltas
    else n = encodeVarLen(delta, bytes);
    const uint8_t status = static_cast<uint8_t>(kind << 4 | (channel & 0x0F));
    if (status != w.runningStatus) bytes[n++] = status;
    bytes[n++] = data1 & 0x7F;
    if (hasTwoDataBytes(kind)) bytes[n++] = data2 & 0x7F;
    std::memcpy(w.buffer + w.buffered, bytes, sizeof bytes);
    w.buffered += n;
    w.length += n;
    w.runningStatus = status;
}

// Writes the note ends due at or before `time` (ticks), earliest first;
// a note end is a note-on with velocity 0.
void writeNoteEnds(TrackWriter &w, int32_t time) {
    while (!w.pending.empty() && w.pending.earliest().time <= time) {
        const NoteEnd end = w.pending.earliest();
        writeChannelEvent(w, end.time, kNote, end.channel, end.key, 0);
        w.pending.removeEarliest();
    }
}

void queueNoteEnd(TrackWriter &w, const Event &note) {
    const int64_t end = std::min<int64_t>(int64_t{note.time} + note.extra, INT32_MAX);
    w.pending.add(NoteEnd{static_cast<int32_t>(end), static_cast<uint8_t>(note.channel & 0x0F),
                          note.data1});
}

bool writeSysexEvent(TrackWriter &w, const Event &e) {
    w.flush();
    w.length += writeVarLen(w.out, w.advanceTo(e.time));
    w.runningStatus = 0;
    const size_t n = copySysexRecord(w.song.sysexRecords, w.out, e.data1);
    w.length += n;
    return n != 0;
}

// Returns false when the event's system-exclusive record cannot be copied.
bool writeTrackEvent(TrackWriter &w, const Event &e) {
    writeNoteEnds(w, e.time);
    switch (e.kind) {
    case kMetaText:
        w.flush();
        w.length += writeMeta(w.out, w.advanceTo(e.time), e.channel, textOf(w.song, e.extra));
        w.runningStatus = 0;
        return true;
    case kSysexReference:
        return writeSysexEvent(w, e);
    case kNote:
        queueNoteEnd(w, e);
        [[fallthrough]];
    case kNoteOff: case kKeyPressure: case kController: case kProgram:
    case kChannelPressure: case kPitchWheel:
        writeChannelEvent(w, e.time, e.kind, e.channel, e.data1, e.data2);
        return true;
    default:  // tempo events live in the tempo map; nothing else has a MIDI form
        return true;
    }
}

WriteResult writeTrackChunk(std::FILE *out, const SongContext &song, Track &track) {
    // The writer holds an 8 KB buffer: on the heap, not the stack.
    const std::unique_ptr<TrackWriter> w(new TrackWriter{out, song, {}});
    const long lengthAt = beginTrackChunk(out);
    w->length += writeMetaBytes(out, 0, kMetaPortPrefix, {track.port});          // 1.
    if (!track.name.empty()) w->length += writeMeta(out, 0, kMetaTrackName, track.name);  // 2.
    const int32_t count = track.count();                                          // 3.
    for (int32_t i = 0; i < count; ++i)
        if (!writeTrackEvent(*w, *track.at(i))) return WriteResult::sysexMissing;
    writeNoteEnds(*w, INT32_MAX);
    w->flush();
    w->length += writeEndOfTrack(out);                                            // 4.
    endTrackChunk(out, lengthAt, static_cast<uint32_t>(w->length));
    return WriteResult::ok;
}

// Every system-exclusive record the tracks refer to must be present and
// well formed before anything is written, so a failure leaves no partial
// file behind.
bool sysexReferencesValid(const std::vector<Track *> &tracks, std::string_view records) {
    std::bitset<256> checked;
    for (Track *t : tracks) {
        const int32_t count = t->count();
        for (int32_t i = 0; i < count; ++i) {
            const Event &e = *t->at(i);
            if (e.kind != kSysexReference || checked[e.data1]) continue;
            if (sysexRecordSize(records, e.data1) == 0) return false;
            checked[e.data1] = true;
        }
    }
    return true;
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
    writeHeader(out, song, tracks.size());  // 1. "MThd"
    writeConductorTrack(out, song);         // 2. "MTrk": texts, tempo, meter, markers
    for (Track *t : tracks) {               // 3. "MTrk" for every track with events
        const WriteResult result = writeTrackChunk(out, song, *t);
        if (result != WriteResult::ok) return result;
    }
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
