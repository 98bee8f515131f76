// How a writer ended: both writers check everything that could stop them
// before the first byte, so only ioError leaves a part-written file.
#pragma once
#include <cstdint>

namespace vek {

enum class WriteResult : uint8_t {
    ok,
    ioError,         // the file could not be written in full
    sysexMissing,    // a track refers to a missing or malformed sysex record
    waveUnreadable,  // a wave event's file cannot be read
    overLimits,      // a time, bar number or bar length beyond the work file's fields
};

}  // namespace vek
