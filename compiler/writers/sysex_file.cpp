#include "writers/sysex_file.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "events/song_context.h"
#include "platform/native_path.h"
#include "writers/byte_writer.h"
#include "writers/work_file_ids.h"

namespace vek {

namespace {

// Body bytes besides the name and the data: number, data length, flag,
// name length.
constexpr uint32_t kRecordHeader = 5;
constexpr size_t kRecordStart = 10;  // bytes before the name
constexpr int kTemporaryTries = 8;

uint32_t little16(std::string_view s, size_t at) {
    return static_cast<uint8_t>(s[at]) | (static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8);
}

// The record numbered `number`, from its identifier to the end of its
// body as the body length gives it; empty when it is missing or cut short.
std::string_view findRecord(std::string_view records, int number) {
    size_t at = 0;
    while (records.size() - at >= kRecordStart) {
        const uint32_t bodyLength = little16(records, at + 1);
        if (static_cast<uint8_t>(records[at]) != kChunkSysex || bodyLength < kRecordHeader) return {};
        const size_t end = at + 5 + bodyLength;
        if (static_cast<uint8_t>(records[at + 5]) == number)
            return records.substr(at, end <= records.size() ? end - at : records.size() - at);
        at = end;
        if (at > records.size()) return {};
    }
    return {};
}

// A name in the current folder that no other compile uses: the create
// fails when the file exists already.
std::FILE *createTemporary(std::string &name) {
    std::random_device random;
    for (int i = 0; i < kTemporaryTries; ++i) {
        name = std::string(kSysexFileName) + "." + std::to_string(random()) + ".tmp";
        if (std::FILE *f = createNative(name)) return f;
    }
    return nullptr;
}

}  // namespace

std::string_view sysexRecordData(std::string_view records, int number) {
    const std::string_view record = findRecord(records, number);
    if (record.size() < kRecordStart) return {};
    const uint32_t dataLength = little16(record, 6);
    const size_t dataAt = kRecordStart + static_cast<uint8_t>(record[9]);
    if (dataLength == 0 || record.size() < dataAt + dataLength) return {};
    const std::string_view data = record.substr(dataAt, dataLength);
    const auto status = static_cast<uint8_t>(data[0]);
    return status == 0xF0 || status == 0xF7 ? data : std::string_view();
}

size_t copySysexRecord(std::string_view records, std::FILE *out, int number) {
    const std::string_view data = sysexRecordData(records, number);
    if (!out || data.empty()) return 0;
    const auto rest = static_cast<int32_t>(data.size() - 1);
    if (writeByte(out, static_cast<uint8_t>(data[0])) != 1 ||
        writeVarLen(out, rest) != varLenSize(rest) ||
        writeBytes(out, data.data() + 1, data.size() - 1) != data.size() - 1)
        return 0;
    return data.size() + varLenSize(rest);
}

size_t sysexRecordSize(std::string_view records, int number) {
    const std::string_view data = sysexRecordData(records, number);
    return data.empty() ? 0 : data.size() + varLenSize(static_cast<int32_t>(data.size() - 1));
}

bool saveSysexFile(std::string_view records) {
    std::string temporary;
    std::FILE *f = createTemporary(temporary);
    if (!f) return false;
    const bool written = writeBytes(f, records.data(), records.size()) == records.size();
    std::error_code ec;
    if (std::fclose(f) == 0 && written) {
        std::filesystem::rename(temporary, kSysexFileName, ec);
        if (!ec) return true;
    }
    std::filesystem::remove(temporary, ec);
    return false;
}

}  // namespace vek
