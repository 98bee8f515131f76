// The per-compile state shared by the reader, lexer, parser and evaluator.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "events/controller_definition.h"
#include "events/event.h"
#include "events/limits.h"
#include "events/track.h"
#include "input/symbol_table.h"
#include "music/macros.h"
#include "music/pitch_names.h"
#include "music/voice_state.h"
#include "statements/attachments.h"

namespace vek {

struct SongContext;

constexpr int kCacheSlots = 10;
// Big enough that a line of music, a macro body and most calls sit in one
// block: each block change costs a cache lookup and ends a name peek.
constexpr int kCacheBytes = 4096;
// Outside the byte range, so that every byte value (0xFF too) is text.
constexpr int kEndOfInput = 256;
constexpr int kNameBytes = 85;        // holds 84 characters and the NUL
constexpr int kEchoLine = 20;
constexpr int32_t kListingCap = 35000;  // bytes

constexpr int kListingSlot = 0;
constexpr int kSourceSlot = 1;

// The note being built by the note reader, handed to the note emission.
struct NoteDraft {
    int32_t start = 0;     // ticks
    int32_t channel = 0;   // channel offset
    int32_t key = 0;       // may leave 0-127 until the emission folds it
    int32_t velocity = 0;  // the raw velocity value
    int32_t duration = 0;  // ticks
};

// The note between the note reader and the emission, and what the
// emitters share about it.
struct NoteBuild {
    NoteDraft draft;
    int8_t channel = 0;        // channel offset of the note being built
    uint8_t silent = 0;        // the next note takes its time but is not stored
    uint8_t heldPending = 0;   // a note held for a glide waits to be stored
};

// Pattern and effect hooks: in progress, and the two re-entry guards.
struct HookState {
    uint8_t running[4] = {};   // note pattern, chord pattern, note effect, chord effect
    uint8_t guard[2] = {};     // chord pattern, chord effect
    uint8_t noteInBody = 0;    // the note being read began inside such a body
    uint8_t attachmentsMade = 0;  // some pattern or effect has been switched on or off
    HashEntry *element = nullptr;  // what a call of kind 8-11 starts (found by findActive)
};

struct CacheSlot {
    int stream = -1;        // input slot, -1 when empty
    int32_t start = 0;      // file offset of data[0]
    int32_t end = 0;        // offset just past the last valid byte
    uint32_t stamp = 0;     // use stamp for least-recent reuse
    uint8_t data[kCacheBytes];
};

struct IncludeReturn {
    int stream;
    int32_t offset;
};

// The reader's files and its cache of blocks. Input slot 0 is the
// listing, 1 the source, then each include file in the order it was opened;
// every file stays open to the end, as macro bodies are read back from it.
struct InputState {
    std::vector<std::FILE *> streams;
    std::vector<int32_t> filePos;  // where each file's stream pointer stands
    std::vector<std::string> names;
    int depth = 0;                 // slots in use
    int current = kSourceSlot;

    CacheSlot cache[kCacheSlots];
    int slot = 0;                  // current cache slot
    int previousSlot = 0;          // the one current before it
    const uint8_t *data = nullptr; // its bytes
    int32_t start = 0;             // its file offset
    int32_t fill = 0;              // its valid bytes
    int32_t index = 0;             // read index within it
    uint32_t useCounter = 0;

    std::vector<IncludeReturn> returns;  // one per include file being read

    int64_t charactersLeft = kMaxSourceCharacters;  // delivered before code 79
};

struct CompileState {
    // Sets every default; opens nothing.
    CompileState(const char *sourceName, SongContext &song);
    ~CompileState();
    CompileState(const CompileState &) = delete;
    CompileState &operator=(const CompileState &) = delete;

    // The compile: opens the source, registers the reserved words, parses
    // to the end and closes the files. Throws ParseError.
    void compile();
    // The first half of compile(), for tools and tests that drive the reader.
    void open();
    // Closes every input stream from the top down; the first time after
    // open() it also writes the listing (saveListing).
    void closeFiles();

    SongContext *song;
    HashTable symbols;         // every name of the compile, reserved words included
    std::string sourceName;    // ".vek" is appended when the name as given does not open

    int32_t atStatementStart = 0;
    int32_t actions = 0;       // bit 0: open the listing after the compile
    int32_t listedBytes = 0;
    // The listing, kept until the files are closed: written at the start it
    // could empty a file that is still to be read.
    std::string listing;
    uint8_t listingPending = 0;  // open() has run; the listing is still to be written
    uint8_t listingRefused = 0;  // its path is a file of the compile: not written
    // Set through setListOn and setDebugOn, which keep `quiet` in step.
    uint8_t listOn = 0;
    uint8_t debugOn = 0;
    // No listing echo, debug output, selection or extraction to keep up:
    // the reader's fast paths test this one byte. open() sets it from the song.
    uint8_t quiet = 1;
    void setListOn(uint8_t on) {
        listOn = on;
        refreshQuiet();
    }
    void setDebugOn(uint8_t on) {
        debugOn = on;
        refreshQuiet();
    }
    void refreshQuiet();

    InputState in;
    int ch = ' ';              // current character, or kEndOfInput
    char name[kNameBytes] = {};
    // Shown instead of `name` by the message being raised when set: file
    // names and reasons too long for `name`. Set just before raising.
    std::string messageName;
    int32_t nameStart = 0;
    char statementWord[kNameBytes] = {};
    int32_t number = 0;

    char echoLine[kEchoLine + 1] = {};
    int echoIndex = 0;
    uint8_t echoSuppressed = 0;  // the character after a "}" is not echoed

    VoiceState root;
    VoiceState *voice = &root;
    int32_t groupDepth = 0;
    int32_t switchTime = 0;

    const char *pitchNames = kSharpNames;
    Event programTemplate{0, 0, kProgram, 0, 0, 0};
    Event systemTemplate{0, 0, kSysexReference, 0, 0, 0};
    ControllerDefinition wheelDefinition;
    ControllerDefinition tempoDefinition;
    int32_t tempo = 10000;     // BPM x 100

    // The meter in force at the voice's time.
    MeterEntry *meter = nullptr;
    int32_t beatTicks = 120, beatsPerBar = 4, barTicks = 480;
    int32_t meterStartBar = 0, meterStartTick = 0, nextMeterTime = kNoNextTime;

    int32_t frameRate = 30;    // frames per second for SMPTE times
    uint8_t dropFrame = 0;     // 1: 29.97 drop-frame counting
    int32_t restartBar = 0;    // bar numbers in positions count from here

    NoteBuild note;
    HookState hooks;
    uint8_t relativePitch = 0;
    int8_t scale[7] = {0, 2, 4, 5, 7, 9, 11};

    TrackAttachments attachments;  // patterns and effects each track carries

    // Macro frames, the compile's random numbers and what `seed` remembers.
    MacroStack macros;
    RandomGenerator random;
    uint32_t storedSeed = 1;   // the seed "+n" and "-n" change
    uint32_t clockSeeds = 0;   // clock seeds taken so far

    // Listing position (bar, beat and ticks into the beat, zero-based).
    uint8_t listSmpte = 0;
    int32_t listTime = 0, listBar = 0, listBeat = 0, listTicks = 0;
};

}  // namespace vek
