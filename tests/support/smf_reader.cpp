#include "support/smf_reader.h"

#include <cstdint>
#include <cstdio>

namespace vek::test {

namespace {

// Appends " XX", or " (XX)" for a status taken from running status.
void appendHex(std::string &line, uint8_t b, bool implied = false) {
    char s[8];
    std::snprintf(s, sizeof s, implied ? " (%02X)" : " %02X", b);
    line += s;
}

// A bounded cursor over the file's bytes; every read checks its limit.
class Cursor {
public:
    Cursor(const std::string &bytes, size_t begin, size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    size_t position() const { return pos_; }
    uint8_t byte() {
        need(1);
        return static_cast<uint8_t>(bytes_[pos_++]);
    }
    uint8_t peek() {
        need(1);
        return static_cast<uint8_t>(bytes_[pos_]);
    }
    uint32_t big(int width) {
        uint32_t v = 0;
        for (int i = 0; i < width; ++i) v = v << 8 | byte();
        return v;
    }
    // At most four bytes, as the file format allows.
    uint32_t varLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw SmfError("variable-length quantity longer than 4 bytes at " + std::to_string(pos_));
    }
    std::string take(size_t n) {
        need(n);
        std::string s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }

private:
    void need(size_t n) const {
        if (end_ - pos_ < n || pos_ > end_)
            throw SmfError("truncated at byte " + std::to_string(pos_));
    }
    const std::string &bytes_;
    size_t pos_;
    size_t end_;
};

void appendHexList(std::string &line, const std::string &data) {
    for (char c : data) appendHex(line, static_cast<uint8_t>(c));
}

void appendMeta(std::string &line, uint8_t type, const std::string &data) {
    appendHex(line, 0xFF);
    appendHex(line, type);
    if (type < 1 || type > 9) return appendHexList(line, data);
    line += " \"";
    line += data;
    line += '"';
}

int dataBytes(uint8_t status) {
    const int kind = status >> 4;
    return kind == 0xC || kind == 0xD ? 1 : 2;
}

// One track chunk's events; the chunk must end with exactly one end of track.
void decodeTrack(Cursor c, std::vector<std::string> &lines) {
    int64_t tick = 0;
    uint8_t running = 0;
    bool ended = false;
    while (!c.atEnd()) {
        if (ended) throw SmfError("events after end of track at " + std::to_string(c.position()));
        tick += c.varLen();
        std::string line = std::to_string(tick);
        const uint8_t first = c.peek();
        if (first == 0xFF) {
            c.byte();
            const uint8_t type = c.byte();
            if (type >= 0x80) throw SmfError("bad meta type");
            const std::string data = c.take(c.varLen());
            if (type == 0x2F && !data.empty()) throw SmfError("end of track with data");
            ended = type == 0x2F;
            appendMeta(line, type, data);
            running = 0;
        } else if (first == 0xF0 || first == 0xF7) {
            c.byte();
            appendHex(line, first);
            appendHexList(line, c.take(c.varLen()));
            running = 0;
        } else {
            const bool explicitStatus = first & 0x80;
            if (explicitStatus) running = c.byte();
            if (running == 0 || running >= 0xF0)
                throw SmfError("data byte without a status at " + std::to_string(c.position()));
            appendHex(line, running, !explicitStatus);
            for (int i = 0; i < dataBytes(running); ++i) {
                const uint8_t d = c.byte();
                if (d & 0x80) throw SmfError("status byte where data was due");
                appendHex(line, d);
            }
        }
        lines.push_back(line);
    }
    if (!ended) throw SmfError("track without end of track");
}

}  // namespace

std::vector<std::string> decodeSmf(const std::string &bytes) {
    std::vector<std::string> lines;
    Cursor header(bytes, 0, bytes.size());
    if (header.take(4) != "MThd") throw SmfError("no MThd");
    if (header.big(4) != 6) throw SmfError("header length is not 6");
    const uint32_t format = header.big(2), tracks = header.big(2), division = header.big(2);
    lines.push_back("MThd format " + std::to_string(format) + " tracks " + std::to_string(tracks) +
                    " division " + std::to_string(division));
    size_t pos = header.position();
    uint32_t chunks = 0;
    while (pos < bytes.size()) {
        Cursor chunk(bytes, pos, bytes.size());
        if (chunk.take(4) != "MTrk") throw SmfError("expected MTrk at " + std::to_string(pos));
        const uint32_t length = chunk.big(4);
        if (bytes.size() - chunk.position() < length)
            throw SmfError("chunk length " + std::to_string(length) + " runs past the file");
        lines.push_back("MTrk " + std::to_string(chunks++));
        decodeTrack(Cursor(bytes, chunk.position(), chunk.position() + length), lines);
        pos = chunk.position() + length;
    }
    if (chunks != tracks)
        throw SmfError("header says " + std::to_string(tracks) + " tracks, file has " +
                       std::to_string(chunks));
    return lines;
}

std::vector<std::string> smfTrack(const std::string &bytes, int index) {
    const std::vector<std::string> all = decodeSmf(bytes);
    const std::string head = "MTrk " + std::to_string(index);
    std::vector<std::string> track;
    bool inside = false;
    for (const std::string &line : all) {
        if (line.rfind("MTrk ", 0) == 0) inside = line == head;
        else if (inside) track.push_back(line);
    }
    return track;
}

std::string emptySongFile() {
    return hexBytes("4D 54 68 64 00 00 00 06 00 01 00 01 00 78 "
                    "4D 54 72 6B 00 00 00 22 "
                    "00 FF 54 05 40 00 00 00 00 "
                    "00 FF 51 03 09 27 C0 "
                    "00 FF 58 04 04 02 18 08 "
                    "00 FF 59 02 00 00 "
                    "00 FF 2F 00 ");
}

std::string hexBytes(const std::string &hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string smfText(const std::string &bytes) {
    std::string text;
    for (const std::string &line : decodeSmf(bytes)) text += line + "\n";
    return text;
}

}  // namespace vek::test
