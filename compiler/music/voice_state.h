// The state of one voice, copied whole for every bracketed group so that a
// group can change anything without touching its parent.
#pragma once
#include <cstdint>

namespace vek {

struct Track;
struct SectionGroup;
struct ControllerDefinition;
struct HashEntry;
struct MacroSnapshot;

constexpr int kMaxModeEntries = 32;
constexpr int kMaxCascade = 10;

// Modes of the prefix operators and note flags.
enum ModifierMode : uint8_t {
    kModeNone = 0,
    kModeReuse = 1,     // no number: reuse the previous value (or one accent)
    kModeRelative = 2,
    kModeAbsolute = 3,
};

// Step kinds of a note: what advanced the voice.
enum StepKind : int32_t {
    kStepLetter = 0, kStepHalfTones = 1, kStepScale = 2, kStepMode = 3,
    kStepGlideOnly = 4, kStepRest = 5,
};

struct VoiceState {
    // Time (ticks).
    int32_t time = 0;        // where the cluster being read starts
    int32_t eventStart = 0;  // start of the event being built; sweep cursor
    int32_t step = 0;        // advance when the cluster ends
    int32_t pendingNotes = 0;
    int32_t chordDuration = 0;
    int32_t defaultDuration = 120;
    int32_t displacementUnit = 1;
    int64_t accumulated = 0;  // running sum of note durations (ticks)

    // Sequence and chord handling.
    uint8_t holdMark = 0, holdReference = 0, advanceOnce = 0;
    int32_t sequential = 0, sequentialStart = 0;  // a note held for a glide
    int32_t stepKind = kStepLetter;
    uint8_t tieFlag = 0;
    int32_t tieLength = 0;   // ticks between the notes of a spread chord

    // What the voice addresses.
    ControllerDefinition *controller = nullptr;
    Track *track = nullptr;
    SectionGroup *section = nullptr;
    uint8_t sectionMode = 0;
    int32_t memberIndex = 0;

    // Prefix operators: mode, current and previous value each.
    uint8_t groupVelocityMode = 0;    int32_t groupVelocity = 0, previousVelocity = 0;
    uint8_t groupOctaveMode = 0;      int32_t groupOctave = 0;
    uint8_t altDurationMode = 0;      int32_t altDuration = 0, previousDuration = 0;
    uint8_t groupTransposeMode = 0;   int32_t groupTranspose = 0, previousTranspose = 0;
    uint8_t groupChannelMode = 0;     int32_t groupChannel = 0, previousChannel = 0;
    uint8_t groupDiatonicMode = 0;    int32_t groupDiatonicShift = 0, previousDiatonic = 0;
    uint8_t groupDelayMode = 0;       int32_t groupDelay = 0, previousDelay = 0;
    uint8_t groupLengthMode = 0;      int32_t groupLength = 0, previousLength = 0;
    int32_t groupShift = 0;  // the last cluster's length change, taken from notes' lengths
    uint8_t groupMute = 0;   // notes take their time but are not stored

    // The note being read.
    uint8_t defaultChannel = 0;
    int32_t letterPitch = 0;
    int32_t octave = 0;
    int32_t lastPitch = 0, lastPitchAbsolute = 0;
    int32_t octaveGiven = 0;
    uint8_t lastLetterChar = 0, firstLetterPitch = 60, firstLetterChar = 'c', firstOctave = 5;
    int32_t pitch = 0;
    int32_t lastModeIndex = -1;
    int32_t lastDiatonic = 0;
    uint8_t velocityMode = 0;  // 0 none, 1 absolute, 2 and more: accent level
    uint8_t durationAbsolute = 0, delayAbsolute = 0;
    uint8_t octaveMode = 0, chromaticMode = 0, diatonicMode = 0;
    uint8_t channelGiven = 0;
    int32_t lastVelocity = 0;
    uint8_t numericPitch = 0;
    int32_t glide = 0;         // 1 after w/W, 2 for a rest
    uint8_t accidental = 0;
    uint8_t letterIndex = 0;   // letter minus 'a'
    uint8_t upperCase = 0;
    int32_t glideOffset = 0, lastGlideOffset = 0;

    // Keys and modes: semitones of the letters A to G.
    int8_t keyTable[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t naturalTable[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t keyCopy[7] = {9, 11, 0, 2, 4, 5, 7};  // as the last key signature left it
    uint8_t tonic = 0;         // pitch class of the major tonic
    int8_t modeTable[kMaxModeEntries] = {0, 2, 4, 5, 7, 9, 11};
    int8_t modeStep = 1;
    int32_t modeLast = 6;
    int8_t baseModeTable[kMaxModeEntries] = {0, 2, 4, 5, 7, 9, 11};
    int8_t baseModeStep = 1;
    int32_t baseModeLast = 6;
    int32_t modeRoot = 0;      // pitch added to every mode entry
    HashEntry *chordSymbols[kMaxCascade] = {};
    uint8_t cascadeCount = 0;

    // The group this voice belongs to.
    uint8_t opener = 0;        // "(" or "[" of a nested group; 0 outermost
    int32_t repeatCount = 0;
    int32_t groupStream = 0;   // input slot and offset where the group's text starts
    int32_t groupOffset = 0;
    const MacroSnapshot *macrosAtEntry = nullptr;  // the macro frames when the group began
};

}  // namespace vek
