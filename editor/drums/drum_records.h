// The three records of the drum tools: a figure (one instrument over a row
// of step frequencies), a pattern (four figures played together) and a drum
// part (patterns A and B repeated, a break pattern X and an ending).
#pragma once

#include <QString>
#include <array>

namespace vek::editor {

// Beat modes: a 12-beat figure uses frequencies 0-7 over 12 triplet steps
// of a bar, a 16-beat figure all 16 over 16 sixteenths. Other values are
// kept as read; they generate no music.
constexpr int kTwelveBeat = 0;
constexpr int kSixteenBeat = 1;

constexpr int kFrequencies = 16;
constexpr int kTwelveBeatFrequencies = 8;
constexpr int kMaxFrequency = 999;
constexpr int kMaxSeed = 32767;
constexpr int kMaxCount = 10000;  // repeats, break every and total
constexpr int kDefaultTempo = 130;  // beats per minute of a new drum machine
constexpr int kMinPartTempo = 10;
constexpr int kMaxPartTempo = 250;  // the dialog's limit; texts stop at 240

struct DrumFigure {
    QString instrument;  // key into the section "drum instrument"
    QString name;        // empty: no figure
    int seed = 0;
    std::array<int, kFrequencies> frequencies{};  // 0 to 999 each
    int beatMode = kTwelveBeat;
};

struct DrumPattern {
    QString name;
    std::array<DrumFigure, 4> figures;  // a figure with an empty name is left out
    int seed = 0;
    int trailingCrash = 0;  // 1: a crash cymbal closes the pattern
    int beatMode() const { return figures[0].beatMode; }
};

struct DrumPart {
    QString name;
    DrumPattern a;
    DrumPattern b;
    DrumPattern x;  // the break pattern
    int repeatsA = 0;
    int repeatsB = 0;
    int breakEvery = 0;  // X after every this many patterns; 0 means 10000
    int total = 0;       // patterns in all, the ending included
    int ending = 0;      // 1: a generated ending closes the part
    int seed = 0;
    int tempo = kDefaultTempo;  // beats per minute
    int beatMode() const { return a.beatMode(); }
};

}  // namespace vek::editor
