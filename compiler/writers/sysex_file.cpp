#include "writers/sysex_file.h"

#include <cstdint>

#include "writers/byte_writer.h"

namespace vek {

namespace {

constexpr int kRecordId = 6;           // work-file chunk identifier
// Body bytes besides the name and the data: number, data length, flag,
// name length.
constexpr uint32_t kRecordHeader = 5;

bool readLittle16(std::FILE *in, uint32_t *value) {
    const int low = std::fgetc(in);
    const int high = std::fgetc(in);
    if (low == EOF || high == EOF) return false;
    *value = static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 8);
    return true;
}

// Leaves `records` just past the record number of record `number`.
bool findRecord(std::FILE *records, int number) {
    if (std::fseek(records, 0, SEEK_SET) != 0) return false;
    for (;;) {
        uint32_t bodyLength = 0;
        if (std::fgetc(records) != kRecordId || !readLittle16(records, &bodyLength)) return false;
        if (std::fgetc(records) == EOF || std::fgetc(records) == EOF) return false;
        const int found = std::fgetc(records);
        if (found == EOF || bodyLength < kRecordHeader) return false;
        if (found == number) return true;
        if (std::fseek(records, static_cast<long>(bodyLength) - 1, SEEK_CUR) != 0) return false;
    }
}

// Copies `count` bytes; with no `out` they are only read.
bool passBytes(std::FILE *records, std::FILE *out, uint32_t count) {
    uint8_t buffer[512];
    while (count > 0) {
        const size_t step = count < sizeof buffer ? count : sizeof buffer;
        if (std::fread(buffer, 1, step, records) != step) return false;
        if (out && std::fwrite(buffer, 1, step, out) != step) return false;
        count -= static_cast<uint32_t>(step);
    }
    return true;
}

// The one reading of a record behind copySysexRecord and sysexRecordSize.
size_t transferRecord(std::FILE *records, std::FILE *out, int number) {
    if (!records || !findRecord(records, number)) return 0;
    uint32_t dataLength = 0;
    if (!readLittle16(records, &dataLength) || dataLength == 0) return 0;
    const int sendFlag = std::fgetc(records);
    const int nameLength = std::fgetc(records);
    if (sendFlag == EOF || nameLength == EOF) return 0;
    if (std::fseek(records, nameLength, SEEK_CUR) != 0) return 0;
    const int status = std::fgetc(records);
    if (status != 0xF0 && status != 0xF7) return 0;
    const int32_t rest = static_cast<int32_t>(dataLength - 1);
    if (out && (writeByte(out, static_cast<uint8_t>(status)) != 1 ||
                writeVarLen(out, rest) != varLenSize(rest)))
        return 0;
    if (!passBytes(records, out, static_cast<uint32_t>(rest))) return 0;
    return dataLength + varLenSize(rest);
}

}  // namespace

std::FILE *createSysexFile() { return std::fopen("sysex.out", "wb"); }

size_t copySysexRecord(std::FILE *records, std::FILE *out, int number) {
    return out ? transferRecord(records, out, number) : 0;
}

size_t sysexRecordSize(std::FILE *records, int number) {
    return transferRecord(records, nullptr, number);
}

}  // namespace vek
