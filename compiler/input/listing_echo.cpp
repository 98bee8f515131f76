// The source text echoed into the listing, 20 characters a line.
#include <cstdarg>
#include <cstdio>

#include "input/reader.h"

namespace vek {

namespace {

// The listing stops for good once it has grown past its cap.
bool overCap(CompileState &cs) {
    if (cs.listedBytes <= kListingCap) return false;
    cs.setListOn(0);
    return true;
}

void flushEchoLine(CompileState &cs) {
    listPrintf(cs, "%.*s\n", cs.echoIndex, cs.echoLine);
    cs.echoIndex = 0;
}

void appendEcho(CompileState &cs, char c) {
    cs.echoLine[cs.echoIndex++] = c;
    if (cs.echoIndex == kEchoLine) flushEchoLine(cs);
}

}  // namespace

void listPrintf(CompileState &cs, const char *format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char line[256];
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0 && static_cast<size_t>(n) < sizeof line) {
        cs.listing.append(line, static_cast<size_t>(n));
    } else if (n > 0) {  // a long track name
        const size_t at = cs.listing.size();
        cs.listing.resize(at + static_cast<size_t>(n) + 1);
        std::vsnprintf(cs.listing.data() + at, static_cast<size_t>(n) + 1, format, again);
        cs.listing.pop_back();
    }
    va_end(again);
    if (n > 0) cs.listedBytes += n;
}

void echoChar(CompileState &cs, int c) {
    if (overCap(cs)) return;
    if (cs.echoSuppressed) {
        cs.echoSuppressed = 0;
        return;
    }
    if (c < 32 || c >= kEndOfInput) return;
    if (c == '}') {
        cs.echoSuppressed = 1;
        return;
    }
    if (c == ' ' && (cs.echoIndex == 0 || cs.echoLine[cs.echoIndex - 1] == ' ')) return;
    appendEcho(cs, static_cast<char>(c));
}

void listWord(CompileState &cs, const char *text) {
    if (overCap(cs)) return;
    size_t length = 0;
    while (text[length]) ++length;
    if (cs.echoIndex > 0 && cs.echoIndex + length > static_cast<size_t>(kEchoLine))
        flushEchoLine(cs);
    // A word longer than a line wraps instead of overrunning the buffer.
    for (size_t i = 0; i < length; ++i) appendEcho(cs, text[i]);
    if (cs.echoIndex > 0) appendEcho(cs, ' ');
}

}  // namespace vek
