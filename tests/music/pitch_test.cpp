// Pitch classes, steps of the major scale and degrees of a mode, negative
// pitches included.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "events/track.h"
#include "music/pitch.h"
#include "music/voice_state.h"

namespace vek {
namespace {

TEST(PitchClass, WrapsIntoZeroToEleven) {
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0},   {11, 11}, {12, 0},   {60, 0},   {61, 1},   {127, 7},
        {-1, 11}, {-11, 1}, {-12, 0},  {-13, 11}, {-24, 0},  {-25, 11},
    };
    for (const auto &[pitch, pitchClass] : cases) EXPECT_EQ(PitchClass(pitch), pitchClass) << pitch;
}

TEST(TransposeDiatonic, MovesByDegreesOfTheMajorScale) {
    struct Case {
        int32_t pitch, tonic, steps, result;
    } cases[] = {
        {60, 0, 1, 62},   {64, 0, 1, 65},   {71, 0, 1, 72},   {72, 0, -1, 71},
        {60, 0, 7, 72},   {60, 0, -7, 48},  {60, 0, -8, 47},  {60, 0, 0, 60},
        {61, 0, 0, 60},   // a chromatic note counts as the degree below
        {61, 0, 1, 62},   {70, 0, 1, 71},
        {67, 7, 1, 69},   {66, 7, 1, 67},   {65, 7, 0, 64},   // in G major
        {-1, 0, 1, 0},    {-12, 0, -1, -13}, {-13, 0, 1, -12}, {-2, 0, 0, -3},
        {5, 7, -1, 2},    // below the tonic
    };
    for (const Case &c : cases)
        EXPECT_EQ(TransposeDiatonic(c.pitch, c.tonic, c.steps), c.result)
            << c.pitch << " tonic " << c.tonic << " steps " << c.steps;
}

TEST(DiatonicPosition, CountsDegreesFromTheTonic) {
    struct Case {
        int32_t pitch, tonic, position;
    } cases[] = {
        {0, 0, 0},   {60, 0, 35}, {62, 0, 36},  {61, 0, 35}, {71, 0, 41},
        {-1, 0, -1}, {-2, 0, -2}, {-12, 0, -7}, {-13, 0, -8}, {67, 7, 35},
        {6, 7, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DiatonicPosition(c.pitch, c.tonic), c.position) << c.pitch << " tonic " << c.tonic;
}

// The two agree: moving by n steps moves the position by n, everywhere.
TEST(TransposeDiatonic, AgreesWithDiatonicPosition) {
    for (int32_t tonic = 0; tonic < 12; ++tonic)
        for (int32_t pitch = -40; pitch <= 140; ++pitch)
            for (int32_t steps = -15; steps <= 15; ++steps)
                ASSERT_EQ(DiatonicPosition(TransposeDiatonic(pitch, tonic, steps), tonic),
                          DiatonicPosition(pitch, tonic) + steps)
                    << pitch << " tonic " << tonic << " steps " << steps;
}

// A voice whose mode is the major pentatonic C D E G A.
VoiceState pentatonic(int8_t step) {
    VoiceState v;
    const int8_t table[] = {0, 2, 4, 7, 9};
    for (int i = 0; i < 5; ++i) v.key.mode.entries[i] = table[i];
    v.key.mode.last = 4;
    v.key.mode.step = step;
    return v;
}

TEST(ModeIndexOfPitch, CountsWrapsOfTheModePerOctave) {
    const VoiceState v = pentatonic(1);
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0}, {4, 2}, {9, 4}, {12, 5}, {14, 6}, {26, 11}, {-5, -2}, {-8, -3}, {-22, -9},
        {5, -1}, {-1, -1}, {61, -1},  // not in the mode
    };
    for (const auto &[pitch, index] : cases)
        EXPECT_EQ(ModeIndexOfPitch(v, nullptr, pitch), index) << pitch;
}

TEST(ModeIndexOfPitch, StepZeroIgnoresTheOctave) {
    const VoiceState v = pentatonic(0);
    for (const auto &[pitch, index] : {std::pair{0, 0}, {12, 0}, {-5, 3}, {33, 4}, {5, -1}})
        EXPECT_EQ(ModeIndexOfPitch(v, nullptr, pitch), index) << pitch;
}

