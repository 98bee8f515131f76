#include "entry/output_name.h"

#include <cstdio>
#include <cstring>

namespace vek {

// A dot is an extension's when fewer than five characters follow its
// position (the length is taken afresh after every cut). The whole name is
// scanned, so a source deep in a long folder path is named right too.
void cutExtension(char *stem) {
    size_t i = (stem[0] == '.' && stem[1] == '.') ? 2 : 0;
    for (; stem[i]; ++i) {
        const size_t length = std::strlen(stem);
        if (stem[i] == '.' && i > length - 5) stem[i] = '\0';
        if (!stem[i]) break;
    }
}

bool outputName(const char *stem, const char *format, char *out, size_t size) {
    const char *extension = std::strcmp(format, "midi") == 0 ? ".mid" : ".wrk";
    const int n = std::snprintf(out, size, "%s%s", stem, extension);
    return n > 0 && static_cast<size_t>(n) < size;
}

}  // namespace vek
