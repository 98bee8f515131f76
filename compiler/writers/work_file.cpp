#include "writers/work_file.h"

#include <memory>

#include "events/song_context.h"
#include "platform/native_path.h"
#include "writers/byte_writer.h"
#include "writers/midi_writer.h"
#include "writers/track_order.h"
#include "writers/work_file_parts.h"

namespace vek {

namespace {

constexpr uint8_t kEndMarker = 0xFF;

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// "CAKEWALK", 1A, then the format version 2.0.
size_t writeSignature(std::FILE *out) {
    return LeBytes().text("CAKEWALK").u8s({0x1A, 0x00, 0x02}).writeTo(out);
}

// The records are already work-file chunks.
void copySysexRecords(WorkWriter &w) {
    const std::string &records = w.song.sysexRecords;
    if (writeBytes(w.out, records.data(), records.size()) != records.size())
        w.fail(WriteResult::ioError);
}

void writeSong(WorkWriter &w, const std::vector<Track *> &tracks) {
    writeSignature(w.out);          // 1. signature
    writeSongChunks(w);             // 2.-13. time base to markers
    writeTrackChunks(w, tracks);    // 14. the tracks
    copySysexRecords(w);            // 15. the system-exclusive records
    writeByte(w.out, kEndMarker);   // 16. end
}

}  // namespace

std::string_view workText(const SongContext &song, uint32_t index) {
    return index < song.texts.size() ? std::string_view(song.texts[index]) : std::string_view();
}

bool readWholeFile(const char *name, std::string *content) {
    const FileHandle in(openNative(name, "rb"));
    if (!in) return false;
    content->clear();
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;)
        content->append(buffer, n);
    return std::ferror(in.get()) == 0;
}

size_t writeChunk(std::FILE *out, WorkChunkId id, const LeBytes &body) {
    const size_t n = writeByte(out, id) + writeLe32(out, static_cast<uint32_t>(body.size()));
    return n + body.writeTo(out);
}

WorkFileResult writeWorkFile(SongContext &song, std::FILE *out) {
    if (!out) return {WriteResult::ioError, {}};
    WorkWriter w{out, song};
    try {
        const std::vector<Track *> tracks = tracksInWriteOrder(song);
        if (fitsWorkFile(w, tracks) && waveFilesReadable(w, tracks)) writeSong(w, tracks);
    } catch (...) {
        std::fclose(out);
        throw;
    }
    // A full disk shows only here: the bytes sat in the stream's buffer.
    const bool failed = std::ferror(out) != 0;
    if (std::fclose(out) != 0 || failed) w.fail(WriteResult::ioError);
    return w.result;
}

}  // namespace vek
