// Storing system-exclusive definitions as the numbered records of the
// song (SongContext::sysexRecords), the layout of "sysex.out". A record
// is a work-file chunk (little-endian):
//   6, body length (32 bits), record number, data length (16 bits),
//   send flag, name length, name, data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

struct CompileState;
struct Definition;
struct SongContext;

constexpr int kMaxSysexDefinitions = 64;
constexpr size_t kSysexRecordHeader = 10;   // bytes before the name
constexpr size_t kMaxSysexBody = 0xFFFF;    // bytes; the body length is read as 16 bits

// Reads the byte list of `d` (named `name`) where it lies in the source,
// appends it to the song's records as the next one and marks `d` built
// with its number; reading then goes on where it was. Raises 2 (a 65th
// record), 27 (bad syntax, or a list that is
// empty, does not start with F0 or F7, or is too long for a record), and
// the 7 and 31 of the byte list.
void StoreSysexDefinition(CompileState &cs, Definition &d, const char *name);

// The bytes of one record.
std::string encodeSysexRecord(uint8_t number, const char *name, const std::vector<uint8_t> &data);

// For a song the MIDI writer refused because a track refers to a record
// that the song lacks or holds malformed: a message naming the first
// such definition (its number when the symbol table does not know it).
std::string unwritableSysexMessage(SongContext &song);

}  // namespace vek
