// The `seed` word and the clock seeds of the compile's random generator.
#include <chrono>
#include <cstdint>

#include "entry/compile_state.h"
#include "music/macros.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kSeedLimit = 65535;
constexpr int32_t kLargestPlainSeed = 10;  // seeds 1-10 are used as written
constexpr int kScrambleRounds = 22;

// Spreads nearby seeds apart: 22 steps of a 15-bit shift register.
uint32_t scramble(uint32_t v) {
    for (int i = 0; i < kScrambleRounds; ++i) v = (v >> 1) | (((v ^ (v >> 1)) & 1u) << 14);
    return v == 0 ? 1 : v;
}

}  // namespace

uint32_t clockSeed(CompileState &cs) {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    const auto bits = static_cast<uint64_t>(now);
    return static_cast<uint32_t>(bits ^ (bits >> 32)) + cs.clockSeeds++;
}

// seed [+|-|=] n: 0 takes the clock, "+n"/"-n" move the stored seed.
void SeedStatement(CompileState &cs) {
    const int sign = cs.ch;
    if (ReadNumber(cs, kMaskInteger, kSeedLimit, -kSeedLimit, 1) == kNoNumber) return;
    const int32_t n = cs.number;
    if (sign == '+' || sign == '-') {
        cs.storedSeed += static_cast<uint32_t>(n);
        cs.random.seed(cs.storedSeed);
    } else if (n == 0) {
        cs.random.seed(clockSeed(cs));
    } else {
        cs.storedSeed = n > kLargestPlainSeed ? scramble(static_cast<uint32_t>(n)) : static_cast<uint32_t>(n);
        cs.random.seed(cs.storedSeed);
    }
}

}  // namespace vek
