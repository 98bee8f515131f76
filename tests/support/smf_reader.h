// A test-side Standard MIDI File decoder that turns the bytes into text
// lines, so expectations read and diff as text. Anything malformed throws.
//
// Lines:
//   MThd format 1 tracks 2 division 120
//   MTrk 0                      (chunk index, from 0)
//   480 90 3C 40                (absolute tick, status, data bytes in hex)
//   480 (90) 3C 00              (running status: the status byte was omitted)
//   0 FF 51 07 A1 20            (meta: type and data; the length is checked)
//   0 FF 03 "Piano"             (meta types 1-9 show their text)
//   0 F0 41 10 F7               (system exclusive: status and data)
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace vek::test {

struct SmfError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Decodes a whole file; throws SmfError on any malformed chunk or event.
std::vector<std::string> decodeSmf(const std::string &bytes);

// The lines of one track chunk (index from 0, the conductor track first),
// without its "MTrk" line.
std::vector<std::string> smfTrack(const std::string &bytes, int index);

// All lines joined by newlines, for failure messages.
std::string smfText(const std::string &bytes);

// Bytes from hex text: "4D 54 68 64 " (two digits and a blank each).
std::string hexBytes(const std::string &hex);
// The whole file of a song without events, 120 ticks per quarter: the
// header and a conductor track with the SMPTE offset, 100.00 BPM (600000 us
// per quarter), 4/4 and key 0.
std::string emptySongFile();

}  // namespace vek::test
