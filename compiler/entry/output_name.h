// Naming the output file after the source.
#pragma once
#include <cstddef>

namespace vek {

// Cuts a final extension of at most three characters from `stem` in place;
// dots earlier in the path (a folder "my.dir") and a leading ".." stay.
void cutExtension(char *stem);

// stem + ".mid" for "midi", else stem + ".wrk"; false when it does not fit.
bool outputName(const char *stem, const char *format, char *out, size_t size);

}  // namespace vek
