// libFuzzer target: every input is the body of a sysex definition (the
// text after its "["), stored as a record of the song as on first use.
//
// A stored record must read back whole: identifier, lengths that agree
// with the file, data that starts with F0 or F7 and that the MIDI writer
// can copy. A refused list must leave no record. Like
// fuzz_vekmain the process works in a scratch folder of its own; run it
// with stdin from /dev/null, since "fi" may name any file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "music/macros.h"
#include "music/sysex_records.h"
#include "scratch_folder.h"
#include "vek/vekmain.h"
#include "writers/byte_writer.h"
#include "writers/sysex_file.h"

namespace {

constexpr const char *kSource = "body.vek";
constexpr const char *kName = "fuzz";

// A file for "fi" to find, beside the source in the scratch folder.
void enterScratchFolder() {
    if (vek::fuzz::enterScratchFolder("sysex"))
        std::ofstream("data.bin", std::ios::binary) << "\xF0\x01\x02\xF7";
}

uint32_t little(const std::string &s, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(s[at + i]);
    return v;
}

void check(bool ok) {
    if (!ok) std::abort();
}

// One record for the name kName, in the layout the writers read.
void checkRecord(const std::string &r) {
    const size_t header = vek::kSysexRecordHeader + 4;
    check(r.size() > header && static_cast<uint8_t>(r[0]) == 6);
    const uint32_t data = little(r, 6, 2);
    check(little(r, 1, 4) == r.size() - 5 && data + header == r.size());
    check(static_cast<uint8_t>(r[9]) == 4 && r.compare(10, 4, kName) == 0);
    const auto status = static_cast<uint8_t>(r[header]);
    check(status == 0xF0 || status == 0xF7);
    const int32_t rest = static_cast<int32_t>(data) - 1;
    check(vek::sysexRecordSize(r, 0) == data + vek::varLenSize(rest));
}

// Returns true when the list was stored; `records` gets the song's records.
bool storeBody(std::string &records) {
    vek::SongContext song;
    song.listingPath = "body.vls";
    song.searchPath = ".";
    vek::CompileState cs("body.vek", song);
    vek::Definition d;
    try {
        cs.open();
        d.stream = cs.in.current;
        vek::StoreSysexDefinition(cs, d, kName);
    } catch (const ParseError &e) {
        check(e.message[sizeof e.message - 1] == '\0' && e.fileName[sizeof e.fileName - 1] == '\0');
        records = song.sysexRecords;
        return false;
    }
    check(d.built == 1 && d.recordNumber == 0 && song.sysexCount == 1);
    records = song.sysexRecords;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    enterScratchFolder();
    {
        std::ofstream out(kSource, std::ios::binary);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    std::string records;
    if (storeBody(records)) checkRecord(records);
    else check(records.empty());
    return 0;
}
