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
// Groups nest by recursion: the bound keeps the parser within its stack.
constexpr int kMaxGroupDepth = 1000;
// Both writers count tracks in 16 bits, the MIDI file with its conductor
// track among them: more would wrap the count and corrupt the file.
constexpr int32_t kMaxTracks = 65534;
}  // namespace vek
