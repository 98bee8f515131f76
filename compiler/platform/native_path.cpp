#include "platform/native_path.h"

#ifdef _WIN32
#  define WIN32_LEAN_AND_MEAN
#  include <windows.h>
#  include <fcntl.h>
#  include <io.h>
#  include <sys/stat.h>
#endif

namespace vek {

#ifdef _WIN32

namespace {

// UTF-8 to UTF-16; a name that is not UTF-8 is read in the ANSI code page,
// as a host that knows nothing of UTF-8 means it.
std::wstring wide(const std::string &name) {
    if (name.empty()) return {};
    const int bytes = static_cast<int>(name.size());
    for (const UINT page : {CP_UTF8, CP_ACP}) {
        const DWORD flags = page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = MultiByteToWideChar(page, flags, name.data(), bytes, nullptr, 0);
        if (length <= 0) continue;
        std::wstring out(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(page, flags, name.data(), bytes, out.data(), length);
        return out;
    }
    return {};
}

}  // namespace

std::filesystem::path nativePath(const std::string &name) { return std::filesystem::path(wide(name)); }

std::FILE *openNative(const std::string &name, const char *mode) {
    return _wfopen(wide(name).c_str(), wide(mode).c_str());
}

std::FILE *createNative(const std::string &name) {
    const int fd = _wopen(wide(name).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE *f = _fdopen(fd, "wb");
    if (!f) _close(fd);
    return f;
}

#else

std::filesystem::path nativePath(const std::string &name) { return std::filesystem::path(name); }

std::FILE *openNative(const std::string &name, const char *mode) { return std::fopen(name.c_str(), mode); }

std::FILE *createNative(const std::string &name) { return std::fopen(name.c_str(), "wbx"); }

#endif

}  // namespace vek
