#include "cli/render_loader.h"

#include <dlfcn.h>

#include <system_error>

#include "cli/include_path.h"
#include "cli/printable.h"

namespace vek::cli {

namespace {

struct Loaded {
    const VekRenderModule *module = nullptr;
    std::string error;
};

// dlerror() names the file first when the file itself is at fault; the
// message names it already.
std::string reason(const std::string &path) {
    const char *raw = dlerror();
    std::string text = raw ? raw : "unknown error";
    if (text.rfind(path + ": ", 0) == 0) text.erase(0, path.size() + 2);
    return text;
}

Loaded load() {
    const std::string path = renderModulePath(executablePath(nullptr)).string();
    const auto refused = [&](const std::string &why) {
        return Loaded{nullptr, printable("vek: cannot load the render module " + path + ": " + why + "\n")};
    };
    // Never closed: the module serves every render of a watch.
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return refused(reason(path));
    const auto entry = reinterpret_cast<VekRenderModuleEntry>(dlsym(handle, VEK_RENDER_MODULE_ENTRY));
    if (!entry) return refused(reason(path));
    const VekRenderModule *module = entry();
    if (!module || module->version != VEK_RENDER_MODULE_VERSION)
        return refused("it belongs to another version of vek");
    return Loaded{module, ""};
}

}  // namespace

std::filesystem::path renderModulePath(const std::filesystem::path &executable) {
    std::error_code ec;
    if (std::filesystem::equivalent(executable.parent_path(), VEK_BUILD_CLI_DIR, ec))
        return VEK_BUILD_RENDER_MODULE;
    return (executable.parent_path() / VEK_RENDER_MODULE_FROM_BIN).lexically_normal();
}

const VekRenderModule *renderModule(std::string &error) {
    static const Loaded loaded = load();
    error = loaded.error;
    return loaded.module;
}

}  // namespace vek::cli
