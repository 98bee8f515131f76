// Tracks, the tempo map and the meter map: the ordered lists of a song.
#pragma once
#include <cstdint>
#include <vector>
#include <string>

#include "events/controller_definition.h"
#include "events/event.h"
#include "events/fatal_error.h"
#include "events/inlining.h"
#include "events/sorted_list.h"

namespace vek {

// Thrown when a song's event budget runs out; the parser turns it into a
// source error at the place that asked for one event too many.
struct EventLimitReached : FatalError {};

// Counts down the events one compile may store, so that no source can
// exhaust the host's memory; shared by every track of a song.
struct EventBudget {
    int64_t remaining;
    VEK_ALWAYS_INLINE void charge() {
        if (--remaining < 0) [[unlikely]] exhausted();
    }
    // Throws EventLimitReached; out of line, so that charge() stays small.
    [[noreturn]] static void exhausted();
};

struct Track {
    SortedList<Event> events;
    EventBudget *budget = nullptr;  // none: unlimited (tools and benchmarks)

    int32_t number = 0;     // order of creation; renumbered at write time
    uint8_t hasText = 0;    // holds text, wave, MCI or lyric events
    std::string name;       // empty: none
    std::string name2;      // written to the work file only
    uint8_t wrkChannel = 255;
    uint8_t wrkTranspose = 0;
    uint8_t wrkVelocity = 0;
    uint8_t port = 0;
    uint8_t channel = 0;    // added to every note's channel
    uint8_t channelSet = 0;
    int32_t velocityOffset = 64;
    int32_t crescendoAmount = 0;
    int32_t accentStep = 0;
    int32_t crescendoStart = 0;
    int32_t crescendoEnd = 480;
    int32_t velocityHigh = 127;
    int32_t velocityLow = 0;
    int32_t lengthOffset = 0;
    Event lastNote{};
    int32_t delay = 0;
    int32_t maxDuration = 65535;
    int32_t minDuration = 0;
    int32_t resolution = 120;  // ticks per quarter note: setResolution()
    int32_t trackEnd = 0;   // latest note end in ticks
    int32_t copyCursor = -1;
    int8_t octave = 0;
    int32_t octaveAbsolute = 0;
    int8_t keyHigh = 127;
    int8_t keyLow = 0;
    int8_t transpose = 0;
    int8_t diatonicShift = 0;
    uint8_t pitchReference[3] = {60, 99, 5};  // last key, letter, octave
    int32_t time = 0;       // the track's own voice time when last left
    ControllerDefinition *glideDefinition = nullptr;
    uint8_t glideSemitones = 0;
    Event held{};
    uint8_t selected = 0;   // active at the selection start
    // Nonzero while something that ordinary music leaves alone changes
    // notes; when zero the note emitter skips it all. kShapingSettings: a
    // shift, gap, transposition, key or velocity range, ramp or glide bend
    // (every writer of those fields calls refreshShaping()); kShapingScaled:
    // lengths scale by resolution / the song's division (every writer of
    // either goes through setResolution()).
    uint8_t shaping = 0;
    // Set when a system-exclusive reference is stored: only such tracks
    // need their records checked before a MIDI file is written.
    uint8_t sysexReferences = 0;

    static constexpr uint8_t kShapingSettings = 1, kShapingScaled = 2;
    void refreshShaping() {
        const bool settings = delay != 0 || lengthOffset != 0 || transpose != 0 ||
                              diatonicShift != 0 || keyLow != 0 || keyHigh != 127 ||
                              velocityLow != 0 || velocityHigh != 127 || crescendoAmount != 0 ||
                              glideSemitones != 0;
        shaping = static_cast<uint8_t>((shaping & kShapingScaled) | (settings ? kShapingSettings : 0));
    }
    // Ticks per quarter note of this track's lengths, with the song's.
    void setResolution(int32_t ticks, int32_t division) {
        resolution = ticks;
        shaping = static_cast<uint8_t>((shaping & kShapingSettings) |
                                       (ticks != division ? kShapingScaled : 0));
    }

    // Stores an event in time order, charging the song's event budget.
    // Small enough to inline at every store: the rare paths are out of line.
    VEK_ALWAYS_INLINE void insert(const Event &e) {
        if (budget) budget->charge();
        if (e.kind == kSysexReference) sysexReferences = 1;
        events.insert(e);
    }
    int32_t count() { return events.count(); }
    Event *at(int32_t index) { return events.at(index); }
    void clear() { events.clear(); }
};

struct TempoEntry {
    int32_t time;      // ticks
    int32_t reserved;  // always 0
    uint32_t tempo;    // BPM x 100
    int32_t realTime;  // ms from the start of the piece
};

struct MeterEntry {
    int32_t time;              // ticks
    int32_t measure;           // bar in which the meter starts, from 1
    uint8_t numerator;
    uint8_t denominatorPower;  // 2 is a quarter note
    int8_t key;                // sharps positive, flats negative
    int32_t ticksPerBeat;
    int32_t ticksPerBar;
};

constexpr int32_t kNoNextTime = 2147483647;

struct TempoMap {
    SortedList<TempoEntry> entries;
    int32_t chunkLength = 2;  // work-file chunk size: 2 + 18 per entry
    int32_t count = 0;

    explicit TempoMap(int32_t division);
    // Replaces an entry at the same time, ignores a repeat of the tempo in
    // force, else inserts; the real times after it are then out of date.
    void insertTempo(const TempoEntry &e);
    // The entries of one sweep, as insertTempo would take them one by one,
    // in one pass over the map from the first one's place on: a sweep
    // before later entries would otherwise move them once per entry.
    void insertTempos(const std::vector<TempoEntry> &sweep);
    // Entry in force at ticks (or at ms of real time), real time up to
    // date; null before the first.
    TempoEntry *tempoAt(int32_t ticks);
    TempoEntry *tempoAtRealTime(int32_t ms);
    // Ticks per quarter note changed (`ppq`): the real times follow.
    void setDivision(int32_t division);
    // Brings every entry's real time up to date. A sweep inserts thousands
    // of entries, often before later ones: working the times out at each
    // insertion would cost the square of their number.
    void settleRealTimes();

private:
    // Entry `from` onwards (never the first, which keeps its own) needs its
    // real time worked out again.
    void markStale(int32_t from);
    int32_t division_;
    int32_t staleFrom_ = INT32_MAX;
};

struct MeterMap {
    SortedList<MeterEntry> entries;
    int32_t chunkLength = 2;  // work-file chunk size: 2 + 12 per entry
    int32_t count = 0;

    // Replaces an entry of the same measure, ignores a repeat of the meter
    // and key in force, else inserts.
    void insertMeter(const MeterEntry &e);
    // Entry in force at ticks; *nextTime gets the following entry's time.
    MeterEntry *meterAt(int32_t ticks, int32_t *nextTime = nullptr);
    // Entry in force in bar barIndex + 1 (bars count from 1).
    MeterEntry *meterAtBar(int32_t barIndex);
};

// (a / c) * b + ((a % c) * b) / c without overflowing the product;
// 0x8FFFFFFF when c is 0. Results beyond 32 bits saturate.
int32_t scaleTime(int32_t a, int32_t b, int32_t c);
// The same for operands that may not fit 32 bits (a tick distance times 100).
int32_t scaleTimeWide(int64_t a, int64_t b, int64_t c);

}  // namespace vek
