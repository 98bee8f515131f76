// The render module vek-render.so, opened at the first render: a compile
// alone never loads FluidSynth and libsndfile.
#pragma once
#include <filesystem>
#include <string>

#include "sound/render_module.h"

namespace vek::cli {

// Where the module is looked for: the build tree's module for a vek run
// from the build tree, else <executable's folder>/../lib/<multiarch>/vek.
std::filesystem::path renderModulePath(const std::filesystem::path &executable);

// The module's function table, opened once per run. When it cannot be
// opened: null, and `error` holds the whole message for stderr.
const VekRenderModule *renderModule(std::string &error);

}  // namespace vek::cli
