// The state of one voice, copied whole for every bracketed group.
#pragma once
#include <cstdint>

namespace vek {

struct Track;
struct SectionGroup;
struct ControllerDefinition;

constexpr int kMaxModeEntries = 32;

struct VoiceState {
    int32_t time = 0;        // ticks
    int32_t eventStart = 0;  // start of the event being built
    int32_t step = 0;        // advance when the current cluster ends
    int32_t pendingNotes = 0;
    uint8_t holdMark = 0, holdReference = 0;
    Track *track = nullptr;
    SectionGroup *section = nullptr;
    uint8_t sectionMode = 0;
    int32_t memberIndex = 0;
    ControllerDefinition *controller = nullptr;
    int32_t defaultDuration = 120;  // ticks
    int32_t displacementUnit = 1;   // ticks
    // Semitones of the letters A to G: keyTable applies the key signature
    // and accidentals, keyCopy restores it at bar lines.
    int8_t keyTable[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t naturalTable[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t keyCopy[7] = {9, 11, 0, 2, 4, 5, 7};
    int8_t modeTable[kMaxModeEntries] = {0, 2, 4, 5, 7, 9, 11};
    int8_t baseModeTable[kMaxModeEntries] = {0, 2, 4, 5, 7, 9, 11};
    uint8_t modeLast = 6, baseModeLast = 6;
    uint8_t opener = 0;      // "(" or "[" of a nested group; 0 outermost
    int32_t repeatCount = 0;
    int32_t groupStream = 0; // input slot and offset where the group's text starts
    int32_t groupOffset = 0;
};

}  // namespace vek
