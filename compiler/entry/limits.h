// Caps that keep any source within bounded time and memory. No sensible
// piece comes near them: a million notes need about a tenth of either.
// Fuzzing builds lower them to keep each run short.
#pragma once
#include <cstdint>

#ifndef VEK_MAX_EVENTS
#define VEK_MAX_EVENTS (1 << 24)
#endif
#ifndef VEK_MAX_SOURCE_CHARACTERS
#define VEK_MAX_SOURCE_CHARACTERS (1 << 27)
#endif

namespace vek {
constexpr int64_t kMaxEvents = VEK_MAX_EVENTS;                    // events stored per compile
constexpr int64_t kMaxSourceCharacters = VEK_MAX_SOURCE_CHARACTERS;  // characters read per compile
}  // namespace vek
