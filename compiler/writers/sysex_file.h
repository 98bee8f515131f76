// "sysex.out": the numbered system-exclusive records of one compile. The
// records are kept in memory (SongContext::sysexRecords) and read from
// there; "sysex.out" is only a copy left for other programs.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace vek {

// The data bytes of record `number`, F0 or F7 first; empty when it is
// missing, cut short or does not start with F0 or F7.
std::string_view sysexRecordData(std::string_view records, int number);

// Copies record `number` of `records` into `out` as a MIDI
// system-exclusive event: the first data byte (F0 or F7), the rest's
// length as a variable-length quantity, then the rest. Returns the bytes
// written, or 0 when the record is missing or malformed or `out` fails.
size_t copySysexRecord(std::string_view records, std::FILE *out, int number);

// The bytes copySysexRecord would write for record `number`, or 0 when it
// is missing or malformed; writes nothing.
size_t sysexRecordSize(std::string_view records, int number);

// Replaces "sysex.out" in the current folder with `records`: they are
// written under a name of this compile's own and renamed over it, so a
// reader never sees a half-written file or another compile's records.
// False when it cannot be written.
bool saveSysexFile(std::string_view records);

}  // namespace vek
