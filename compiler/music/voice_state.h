// The state of one voice, copied whole for every bracketed group so that a
// group can change anything without touching its parent.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

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

// The prefix operators a group or cluster carries; they index
// VoiceState::modifiers.
enum GroupOperator : uint8_t {
    kOpVelocity, kOpOctave, kOpDuration, kOpTranspose, kOpChannel, kOpDiatonic, kOpDelay,
    kOpLength, kGroupOperators,
};

// One prefix operator: how it was written, its value and the value that a
// later use without a number repeats (ticks for duration, delay and length).
struct GroupModifier {
    int32_t value = 0;
    int32_t previous = 0;
    ModifierMode mode = kModeNone;

    // The value when the operator was written, else 0.
    int32_t given() const { return mode != kModeNone ? value : 0; }
};

// Where the voice stands (ticks).
struct VoiceTiming {
    int64_t accumulated = 0;  // running sum of note durations
    int32_t time = 0;         // where the cluster being read starts
    int32_t eventStart = 0;   // start of the event being built; sweep cursor
    int32_t step = 0;         // advance when the cluster ends
    int32_t pendingNotes = 0;
    int32_t chordDuration = 0;
    int32_t defaultDuration = 120;
    int32_t displacementUnit = 1;
};

enum GlideKind : uint8_t {
    kGlideNone,
    kGlideToTarget,  // after w or W
    kGlideRest,      // a rest: no wheel movement
};

// Chords against sequences, ties and glides.
struct HoldState {
    // A cluster's notes sound together while the mark equals the
    // reference; "~" flips the mark, "break on" the reference.
    bool mark = false, reference = false;
    bool advanceOnce = false;  // a "~" resetting the mark: the voice advances after this note
    bool tieFlag = false;
    GlideKind glide = kGlideNone;
    bool sequential = false;   // a note held for a glide
    int32_t sequentialStart = 0;
    int32_t tieLength = 0;   // ticks between the notes of a spread chord
    int32_t glideOffset = 0, lastGlideOffset = 0;

    bool notesTogether() const { return mark == reference; }
    // Every flag above zero, as in ordinary music: the six bytes read at
    // once (the note reader's plain finish asks for every note).
    bool allClear() const;
};

static_assert(offsetof(HoldState, mark) == 0 && offsetof(HoldState, reference) == 1 &&
              offsetof(HoldState, advanceOnce) == 2 && offsetof(HoldState, tieFlag) == 3 &&
              offsetof(HoldState, glide) == 4 && offsetof(HoldState, sequential) == 5);
inline bool HoldState::allClear() const {
    uint32_t low = 0;
    uint16_t high = 0;
    const auto *bytes = reinterpret_cast<const unsigned char *>(this);
    std::memcpy(&low, bytes, sizeof low);
    std::memcpy(&high, bytes + sizeof low, sizeof high);
    return (low | high) == 0;
}

enum NoteVelocity : uint8_t {
    kVelocityOfTrack,  // the track's velocity, accents and offsets
    kVelocityGiven,    // "!n" or "!=n": the number as it stands
    kVelocityAccented, // "!" alone, `accents` times
};

// What the modifiers of the note being read said; cleared after each note.
struct NoteFlags {
    NoteVelocity velocity = kVelocityOfTrack;
    uint8_t accents = 0;
    // "=" given: the note's own value replaces the group's and the track's.
    bool durationAbsolute = false, delayAbsolute = false;
    bool octaveAbsolute = false, chromaticAbsolute = false, diatonicAbsolute = false;
    bool channelGiven = false;
};

// A mode or a degree chord: semitones of its entries from the root.
struct ModeTable {
    int8_t entries[kMaxModeEntries] = {};
    int8_t step = 1;    // octaves added per wrap
    int32_t last = -1;  // index of the last entry
};

// Keys and modes: semitones of the letters A to G.
struct KeyState {
    int8_t table[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t natural[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t signature[7] = {9, 11, 0, 2, 4, 5, 7};  // as the last key signature left it
    uint8_t tonic = 0;       // pitch class of the major tonic
    uint8_t cascadeCount = 0;
    ModeTable mode{{0, 2, 4, 5, 7, 9, 11}, 1, 6};      // with the cascaded chords applied
    ModeTable baseMode{{0, 2, 4, 5, 7, 9, 11}, 1, 6};  // as named
    int32_t modeRoot = 0;    // pitch added to every mode entry
    HashEntry *chordSymbols[kMaxCascade] = {};
};

struct VoiceState {
    VoiceTiming timing;
    HoldState hold;
    int32_t stepKind = kStepLetter;

    // What the voice addresses.
    ControllerDefinition *controller = nullptr;
    Track *track = nullptr;
    SectionGroup *section = nullptr;
    const MacroSnapshot *macrosAtEntry = nullptr;  // the macro frames when the group began
    int32_t memberIndex = 0;
    uint8_t sectionMode = 0;

    // The group this voice belongs to.
    uint8_t opener = 0;      // "(" or "[" of a nested group; 0 outermost
    uint8_t groupMute = 0;   // notes take their time but are not stored
    int32_t groupShift = 0;  // the last cluster's length change, taken from notes' lengths
    GroupModifier modifiers[kGroupOperators];
    // Set when a prefix operator is read, cleared with the modes at the
    // cluster's end: while clear every modifier's mode is kModeNone, and
    // the note emitter skips them.
    uint8_t operatorsWritten = 0;

    // The note being read.
    NoteFlags flags;
    uint8_t defaultChannel = 0;
    uint8_t lastLetterChar = 0, firstLetterPitch = 60, firstLetterChar = 'c', firstOctave = 5;
    uint8_t numericPitch = 0;
    uint8_t accidental = 0;
    uint8_t letterIndex = 0;   // letter minus 'a'
    uint8_t upperCase = 0;
    int32_t letterPitch = 0;
    int32_t octave = 0;
    int32_t lastPitch = 0;
    bool lastPitchAbsolute = false;  // the last pitch was given with an absolute octave
    int32_t octaveGiven = 0;
    int32_t pitch = 0;
    // Where "m" and "t" steps count from: the last note's mode index and
    // scale position. Most pieces never ask, so they are worked out from
    // lastPitch only when asked or before the key or mode changes
    // (SettlePitchMemory); until then `pitchPending` is set.
    int32_t lastModeIndex = -1;
    int32_t lastDiatonic = 0;
    int32_t pendingBaseOctave = 0;  // the track's base octave for a note of absolute octave, else 0
    uint8_t pitchPending = 0;
    int32_t lastVelocity = 0;

    int32_t repeatCount = 0;
    int32_t groupStream = 0;   // input slot and offset where the group's text starts
    int32_t groupOffset = 0;

    KeyState key;

    GroupModifier &modifier(GroupOperator op) { return modifiers[op]; }
    const GroupModifier &modifier(GroupOperator op) const { return modifiers[op]; }
};

}  // namespace vek
