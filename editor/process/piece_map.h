// The last compiled piece as the library's event map tells it: notes with
// the byte offsets of their text, track names, and the tempo and meter
// maps that turn ticks into time and bars.
#pragma once

#include "vek/vekmain.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace vek::editor {

struct TempoPoint {
    int tick;
    double bpm;
};

struct MeterPoint {
    int tick;
    int bar;          // from 1
    int numerator;
    int denominator;  // 4: quarter notes
};

struct PieceMap {
    int division = 120;  // ticks per quarter note
    QVector<VekMappedNote> notes;
    QStringList trackNames;  // index 0 is track 1
    QVector<TempoPoint> tempos;
    QVector<MeterPoint> meters;

    bool isEmpty() const { return notes.isEmpty(); }
    int trackCount() const { return int(trackNames.size()); }
    int endTick() const;
    // Notes of the compiled source (file 1) sounding at `tick`.
    QVector<int> soundingAt(int tick) const;
    // Bar lines up to `endTick`: tick and bar number.
    QVector<QPair<int, int>> barLines(int endTick) const;
    // Milliseconds from the start to `tick` along the tempo map.
    double millisecondsAt(int tick) const;

    // The functions the library calls with this map as context.
    VekEventMap binding();
};

// The file index of the compiled source in the map: slot 0 is the
// listing, 1 the source.
inline constexpr int kSourceFileIndex = 1;

}  // namespace vek::editor
