#include "drums/drum_seeds.h"

namespace vek::editor {

void reseedPattern(DrumPattern &pattern, int seed, const FigureHolds &held) {
    constexpr std::array<int, 4> kFigureMasks{0, 0x1111, 0x2222, 0x4444};
    pattern.seed = seed;
    for (size_t i = 0; i < pattern.figures.size(); ++i)
        if (!held[i])
            pattern.figures[i].seed = seed ^ kFigureMasks[i];
}

void reseedPart(DrumPart &part, const PatternHolds &held) {
    const int s = part.seed;
    if (!held[0])
        reseedPattern(part.a, s);
    if (!held[1])
        reseedPattern(part.b, s ^ 0x7FFF);
    if (!held[2])
        reseedPattern(part.x, s ^ 0x5555);
}

std::array<int, 3> endingSeeds(int partSeed) {
    return {partSeed, partSeed ^ 0x3333, partSeed ^ 0x6666};
}

}  // namespace vek::editor
