// The work-file chunks of one track: the track header, its name and the
// stream of event records.
#include <algorithm>

#include "events/song_context.h"
#include "platform/native_path.h"
#include "writers/byte_writer.h"
#include "writers/midi_writer.h"
#include "writers/work_file_parts.h"

namespace vek {

namespace {

constexpr size_t kMaxShortText = 255;       // names behind a 1-byte length
constexpr int32_t kMaxEventStream = 0xFFFF;  // an event stream counts in 16 bits
constexpr uint32_t kMaxDuration = 0xFFFF;    // ticks in a record's 16 bits

std::string_view shortText(const std::string &s) {
    return std::string_view(s).substr(0, kMaxShortText);
}

bool holdsMeta(Track &track) {
    bool found = false;
    track.events.forEach([&found](const Event &e) { found = found || e.kind == kMetaText; });
    return found;
}

// The text stream takes meta records and counts in 32 bits; an event
// stream can hold neither, so a track that needs them gets a text stream.
bool usesTextStream(Track &track) {
    return track.hasText || track.count() > kMaxEventStream || holdsMeta(track);
}

// Meta types without a code of their own are kept as plain text.
WorkMetaType metaCode(uint8_t type) {
    switch (type) {
    case kMetaLyric: return kMetaTypeLyric;
    case kMetaWave: return kMetaTypeWave;
    case kMetaMci: return kMetaTypeMci;
    default: return kMetaTypeText;
    }
}

// The wave file's size and content; a file that vanished since it was
// checked is recorded as a failure and written empty, keeping the record
// and its stream consistent.
size_t writeWaveRecord(WorkWriter &w, LeBytes &record, std::string_view name) {
    const std::string file(name);
    std::string content;
    if (!readWholeFile(file.c_str(), &content)) {
        w.fail(WriteResult::waveUnreadable, file);
        content.clear();
    }
    record.u32(static_cast<uint32_t>(content.size()));
    return record.writeTo(w.out) + writeBytes(w.out, content.data(), content.size());
}

// Time, type code, then the text's 32-bit length and the text (or the
// wave file's).
size_t writeMetaRecord(WorkWriter &w, const Event &e) {
    LeBytes b;
    b.u24(static_cast<uint32_t>(e.time)).u8(metaCode(e.channel));
    const std::string_view text = workText(w.song, e.extra);
    if (e.channel == kMetaWave) return writeWaveRecord(w, b, text);
    b.u32(static_cast<uint32_t>(text.size())).text(text);
    return b.writeTo(w.out);
}

// 8 bytes; a text stream leaves out what a kind does not use: programs,
// channel pressure and system-exclusive references (data1 is the record
// number) end after data1 (5 bytes), key pressure, controllers and the
// wheel after data2 (6 bytes). Readers take a text stream's reference as
// 5 bytes; a longer record would shift every record after it.
size_t writeEventRecord(WorkWriter &w, const Event &e, bool textStream) {
    if (e.kind == kMetaText) return writeMetaRecord(w, e);
    LeBytes b;
    b.u24(static_cast<uint32_t>(e.time)).u8(e.kind << 4 | (e.channel & 0x0F)).u8(e.data1);
    const bool oneByte =
        e.kind == kProgram || e.kind == kChannelPressure || e.kind == kSysexReference;
    const bool twoBytes = e.kind == kKeyPressure || e.kind == kController || e.kind == kPitchWheel;
    if (!(textStream && oneByte)) b.u8(e.data2);
    if (!textStream || !(oneByte || twoBytes))
        b.u16(e.kind == kNote ? std::min(e.extra, kMaxDuration) : 0);
    return b.writeTo(w.out);
}

// Number, both names with their 1-byte lengths, the channel, transpose,
// velocity and port bytes, and zero flags.
void writeTrackHeader(std::FILE *out, const Track &t) {
    const std::string_view name = shortText(t.name), name2 = shortText(t.name2);
    LeBytes b;
    b.u16(static_cast<uint32_t>(t.number)).u8(static_cast<uint32_t>(name.size())).text(name);
    b.u8(static_cast<uint32_t>(name2.size())).text(name2);
    b.u8s({t.wrkChannel, t.wrkTranspose, t.wrkVelocity, t.port, 0});
    writeChunk(out, kChunkTrack, b);
    if (name.empty()) return;
    LeBytes named;
    named.u16(static_cast<uint32_t>(t.number)).u8(static_cast<uint32_t>(name.size())).text(name);
    writeChunk(out, kChunkTrackName, named);
}

// Writes `length` (bytes) over the placeholder at `lengthAt` and returns to
// the end; records a write failure when the file cannot seek.
void patchLength(WorkWriter &w, long lengthAt, size_t length) {
    const long end = std::ftell(w.out);
    if (lengthAt < 0 || end < 0 || std::fseek(w.out, lengthAt, SEEK_SET) != 0) {
        w.fail(WriteResult::ioError);
        return;
    }
    writeLe32(w.out, static_cast<uint32_t>(length));
    if (std::fseek(w.out, end, SEEK_SET) != 0) w.fail(WriteResult::ioError);
}

// The identifier, a length placeholder patched at the end, the header
// (number and event count) and one record per event.
void writeStream(WorkWriter &w, Track &t) {
    const bool text = usesTextStream(t);
    const int32_t count = t.count();
    writeByte(w.out, text ? kChunkTextStream : kChunkEventStream);
    const long lengthAt = std::ftell(w.out);
    writeLe32(w.out, 0);
    LeBytes header;
    header.u16(static_cast<uint32_t>(t.number));
    if (text) header.u32(static_cast<uint32_t>(count));
    else header.u16(static_cast<uint32_t>(count));
    size_t length = header.writeTo(w.out);
    t.events.forEach([&](const Event &e) { length += writeEventRecord(w, e, text); });
    patchLength(w, lengthAt, length);
}

}  // namespace

bool waveFilesReadable(WorkWriter &w, const std::vector<Track *> &order) {
    for (Track *t : order) {
        const int32_t count = t->count();
        for (int32_t i = 0; i < count; ++i) {
            const Event &e = *t->at(i);
            if (e.kind != kMetaText || e.channel != kMetaWave) continue;
            const std::string name(workText(w.song, e.extra));
            std::FILE *f = openNative(name, "rb");
            if (!f) {
                w.fail(WriteResult::waveUnreadable, name);
                return false;
            }
            std::fclose(f);
        }
    }
    return true;
}

void writeTrackChunks(WorkWriter &w, const std::vector<Track *> &order) {
    for (Track *t : order) {
        writeTrackHeader(w.out, *t);
        writeStream(w, *t);
    }
}

}  // namespace vek
