// "sysex.out": the numbered system-exclusive records of one compile.
#pragma once
#include <cstddef>
#include <cstdio>

namespace vek {

// Creates (truncates) "sysex.out" in the current folder; null on failure.
std::FILE *createSysexFile();

// Copies record `number` of `records` (opened for reading) into `out` as a
// MIDI system-exclusive event: the first data byte (F0 or F7), the rest's
// length as a variable-length quantity, then the rest. Returns the bytes
// written, or 0 when the record is missing, malformed or a file fails.
size_t copySysexRecord(std::FILE *records, std::FILE *out, int number);

// The bytes copySysexRecord would write for record `number`, or 0 when it
// is missing or malformed; writes nothing.
size_t sysexRecordSize(std::FILE *records, int number);

}  // namespace vek