TEST(ModeIndexOfPitch, TheRootShiftsTheMode) {
    VoiceState v = pentatonic(1);
    v.key.modeRoot = 2;  // D pentatonic
    for (const auto &[pitch, index] : {std::pair{2, 0}, {14, 5}, {11, 4}, {1, -1}, {-3, -2}})
        EXPECT_EQ(ModeIndexOfPitch(v, nullptr, pitch), index) << pitch;
}

TEST(ModeIndexOfPitch, WideStepsCountWholeWraps) {
    // A mode spanning two octaves per wrap: C G E' A'.
    VoiceState v;
    const int8_t table[] = {0, 7, 16, 21};
    for (int i = 0; i < 4; ++i) v.key.mode.entries[i] = table[i];
    v.key.mode.last = 3;
    v.key.mode.step = 2;
    for (const auto &[pitch, index] : {std::pair{16, 2}, {40, 6}, {-8, -2}, {-24, -4}, {31, 5}})
        EXPECT_EQ(ModeIndexOfPitch(v, nullptr, pitch), index) << pitch;
}

// An absolute octave on the note is measured against the octave the
// emission would give the track's notes.
TEST(ModeIndexOfPitch, AbsoluteOctavesCountFromTheTracksBaseOctave) {
    VoiceState v = pentatonic(1);
    v.flags.octaveAbsolute = true;
    Track plain;
    Track absolute;
    absolute.octave = 4;
    absolute.octaveAbsolute = 1;
    Track raised;
    raised.octave = 1;  // relative: five octaves and one
    struct Case {
        const Track *track;
        int32_t pitch, index;
    } cases[] = {
        {nullptr, 60, 0}, {nullptr, 72, 5}, {&plain, 60, 0},  {&plain, 55, -2},
        {&absolute, 48, 0}, {&absolute, 60, 5}, {&raised, 72, 0}, {&raised, 64, -3},
    };
    for (const Case &c : cases) EXPECT_EQ(ModeIndexOfPitch(v, c.track, c.pitch), c.index) << c.pitch;

    v.flags.octaveAbsolute = false;  // otherwise the track does not matter
    EXPECT_EQ(ModeIndexOfPitch(v, &absolute, 12), 5);
}

// The lookup must agree with matching every entry's pitch class in turn:
// for entries anywhere in a byte's range, below zero included, for the
// major mode every voice starts with and for that mode with a changed step
// or a ninth entry, each under several roots.
int32_t searchModeIndex(const std::vector<int8_t> &table, int32_t root, int32_t step, int32_t pitch) {
    const int32_t length = static_cast<int32_t>(table.size());
    for (int32_t i = 0; i < length; ++i) {
        const int32_t entry = table[i] + root;
        if (((entry % 12) + 12) % 12 != ((pitch % 12) + 12) % 12) continue;
        const int32_t octave = (pitch - entry) / 12;
        if (step == 0) return i;
        const int32_t wraps = octave >= 0 ? octave / step : -((-octave + step - 1) / step);
        return i + wraps * length;
    }
    return -1;
}

TEST(ModeIndexOfPitch, AgreesWithAPlainSearch) {
    const struct {
        std::vector<int8_t> table;
        int8_t step;
    } modes[] = {
        {{-128, -13, -1, 0, 5, 11, 46, 127}, 3},
        {{0, 2, 4, 5, 7, 9, 11}, 1},
        {{0, 2, 4, 5, 7, 9, 11}, 2},
        {{0, 2, 4, 5, 7, 9, 11, 12}, 1},
        {{0, 2, 4, 5, 7, 9, 10}, 1},
    };
    for (const auto &mode : modes) {
        VoiceState v;
        std::copy(mode.table.begin(), mode.table.end(), v.key.mode.entries);
        v.key.mode.last = static_cast<int32_t>(mode.table.size()) - 1;
        v.key.mode.step = mode.step;
        for (int32_t root : {-30, -1, 0, 7, 25}) {
            v.key.modeRoot = root;
            for (int32_t pitch = -40; pitch < 170; ++pitch)
                EXPECT_EQ(ModeIndexOfPitch(v, nullptr, pitch),
                          searchModeIndex(mode.table, root, mode.step, pitch))
                    << pitch << " root " << root << " entries " << mode.table.size();
        }
    }
}

}  // namespace
}  // namespace vek
