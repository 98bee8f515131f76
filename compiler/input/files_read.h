// The files a compile reads, so that nothing it writes lands on them.
#pragma once
#include <string>

namespace vek {

struct SongContext;

// True when both paths name one existing file (links and "./" included).
bool sameFile(const std::string &a, const std::string &b);

// True when `path` is a file the compile has read (source, include, "fi").
bool readByCompile(const SongContext &song, const std::string &path);

}  // namespace vek
