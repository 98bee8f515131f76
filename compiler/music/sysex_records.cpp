// A list is read whole before its record is stored in one piece, so a
// refused list leaves no record behind.
#include "music/sysex_records.h"

#include <cstdio>
#include <cstring>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "music/macros.h"
#include "music/sysex_bytes.h"
#include "writers/sysex_file.h"
#include "writers/work_file_ids.h"

namespace vek {

namespace {

constexpr size_t kBodyHeader = 5;  // bytes: number, data length, send flag, name length
// Events send the message where they stand; the work file must not send
// it again on loading.
constexpr uint8_t kSendFlag = 0;

void putLittle(std::string &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Only a list that starts as a system-exclusive message can be written to
// a MIDI file; refusing it here names the definition and its place.
void checkStatus(CompileState &cs, const std::vector<uint8_t> &data, const char *name) {
    if (!data.empty() && (data[0] == 0xF0 || data[0] == 0xF7)) return;
    std::snprintf(cs.name, kNameBytes, "%s", name);
    raiseError(cs, kMsgBadSysex);
}

// Reads the byte list at the definition's body and comes back: the read
// position, the current character, the macro frames (the number reader may
// meet a macro character) and the listing echo (the body is not music).
std::vector<uint8_t> readBody(CompileState &cs, const Definition &d, const char *name) {
    const int stream = cs.in.current;
    const int32_t offset = position(cs);
    const int ch = cs.ch;
    const MacroSnapshot macros = saveMacros(cs);
    const uint8_t listOn = cs.listOn;
    cs.setListOn(0);
    std::vector<uint8_t> data;
    load(cs, d.stream, d.bodyPosition);
    ReadSysexBytes(cs, name, kMaxSysexBody - kBodyHeader - std::strlen(name), data);
    checkStatus(cs, data, name);
    cs.setListOn(listOn);
    restoreMacros(cs, macros);
    load(cs, stream, offset);
    cs.ch = ch;
    return data;
}

const char *nameOfRecord(const SongContext &song, uint8_t number) {
    return number < song.sysexNames.size() ? song.sysexNames[number].c_str() : nullptr;
}

// The first record number a track refers to that cannot be copied.
int firstUnwritable(SongContext &song) {
    for (Track *t : songTracks(song)) {
        for (int32_t i = 0; i < t->count(); ++i) {
            const Event &e = *t->at(i);
            if (e.kind == kSysexReference && sysexRecordSize(song.sysexRecords, e.data1) == 0)
                return e.data1;
        }
    }
    return -1;
}

}  // namespace

std::string encodeSysexRecord(uint8_t number, const char *name, const std::vector<uint8_t> &data) {
    const size_t nameLength = std::strlen(name);
    std::string out;
    out += static_cast<char>(kChunkSysex);
    putLittle(out, static_cast<uint32_t>(data.size() + nameLength + kBodyHeader), 4);
    out += static_cast<char>(number);
    putLittle(out, static_cast<uint32_t>(data.size()), 2);
    out += static_cast<char>(kSendFlag);
    out += static_cast<char>(nameLength);
    out.append(name, nameLength);
    out.append(data.begin(), data.end());
    return out;
}

void StoreSysexDefinition(CompileState &cs, Definition &d, const char *definitionName) {
    SongContext &song = *cs.song;
    if (song.sysexCount >= kMaxSysexDefinitions) error(cs, kMsgTooManySysex);
    // A copy: the messages of the byte list are written over cs.name.
    char name[kNameBytes];
    std::snprintf(name, sizeof name, "%s", definitionName);
    const std::vector<uint8_t> data = readBody(cs, d, name);
    song.sysexRecords += encodeSysexRecord(song.sysexCount, name, data);
    song.sysexNames.emplace_back(name);
    d.recordNumber = song.sysexCount++;
    d.built = 1;
}

std::string unwritableSysexMessage(SongContext &song) {
    const int number = firstUnwritable(song);
    if (number < 0) return " A sysex message cannot be written: its record is damaged";
    const char *name = nameOfRecord(song, static_cast<uint8_t>(number));
    char text[kMessageBytes];
    if (name)
        formatMessage(text, kMsgSysexMissing, name, "", 0);
    else
        std::snprintf(text, sizeof text,
                      " Sysex record %i cannot be written: it is missing or does not start with "
                      "F0 or F7",
                      number);
    return text;
}

}  // namespace vek
