#include "support/wrk_reader.h"

#include <cstdio>

namespace vek::test {

namespace {

const std::string kSignature("CAKEWALK\x1A\x00\x02", 11);
constexpr int kEventStream = 2;
constexpr int kTextStream = 18;

std::string hex(uint32_t b) {
    char s[8];
    std::snprintf(s, sizeof s, " %02X", b & 0xFF);
    return s;
}

class Cursor {
public:
    explicit Cursor(const std::string &bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    uint32_t number(int width) {
        need(static_cast<size_t>(width));
        const uint32_t v = littleEndian(bytes_, pos_, width);
        pos_ += static_cast<size_t>(width);
        return v;
    }
    std::string take(size_t n) {
        need(n);
        std::string s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }

private:
    void need(size_t n) const {
        if (bytes_.size() - pos_ < n) throw WrkError("truncated at byte " + std::to_string(pos_));
    }
    const std::string &bytes_;
    size_t pos_ = 0;
};

const char *metaName(uint32_t code) {
    switch (code) {
    case 1: return "MCICmd";
    case 2: return "Wave";
    case 3: return "Text";
    case 4: return "Lyric";
    default: throw WrkError("unknown meta record type " + std::to_string(code));
    }
}

std::string metaRecord(Cursor &c, uint32_t code) {
    const uint32_t length = c.number(4);
    const std::string data = c.take(length);
    if (code == 2) return " Wave " + std::to_string(length) + " bytes";
    return std::string(" ") + metaName(code) + " \"" + data + "\"";
}

// Data bytes after the status in a text stream's compact records.
int compactDataBytes(uint32_t kind) {
    if (kind == 12 || kind == 13 || kind == 15) return 1;
    if (kind == 10 || kind == 11 || kind == 14) return 2;
    return 4;  // two data bytes and the 16-bit duration
}

std::string eventRecord(Cursor &c, bool text) {
    std::string line = std::to_string(c.number(3));
    const uint32_t status = c.number(1);
    if (status < 0x80) return line + metaRecord(c, status);
    line += hex(status);
    const int data = text ? compactDataBytes(status >> 4) : 4;
    line += hex(c.number(1));
    if (data == 1) return line;
    line += hex(c.number(1));
    if (data == 2) return line;
    const uint32_t duration = c.number(2);
    return (status >> 4) == 9 ? line + " dur " + std::to_string(duration) : line;
}

}  // namespace

uint32_t littleEndian(const std::string &bytes, size_t offset, int width) {
    if (offset + static_cast<size_t>(width) > bytes.size()) throw WrkError("number past the end");
    uint32_t v = 0;
    for (int i = width; i-- > 0;) v = v << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return v;
}

std::vector<WrkChunk> splitWrk(const std::string &bytes) {
    if (bytes.compare(0, kSignature.size(), kSignature) != 0) throw WrkError("bad signature");
    Cursor c(bytes);
    c.take(kSignature.size());
    std::vector<WrkChunk> chunks;
    for (;;) {
        const int id = static_cast<int>(c.number(1));
        if (id == 0xFF) break;
        const uint32_t length = c.number(4);
        chunks.push_back({id, c.take(length)});
    }
    if (!c.atEnd()) throw WrkError("bytes after the end marker");
    return chunks;
}

std::vector<int> wrkChunkIds(const std::vector<WrkChunk> &chunks) {
    std::vector<int> ids;
    for (const WrkChunk &chunk : chunks) ids.push_back(chunk.id);
    return ids;
}

std::vector<WrkChunk> wrkChunks(const std::vector<WrkChunk> &chunks, int id) {
    std::vector<WrkChunk> found;
    for (const WrkChunk &chunk : chunks)
        if (chunk.id == id) found.push_back(chunk);
    return found;
}

WrkStream decodeWrkStream(const WrkChunk &chunk) {
    if (chunk.id != kEventStream && chunk.id != kTextStream)
        throw WrkError("chunk " + std::to_string(chunk.id) + " is no stream");
    const bool text = chunk.id == kTextStream;
    Cursor c(chunk.body);
    WrkStream stream{static_cast<int>(c.number(2)), {}};
    const uint32_t count = c.number(text ? 4 : 2);
    while (!c.atEnd()) stream.lines.push_back(eventRecord(c, text));
    if (stream.lines.size() != count)
        throw WrkError("header counts " + std::to_string(count) + " records, the body holds " +
                       std::to_string(stream.lines.size()));
    return stream;
}

}  // namespace vek::test
