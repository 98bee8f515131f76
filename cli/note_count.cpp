#include "cli/note_count.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace vek::cli {

namespace {

uint32_t bigEndian(std::string_view bytes, std::size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Reads a variable-length quantity; false past the end.
bool readLength(std::string_view track, std::size_t &at, uint32_t &value) {
    value = 0;
    for (int i = 0; i < 4 && at < track.size(); ++i) {
        const auto byte = static_cast<unsigned char>(track[at++]);
        value = value << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0) return true;
    }
    return false;
}

// The data bytes a channel message of `status` carries.
int dataBytes(unsigned status) { return (status & 0xE0) == 0xC0 ? 1 : 2; }

std::optional<long> countInTrack(std::string_view track) {
    long notes = 0;
    unsigned running = 0;
    std::size_t at = 0;
    uint32_t length = 0;
    while (at < track.size()) {
        if (!readLength(track, at, length) || at >= track.size()) return std::nullopt;  // delta time
        unsigned status = static_cast<unsigned char>(track[at]);
        if (status >= 0x80) ++at;
        else status = running;
        if (status == 0xFF) ++at;  // meta: type, then length and data
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            if (!readLength(track, at, length)) return std::nullopt;
            at += length;
            continue;
        }
        if (status < 0x80) return std::nullopt;
        running = status;
        const int data = dataBytes(status);
        if (at + data > track.size()) return std::nullopt;
        if ((status & 0xF0) == 0x90 && track[at + 1] != 0) ++notes;
        at += data;
    }
    return notes;
}

}  // namespace

std::optional<long> countNotes(std::string_view smf) {
    if (smf.size() < 14 || smf.substr(0, 4) != "MThd") return std::nullopt;
    long notes = 0;
    std::size_t at = 8 + bigEndian(smf, 4, 4);
    while (at + 8 <= smf.size()) {
        const uint32_t size = bigEndian(smf, at + 4, 4);
        if (size > smf.size() - at - 8) return std::nullopt;
        if (smf.substr(at, 4) == "MTrk") {
            const auto inTrack = countInTrack(smf.substr(at + 8, size));
            if (!inTrack) return std::nullopt;
            notes += *inTrack;
        }
        at += 8 + size;
    }
    return notes;
}

std::optional<long> countNotesInFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return countNotes(bytes);
}

}  // namespace vek::cli
