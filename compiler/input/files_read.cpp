#include "input/files_read.h"

#include <filesystem>
#include <system_error>

#include "events/song_context.h"
#include "platform/native_path.h"

namespace vek {

bool sameFile(const std::string &a, const std::string &b) {
    std::error_code ec;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(nativePath(a), nativePath(b), ec) && !ec;
}

bool readByCompile(const SongContext &song, const std::string &path) {
    for (const std::string &read : song.filesRead)
        if (sameFile(read, path)) return true;
    return false;
}

}  // namespace vek
