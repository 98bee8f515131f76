#include "cli/version.h"

#include "vek/vekmain.h"

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace vek::cli {

namespace {

std::string loadedLibrary() {
#ifdef __linux__
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&Vekmain), &info) != 0 && info.dli_fname) return info.dli_fname;
#endif
    return "";
}

}  // namespace

std::string versionText() {
    std::string text = std::string("vek ") + VEK_VERSION + "\ncompiler library Vek12, interface " +
                       VEKMAIN_VERSION;
    if (const std::string file = loadedLibrary(); !file.empty()) text += ", loaded from " + file;
    return text + "\n";
}

}  // namespace vek::cli
