// The work-file chunks before the tracks: time base, settings, texts,
// string table, tempo and meter maps, time format and markers.
#include <algorithm>
#include <optional>

#include "events/song_context.h"
#include "writers/work_file_parts.h"

namespace vek {

namespace {

constexpr size_t kVariableKeyBytes = 32;  // a text's key, zero padded
constexpr size_t kMaxShortText = 255;     // texts behind a 1-byte length
constexpr size_t kMaxComments = 0xFFFE;   // the length plus its zero fits 16 bits
constexpr int32_t kMaxMapEntries = 0xFFFF;  // the maps count their entries in 16 bits
constexpr uint32_t kMaxWorkTempo = 0xFFFF;  // BPM x 100 in 16 bits: 655.35 BPM

// The time base: ticks per quarter note.
void writeTimeBase(std::FILE *out, const SongContext &song) {
    writeChunk(out, kChunkTimeBase, LeBytes().u16(static_cast<uint32_t>(song.division)));
}

// 89 bytes: the cursor, the key and the end of the piece amid the fixed
// settings a reader expects.
void writeSettings(std::FILE *out, const SongContext &song) {
    LeBytes b;
    b.u32(static_cast<uint32_t>(song.nowTime)).zeros(8).u8(song.keyTonic).zeros(5);
    b.u8s({1, 1}).zeros(12).u8s({1, 1, 1}).u8s({0xFF, 0xFF, 0x01, 0x7F}).zeros(19);
    b.u8s({0x01, 0x20, 0x40, 0x80}).zeros(11);
    b.u32(static_cast<uint32_t>(song.endTime)).u8(0xFE).zeros(11);
    writeChunk(out, kChunkSettings, b);
}

void writeVariable(std::FILE *out, std::string_view key, const std::optional<std::string> &text) {
    if (!text) return;
    LeBytes b;
    b.text(key).zeros(kVariableKeyBytes - key.size()).text(*text);
    writeChunk(out, kChunkVariable, b);
}

void writeTexts(std::FILE *out, const SongContext &song) {
    writeVariable(out, "Title", song.title);
    writeVariable(out, "Subtitle", song.subtitle);
    writeVariable(out, "Author", song.author);
    writeVariable(out, "Instructions", song.instructions);
    writeVariable(out, "Copyright", song.copyright);
    writeVariable(out, "Keywords", song.keywords);
}

// 16-bit length including the terminating zero, then the text and zero.
void writeComments(std::FILE *out, const SongContext &song) {
    if (!song.comments) return;
    const std::string_view text = std::string_view(*song.comments).substr(0, kMaxComments);
    LeBytes b;
    b.u16(static_cast<uint32_t>(text.size() + 1)).text(text).u8(0);
    writeChunk(out, kChunkComments, b);
}

// The names of the meta records' type codes (see metaCode).
void writeStringTable(std::FILE *out) {
    LeBytes b;
    b.u16(4);
    b.u8(6).text("MCICmd").u8(1);
    b.u8(4).text("Wave").u8(2);
    b.u8(4).text("Text").u8(3);
    b.u8(5).text("Lyric").u8(4);
    writeChunk(out, kChunkStringTable, b);
}

// 18 bytes an entry.
void writeTempos(std::FILE *out, SongContext &song) {
    auto &entries = song.tempoMap.entries;
    const int32_t count = std::min(entries.count(), kMaxMapEntries);
    LeBytes b;
    b.u16(static_cast<uint32_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const TempoEntry &t = *entries.at(i);
        b.u32(static_cast<uint32_t>(t.time)).zeros(4);
        b.u16(std::min(t.tempo, kMaxWorkTempo)).zeros(8);
    }
    writeChunk(out, kChunkTempos, b);
}

// Chunk 5 (12 bytes an entry) and chunk 23 (the same bars with their keys,
// 5 bytes an entry).
void writeMeters(std::FILE *out, SongContext &song) {
    auto &entries = song.meterMap.entries;
    const int32_t count = std::min(entries.count(), kMaxMapEntries);
    LeBytes meters, keys;
    meters.u16(static_cast<uint32_t>(count));
    keys.u16(static_cast<uint32_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const MeterEntry &m = *entries.at(i);
        const uint32_t measure = static_cast<uint32_t>(m.measure);
        meters.u32(static_cast<uint32_t>(m.time)).u16(measure).u8(m.numerator);
        meters.u8(m.denominatorPower).u16(static_cast<uint32_t>(m.ticksPerBeat));
        meters.u16(static_cast<uint32_t>(m.ticksPerBar));
        keys.u16(measure).u8(m.numerator).u8(m.denominatorPower).u8(static_cast<uint8_t>(m.key));
    }
    writeChunk(out, kChunkMeters, meters);
    writeChunk(out, kChunkMeterKeys, keys);
}

// SMPTE frames a second, then the offset in frames.
void writeTimeFormat(std::FILE *out, const SongContext &song) {
    LeBytes b;
    b.u16(song.smpteRate).u32(static_cast<uint32_t>(song.frameOffset));
    writeChunk(out, kChunkTimeFormat, b);
}

void writeFixedChunks(std::FILE *out) {
    writeChunk(out, kChunkFixed17,
               LeBytes().u8s({0x00, 0x00, 0x09, 0x00, 0x2A, 0x00, 0x6E, 0x00, 0x01, 0x00, 0x00,
                              0x00, 0x00, 0x00}));
    writeChunk(out, kChunkFixed16,
               LeBytes().u8s({0x02, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00,
                              0x00}));
}

// 11 bytes a marker plus its text. The flag tells cue points (1) from
// markers (0); another type keeps the flag of the record before it.
void writeMarkers(std::FILE *out, SongContext &song) {
    const int32_t count = song.markers.count();
    if (count == 0) return;
    LeBytes b;
    b.u32(static_cast<uint32_t>(count));
    uint8_t flag = 0;
    for (int32_t i = 0; i < count; ++i) {
        const Event &e = *song.markers.at(i);
        if (e.channel == kMetaCue || e.channel == kMetaMarker) flag = e.channel == kMetaCue;
        const std::string_view text = workText(song, e.extra).substr(0, kMaxShortText);
        b.u8(flag).u8(0).u24(static_cast<uint32_t>(e.time)).zeros(5);
        b.u8(static_cast<uint32_t>(text.size())).text(text);
    }
    writeChunk(out, kChunkMarkers, b);
}

}  // namespace

void writeSongChunks(WorkWriter &w) {
    writeTimeBase(w.out, w.song);    // 2. chunk 10
    writeSettings(w.out, w.song);    // 3. chunk 3
    writeTexts(w.out, w.song);       // 4. chunks 26
    writeComments(w.out, w.song);    // 5. chunk 8
    writeStringTable(w.out);         // 6. chunk 22
    writeTempos(w.out, w.song);      // 7. chunk 15
    writeMeters(w.out, w.song);      // 8.-9. chunks 5 and 23
    writeTimeFormat(w.out, w.song);  // 10. chunk 11
    writeFixedChunks(w.out);         // 11.-12. chunks 17 and 16
    writeMarkers(w.out, w.song);     // 13. chunk 21
}

}  // namespace vek
