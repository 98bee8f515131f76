// Pitch classes, mode degrees and steps of the major scale.
#include "music/pitch.h"

#include <cstring>

#include "events/track.h"
#include "music/voice_state.h"

namespace vek {

namespace {

// Bytes, like a voice's mode table, so that the starting mode is found by
// comparing the two.
constexpr int8_t kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int32_t kDefaultBaseOctave = 5;

int32_t floorDivide(int32_t a, int32_t b) {
    if (b == 1) return a;  // the usual mode step: spares a division every note
    const int32_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A pitch relative to the tonic as an octave and a degree of the major
// scale; a chromatic note takes the degree below it.
struct ScalePosition {
    int32_t octave;
    int32_t degree;
};

// The major-scale degree at or below each semitone above the tonic.
constexpr int8_t kDegreeOfSemitone[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};

ScalePosition scalePosition(int32_t pitch, int32_t tonic) {
    const int32_t p = pitch - tonic;
    const int32_t octave = floorDivide(p, 12);
    const int32_t semitone = p - 12 * octave;  // 0-11
    return ScalePosition{octave, kDegreeOfSemitone[semitone]};
}

// Pitch classes of every signed byte, so that a mode lookup (asked for
// every note) compares table entries without a division each.
struct ByteClasses {
    int8_t of[256];
    constexpr ByteClasses() : of() {
        for (int b = 0; b < 256; ++b) of[b] = static_cast<int8_t>((b - 128 + 132) % 12);
    }
    int32_t operator()(int8_t value) const { return of[static_cast<uint8_t>(value) ^ 0x80]; }
};
constexpr ByteClasses kByteClass;

// The octave that the emission adds to notes without an absolute octave.
int32_t baseOctave(const Track *track) {
    if (!track) return kDefaultBaseOctave;
    return track->octaveAbsolute ? track->octave : track->octave + kDefaultBaseOctave;
}

}  // namespace

int32_t PitchClass(int32_t pitch) {
    if (pitch < 0) pitch += 12 * ((11 - pitch) / 12);
    return pitch < 12 ? pitch : pitch % 12;
}

namespace {

// The major mode every voice starts with, whose entry of each pitch class
// is known without a search (-1: not in the mode).
constexpr int8_t kMajorEntryOfClass[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};

// The first entry of the voice's mode in `pitchClass` (taken from the
// mode's root), or -1.
int32_t firstEntryOfClass(const VoiceState &voice, int32_t pitchClass) {
    if (voice.key.mode.last == 6 && std::memcmp(voice.key.mode.entries, kMajorScale, sizeof kMajorScale) == 0)
        return kMajorEntryOfClass[pitchClass];
    for (int32_t i = 0; i <= voice.key.mode.last && i < kMaxModeEntries; ++i)
        if (kByteClass(voice.key.mode.entries[i]) == pitchClass) return i;
    return -1;
}

}  // namespace

namespace {

// `baseOctaves` is subtracted from the pitch's octave: the octaves that the
// emission adds to a note of absolute octave.
int32_t modeIndex(const VoiceState &voice, int32_t pitch, int32_t baseOctaves) {
    const int32_t i = firstEntryOfClass(voice, PitchClass(pitch - voice.key.modeRoot));
    if (i < 0) return -1;
    const int32_t entry = voice.key.mode.entries[i] + voice.key.modeRoot;
    // Same pitch class, so the difference is whole octaves.
    const int32_t octave = (pitch - entry) / 12 - baseOctaves;
    if (voice.key.mode.step == 0) return i;
    return i + floorDivide(octave, voice.key.mode.step) * (voice.key.mode.last + 1);
}

}  // namespace

int32_t ModeIndexOfPitch(const VoiceState &voice, const Track *track, int32_t pitch) {
    return modeIndex(voice, pitch, voice.flags.octaveAbsolute ? baseOctave(track) : 0);
}

void RememberPitch(VoiceState &voice) {
    voice.lastPitch = voice.pitch;
    voice.pendingBaseOctave = voice.flags.octaveAbsolute ? baseOctave(voice.track) : 0;
    voice.pitchPending = 1;
}

void SettlePitchMemory(VoiceState &voice) {
    if (!voice.pitchPending) return;
    voice.pitchPending = 0;
    voice.lastModeIndex = modeIndex(voice, voice.lastPitch, voice.pendingBaseOctave);
    voice.lastDiatonic = DiatonicPosition(voice.lastPitch, voice.key.tonic);
}

int32_t TransposeDiatonic(int32_t pitch, int32_t tonic, int32_t steps) {
    const ScalePosition at = scalePosition(pitch, tonic);
    const int32_t degree = at.degree + steps;
    const int32_t octave = at.octave + floorDivide(degree, 7);
    return kMajorScale[degree - 7 * floorDivide(degree, 7)] + 12 * octave + tonic;
}

int32_t DiatonicPosition(int32_t pitch, int32_t tonic) {
    const ScalePosition at = scalePosition(pitch, tonic);
    return at.octave * 7 + at.degree;
}

}  // namespace vek
