// The byte-list reader. Items are read raw, so "{", "}", "?" and "," are
// plain characters in a list; only the character after a "#" number is
// read by the number reader in normal mode.
#include "music/sysex_bytes.h"

#include <cstdio>
#include <memory>
#include <string>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/open_file.h"
#include "input/reader.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kMaxNumber = 127;
constexpr uint8_t kStringSeparator = '$';

struct ByteList {
    CompileState &cs;
    const char *definition;
    size_t limit;               // bytes
    std::vector<uint8_t> &out;
    int32_t checksum = 0;       // minus every byte written since "xs"
    int shift = 0;              // bits the next value moves left; 0: none
    uint32_t accumulator = 0;   // shifted values waiting for the next value
    bool accumulating = false;
    bool hadString = false;
};

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};

int next(CompileState &cs) { return nextChar(cs, kReadRaw); }

[[noreturn]] void badSyntax(ByteList &list) {
    std::snprintf(list.cs.name, kNameBytes, "%s", list.definition);
    raiseError(list.cs, kMsgBadSysex);
}

int hexDigit(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool endsItem(int c) { return isBlank(c) || c == ']' || c == kEndOfInput; }

void store(ByteList &list, uint8_t b) {
    if (list.out.size() >= list.limit) badSyntax(list);
    list.out.push_back(b);
}

// Text and file bytes: written as they are.
void putByte(ByteList &list, uint8_t b) {
    store(list, b);
    list.checksum -= b;
}

// Hexadecimal and "#" values: shifted into the accumulator while a shift
// is pending, else written with what was accumulated added.
void putValue(ByteList &list, uint32_t value) {
    if (list.shift) {
        list.accumulator += (value << list.shift) & 0xFF;
        list.shift = 0;
        list.accumulating = true;
        return;
    }
    putByte(list, static_cast<uint8_t>(value + list.accumulator));
    list.accumulator = 0;
    list.accumulating = false;
}

// c1 is taken; cs.ch is the second digit, or what ends a single one.
void hexItem(ByteList &list, int c1) {
    CompileState &cs = list.cs;
    const int high = hexDigit(c1);
    if (high < 0) badSyntax(list);
    if (endsItem(cs.ch)) return putValue(list, static_cast<uint32_t>(high));
    const int low = hexDigit(cs.ch);
    if (low < 0) badSyntax(list);
    next(cs);
    putValue(list, static_cast<uint32_t>(high * 16 + low));
}

void numberItem(ByteList &list) {
    CompileState &cs = list.cs;
    if (ReadNumber(cs, kMaskInteger, kMaxNumber, 0, 1) == kNoNumber) badSyntax(list);
    putValue(list, static_cast<uint32_t>(cs.number) & 0xFF);
}

// "+k": the next value moves k bits left.
void shiftItem(ByteList &list) {
    CompileState &cs = list.cs;
    if (cs.ch < '0' || cs.ch > '9') badSyntax(list);
    list.shift = cs.ch - '0';
    next(cs);
}

// A later string is set apart by a "$" byte, so "$$" inside a string
// reads as a literal dollar sign.
void stringItem(ByteList &list) {
    CompileState &cs = list.cs;
    if (list.hadString) putByte(list, kStringSeparator);
    list.hadString = true;
    for (; cs.ch != '$'; next(cs)) {
        if (cs.ch == kEndOfInput) badSyntax(list);
        putByte(list, static_cast<uint8_t>(cs.ch));
    }
    next(cs);
}

// The name after "fi", up to a blank or "]".
std::string readFileName(ByteList &list) {
    CompileState &cs = list.cs;
    do next(cs); while (isBlank(cs.ch));
    std::string path;
    for (; !endsItem(cs.ch); next(cs)) path += cs.ch == '\\' ? '/' : static_cast<char>(cs.ch);
    if (path.empty()) badSyntax(list);
    return path;
}

[[noreturn]] void noFile(CompileState &cs, const std::string &path) {
    cs.messageName = path;
    raiseError(cs, kMsgNoInclude);
}

// "fi name": the whole file, found on the include path.
void fileItem(ByteList &list) {
    CompileState &cs = list.cs;
    const std::string path = readFileName(list);
    std::string found;
    std::unique_ptr<std::FILE, FileCloser> f(
        openOnPath(path, "rb", cs.song->searchPath, nullptr, &found));
    if (!f) noFile(cs, path);
    cs.song->filesRead.push_back(found);
    for (int c; (c = std::fgetc(f.get())) != EOF;) putByte(list, static_cast<uint8_t>(c));
    if (std::ferror(f.get())) noFile(cs, path);
}

// One item: c1 is taken, cs.ch holds the character after it.
void readItem(ByteList &list, int c1) {
    CompileState &cs = list.cs;
    const int c2 = cs.ch;
    if (c1 == 'x' && c2 == 's') {
        list.checksum = 0;
        next(cs);
    } else if (c1 == 'x' && c2 == 'e') {
        store(list, static_cast<uint8_t>(list.checksum & 127));
        next(cs);
    } else if (c1 == 'f' && c2 == 'i') {
        fileItem(list);
    } else if (c1 == '+') {
        shiftItem(list);
    } else if (c1 == '$') {
        stringItem(list);
    } else if (c1 == '#') {
        numberItem(list);
    } else {
        hexItem(list, c1);
    }
}

}  // namespace

void ReadSysexBytes(CompileState &cs, const char *definition, size_t limit,
                    std::vector<uint8_t> &out) {
    ByteList list{cs, definition, limit, out};
    next(cs);
    for (;;) {
        while (isBlank(cs.ch)) next(cs);
        const int c1 = cs.ch;
        if (c1 == ']') break;
        if (c1 == kEndOfInput) badSyntax(list);
        next(cs);
        readItem(list, c1);
    }
    // A shift with no value after it would lose its bytes.
    if (list.shift || list.accumulating) badSyntax(list);
}

}  // namespace vek
