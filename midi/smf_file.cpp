#include "midi/smf_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace vek::midi {

SmfError::SmfError(size_t at, const std::string &what)
    : std::runtime_error("byte " + std::to_string(at) + ": " + what), offset(at) {}

namespace {

std::string shown(const std::string &bytes) {
    std::string s = "\"";
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '"') {
            s += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            s += hex;
        }
    }
    return s + "\"";
}

std::string hexByte(uint8_t b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X", b);
    return hex;
}

// A bounded cursor; every read checks the limit of the chunk it is in.
class Cursor {
public:
    Cursor(const std::string &bytes, size_t begin, size_t end) : bytes_(bytes), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    size_t position() const { return pos_; }
    uint8_t peek(const char *expected) const {
        need(1, expected);
        return static_cast<uint8_t>(bytes_[pos_]);
    }
    uint8_t byte(const char *expected) {
        need(1, expected);
        return static_cast<uint8_t>(bytes_[pos_++]);
    }
    uint32_t big(int width, const char *expected) {
        need(width, expected);
        uint32_t v = 0;
        for (int i = 0; i < width; ++i) v = v << 8 | static_cast<uint8_t>(bytes_[pos_++]);
        return v;
    }
    uint32_t varLen() {
        const size_t start = pos_;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = byte("a variable-length number");
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        throw SmfError(start, "expected a variable-length number of at most 4 bytes");
    }
    std::string take(size_t n, const char *expected) {
        need(n, expected);
        std::string s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }

private:
    void need(size_t n, const char *expected) const {
        if (pos_ > end_ || end_ - pos_ < n)
            throw SmfError(pos_, std::string("expected ") + expected + ", found the end of " +
                                     (end_ == bytes_.size() ? "the file" : "the track chunk"));
    }
    const std::string &bytes_;
    size_t pos_;
    size_t end_;
};

int dataBytes(uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

uint8_t dataByte(Cursor &c) {
    const size_t at = c.position();
    const uint8_t d = c.byte("a data byte");
    if (d & 0x80) throw SmfError(at, "expected a data byte (below 80), found " + hexByte(d));
    return d;
}

void readChannelEvent(Cursor &c, uint8_t &running, SmfEvent &e) {
    const size_t at = c.position();
    const uint8_t first = c.peek("an event");
    if (first & 0x80) {
        running = c.byte("an event");
    } else if (running == 0) {
        throw SmfError(at, "expected a status byte, found data byte " + hexByte(first) +
                               " with no running status");
    }
    e.status = running;
    e.data1 = dataByte(c);
    if (dataBytes(running) == 2) e.data2 = dataByte(c);
    if (e.command() == 0x90 && e.data2 == 0) e.status = static_cast<uint8_t>(0x80 | e.channel());
}

void readPayload(Cursor &c, SmfFile &file, SmfEvent &e, const char *expected) {
    const uint32_t length = c.varLen();
    const std::string bytes = c.take(length, expected);
    e.dataBegin = static_cast<uint32_t>(file.data.size());
    e.dataSize = length;
    file.data += bytes;
}

void readTrack(Cursor c, SmfFile &file) {
    std::vector<SmfEvent> &events = file.tracks.emplace_back();
    uint32_t tick = 0;
    uint8_t running = 0;
    while (!c.atEnd()) {
        SmfEvent e;
        tick += c.varLen();
        e.tick = tick;
        const size_t at = c.position();
        const uint8_t first = c.peek("an event");
        if (first == 0xFF) {
            c.byte("a meta event");
            e.kind = SmfKind::meta;
            e.status = c.byte("a meta event type");
            if (e.status & 0x80)
                throw SmfError(at + 1, "expected a meta event type (below 80), found " + hexByte(e.status));
            readPayload(c, file, e, "the bytes of a meta event");
            running = 0;
            if (e.status == 0x2F) return;  // anything after the end of track is ignored
        } else if (first == 0xF0 || first == 0xF7) {
            e.kind = first == 0xF0 ? SmfKind::sysex : SmfKind::escape;
            e.status = c.byte("a system-exclusive event");
            readPayload(c, file, e, "the bytes of a system-exclusive event");
            running = 0;
        } else if (first > 0xF0) {
            throw SmfError(at, "expected an event, found status " + hexByte(first));
        } else {
            readChannelEvent(c, running, e);
        }
        events.push_back(e);
    }
}

}  // namespace

SmfFile readSmf(const std::string &bytes) {
    SmfFile file;
    Cursor header(bytes, 0, bytes.size());
    const std::string tag = bytes.substr(0, 4);
    if (tag != "MThd") throw SmfError(0, "expected a Standard MIDI File header \"MThd\", found " + shown(tag));
    header.take(4, "\"MThd\"");
    const uint32_t length = header.big(4, "the header length");
    if (length < 6) throw SmfError(4, "expected a header length of at least 6, found " + std::to_string(length));
    file.format = static_cast<int>(header.big(2, "the file format"));
    const uint32_t tracks = header.big(2, "the number of tracks");
    file.division = static_cast<int16_t>(header.big(2, "the division"));
    if (file.format > 2) throw SmfError(8, "expected format 0, 1 or 2, found " + std::to_string(file.format));
    if (file.division == 0) throw SmfError(12, "expected a division above 0, found 0");
    size_t pos = 8 + size_t{length};
    while (pos < bytes.size() && file.tracks.size() < tracks) {
        Cursor chunk(bytes, pos, bytes.size());
        const std::string id = bytes.substr(pos, 4);
        chunk.take(4, "a track chunk \"MTrk\"");
        if (id != "MTrk") throw SmfError(pos, "expected a track chunk \"MTrk\", found " + shown(id));
        const uint32_t size = chunk.big(4, "a chunk length");
        if (bytes.size() - chunk.position() < size)
            throw SmfError(pos + 4, "expected a chunk length of at most " +
                                        std::to_string(bytes.size() - chunk.position()) +
                                        " (the rest of the file), found " + std::to_string(size));
        readTrack(Cursor(bytes, chunk.position(), chunk.position() + size), file);
        pos = chunk.position() + size;
    }
    if (file.tracks.size() < tracks)
        throw SmfError(pos, "expected " + std::to_string(tracks) + " track chunks, found " +
                                std::to_string(file.tracks.size()));
    return file;
}

SmfFile readSmfFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SmfError(0, "cannot open the file");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return readSmf(bytes);
}

long countNotesInFile(const std::string &path) {
    try {
        long notes = 0;
        for (const auto &track : readSmfFile(path).tracks)
            for (const SmfEvent &e : track)
                if (e.kind == SmfKind::channel && e.command() == 0x90) ++notes;
        return notes;
    } catch (const SmfError &) {
        return -1;
    }
}

}  // namespace vek::midi
