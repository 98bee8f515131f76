// Include files: the search path, the input stack and the return stack.
#include <cstdio>
#include <cstring>
#include <string>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/files_read.h"
#include "input/lexer.h"
#include "input/reader.h"

namespace vek {

namespace {

constexpr int kIncludeNameBytes = 131;
constexpr int kMaxIncludeItems = 29;
constexpr int kCodeNoInclude = 31;
constexpr int kCodeBracketExpected = 73;

// Reads one item of an include name into `item`: up to a blank, the end of
// input, or (in a list) "]". Double quotes enclose blanks and are dropped.
void readItem(CompileState &cs, char *item, bool inList) {
    int length = 0;
    bool quoted = false;
    for (;;) {
        const int c = cs.ch;
        if (c == kEndOfInput) {
            if (inList || quoted) error(cs, kCodeBracketExpected);
            break;
        }
        if (!quoted && (isBlank(c) || (inList && c == ']'))) break;
        if (c == '"') {
            quoted = !quoted;
        } else {
            // Registered names hold 99 characters; longer ones are refused.
            if (length >= kStreamNameBytes - 1) error(cs, kCodeBracketExpected);
            item[length++] = c == '\\' ? '/' : static_cast<char>(c);
        }
        nextChar(cs, kReadRaw);
    }
    item[length] = '\0';
}

// Reads the name after `include`: one item, or "[" items "]" of which the
// last is the name. Leaves the read position just past the name.
void readIncludeName(CompileState &cs, char *item) {
    if (cs.ch != '[') {
        readItem(cs, item, false);
        if (!item[0]) error(cs, kCodeBracketExpected);
        return;
    }
    nextChar(cs, kReadRaw);
    for (int items = 0;; ++items) {
        while (isBlank(cs.ch)) nextChar(cs, kReadRaw);
        if (cs.ch == ']') break;
        if (cs.ch == kEndOfInput || items == kMaxIncludeItems) error(cs, kCodeBracketExpected);
        readItem(cs, item, true);
    }
}

bool alreadyOpen(const CompileState &cs, const char *name) {
    for (int i = kSourceSlot; i < cs.in.depth; ++i)
        if (std::strcmp(cs.in.names[i], name) == 0) return true;
    return false;
}

// Copies as much of `from` as fits, always terminated.
void copyName(char *to, const char *from, size_t size) {
    size_t i = 0;
    for (; i + 1 < size && from[i]; ++i) to[i] = from[i];
    to[i] = '\0';
}

}  // namespace

std::FILE *openOnPath(const char *name, const char *mode, const char *path, std::string *found) {
    if (!path) {
        if (found) *found = name;
        return std::fopen(name, mode);
    }
    for (const char *entry = path;;) {
        const char *end = std::strchr(entry, ';');
        const int length = static_cast<int>(end ? end - entry : std::strlen(entry));
        char full[kPathBytes];
        const int n = length == 0 ? std::snprintf(full, sizeof full, "%s", name)
                                  : std::snprintf(full, sizeof full, "%.*s/%s", length, entry, name);
        if (n > 0 && n < kPathBytes) {
            if (std::FILE *f = std::fopen(full, mode)) {
                if (found) *found = full;
                return f;
            }
        }
        if (!end) return nullptr;
        entry = end + 1;
    }
}

int pushStream(CompileState &cs, std::FILE *f, const char *name) {
    InputState &in = cs.in;
    if (in.depth >= kInputSlots) return -1;
    const int slot = in.depth++;
    in.streams[slot] = f;
    in.filePos[slot] = 0;
    copyName(in.names[slot], name, kStreamNameBytes);
    return slot;
}

void include(CompileState &cs) {
    char item[kIncludeNameBytes];
    readIncludeName(cs, item);
    copyName(cs.name, item, kNameBytes);
    // Reading goes on just past the name ("]" or the blank that ended it).
    cs.ch = ' ';
    if (alreadyOpen(cs, item)) return;

    InputState &in = cs.in;
    in.returns[in.level++] = IncludeReturn{in.current, position(cs)};

    std::string found;
    std::FILE *f = openOnPath(item, "rb", cs.song->searchPath, &found);
    // The output was emptied before the source was read: it holds nothing
    // to include.
    if (f && sameFile(found, cs.song->outputPath)) {
        std::fclose(f);
        f = nullptr;
    }
    if (f) cs.song->filesRead.push_back(found);
    const int slot = f ? pushStream(cs, f, item) : -1;
    if (slot < 0) {
        if (f) std::fclose(f);
        --in.level;
        error(cs, kCodeNoInclude);
    }
    load(cs, slot, 0);
}

bool returnFromInclude(CompileState &cs) {
    InputState &in = cs.in;
    if (in.level == 0) return false;
    const IncludeReturn r = in.returns[--in.level];
    load(cs, r.stream, r.offset);
    cs.ch = ' ';
    return true;
}

}  // namespace vek
