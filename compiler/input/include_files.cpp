// Include files: the search path, the input stack and the return stack.
#include <cstdio>
#include <string>
#include <system_error>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/files_read.h"
#include "input/lexer.h"
#include "input/open_file.h"
#include "input/reader.h"

namespace vek {

namespace {


// Reads one item of an include name: up to a blank, the end of input, or
// (in a list) "]". Double quotes enclose blanks and are dropped.
std::string readItem(CompileState &cs, bool inList) {
    std::string item;
    bool quoted = false;
    for (;;) {
        const int c = cs.ch;
        if (c == kEndOfInput) {
            if (inList || quoted) error(cs, kMsgCloseBracket);
            break;
        }
        if (!quoted && (isBlank(c) || (inList && c == ']'))) break;
        if (c == '"') quoted = !quoted;
        else item += c == '\\' ? '/' : static_cast<char>(c);
        nextChar(cs, kReadRaw);
    }
    return item;
}

// Reads the name after `include`: one item, or "[" items "]" of which the
// last is the name. Leaves the read position just past the name.
std::string readIncludeName(CompileState &cs) {
    if (cs.ch != '[') {
        std::string item = readItem(cs, false);
        if (item.empty()) error(cs, kMsgCloseBracket);
        return item;
    }
    nextChar(cs, kReadRaw);
    std::string item;
    for (;;) {
        while (isBlank(cs.ch)) nextChar(cs, kReadRaw);
        if (cs.ch == ']') return item;
        if (cs.ch == kEndOfInput) error(cs, kMsgCloseBracket);
        item = readItem(cs, true);
    }
}

bool alreadyOpen(const CompileState &cs, const std::string &name) {
    for (int i = kSourceSlot; i < cs.in.depth; ++i)
        if (cs.in.names[i] == name) return true;
    return false;
}

}  // namespace

int pushStream(CompileState &cs, std::FILE *f, const std::string &name) {
    InputState &in = cs.in;
    const int slot = in.depth++;
    in.streams.resize(in.depth);
    in.filePos.resize(in.depth);
    in.names.resize(in.depth);
    in.streams[slot] = f;
    in.filePos[slot] = 0;
    in.names[slot] = name;
    return slot;
}

void include(CompileState &cs) {
    const std::string item = readIncludeName(cs);
    std::snprintf(cs.name, kNameBytes, "%s", item.c_str());
    // Reading goes on just past the name ("]" or the blank that ended it).
    cs.ch = ' ';
    if (alreadyOpen(cs, item)) return;

    std::error_code why;
    std::string found;
    std::FILE *f = openOnPath(item, "rb", cs.song->searchPath, &why, &found);
    // The output was emptied before the source was read: it holds nothing
    // to include.
    if (f && sameFile(found, cs.song->outputPath)) {
        std::fclose(f);
        f = nullptr;
    }
    if (!f) {
        cs.messageName = item;
        const bool noneLeft = why == std::errc::too_many_files_open ||
                              why == std::errc::too_many_files_open_in_system;
        error(cs, noneLeft ? kMsgNoFileLeft : kMsgNoInclude);
    }
    cs.song->filesRead.push_back(found);
    InputState &in = cs.in;
    in.returns.push_back(IncludeReturn{in.current, position(cs)});
    load(cs, pushStream(cs, f, item), 0);
    skipByteOrderMark(cs);
}

bool returnFromInclude(CompileState &cs) {
    InputState &in = cs.in;
    if (in.returns.empty()) return false;
    const IncludeReturn r = in.returns.back();
    in.returns.pop_back();
    load(cs, r.stream, r.offset);
    cs.ch = ' ';
    return true;
}

}  // namespace vek
