// Compiling only a selection: the selected stretch of the piece moves to
// the start of a new time line, keeping its place within its bar, and the
// program, bank, controller, pressure and wheel state that the skipped
// music leaves behind is sent again before it.
#pragma once
#include <cstdint>

namespace vek {

struct SongContext;
struct Track;

// The ticks kept and where they go.
struct Stretch {
    int32_t first;   // first tick kept
    int32_t last;    // last tick kept, inclusive
    int32_t offset;  // lead-in ticks placed before the stretch

    // The new time of `ticks`, when it lies in the stretch and the moved
    // time still fits the time line.
    bool moves(int32_t ticks, int32_t &moved) const;
    // The new time of `ticks` held to the stretch: an earlier time goes to
    // its start, a later one to its end.
    int32_t place(int32_t ticks) const;
};

// Rebuilds the maps, every track and the markers for the song's selection
// (selectionStartTime to selectionEndTime). Call it only when the song's
// selectionFlag is set. Returns the stretch the events moved by.
Stretch extractRange(SongContext &song);

// The meter map for the stretch from `first` to `last` (ticks); returns the
// lead-in offset in ticks: the start's distance into its bar, or one whole
// bar when the start lies on a bar line.
int32_t rebaseMeterMap(SongContext &song, int32_t first, int32_t last);
// The tempo map for the stretch: 240.00 BPM through the lead-in, then the
// tempo in force at the start.
void rebaseTempoMap(SongContext &song, const Stretch &stretch);
// Keeps the track's events in the stretch, moved, and puts the state of
// the skipped part in front of them from tick 0.
void rebaseTrack(Track &track, const Stretch &stretch);

}  // namespace vek
