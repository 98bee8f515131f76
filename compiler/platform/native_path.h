// File names as the library takes them: UTF-8 bytes. Every file the
// library opens or asks about goes through here, so that Windows sees the
// name the caller meant rather than one read in the ANSI code page.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

namespace vek {

// `name` as a path the system understands.
std::filesystem::path nativePath(const std::string &name);

// std::fopen for a UTF-8 name.
std::FILE *openNative(const std::string &name, const char *mode);

// A new file to write bytes to; null when `name` exists already. (The C
// runtime Windows ships does not know fopen's "x".)
std::FILE *createNative(const std::string &name);

}  // namespace vek
