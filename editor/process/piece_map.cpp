#include "process/piece_map.h"

#include <algorithm>

namespace vek::editor {

namespace {

PieceMap &mapOf(void *context) { return *static_cast<PieceMap *>(context); }

}  // namespace

int PieceMap::endTick() const {
    int end = 0;
    for (const VekMappedNote &n : notes)
        end = std::max(end, n.start + n.length);
    return end;
}

QVector<int> PieceMap::soundingAt(int tick) const {
    QVector<int> found;
    for (int i = 0; i < notes.size(); ++i) {
        const VekMappedNote &n = notes[i];
        if (n.file == kSourceFileIndex && n.start <= tick && tick < n.start + n.length)
            found.append(i);
    }
    return found;
}

QVector<QPair<int, int>> PieceMap::barLines(int endTick) const {
    QVector<QPair<int, int>> lines;
    const int quarter = std::max(division, 1);
    MeterPoint meter{0, 1, 4, 4};
    int index = 0;
    for (int tick = 0, bar = 1; tick <= endTick && lines.size() < 100000;) {
        while (index < meters.size() && meters[index].tick <= tick)
            meter = meters[index++];
        lines.append({tick, bar});
        const int barTicks = std::max(1, quarter * 4 * meter.numerator / std::max(meter.denominator, 1));
        const int next = index < meters.size() ? std::min(tick + barTicks, meters[index].tick) : tick + barTicks;
        bar = next == tick + barTicks ? bar + 1 : meters[index].bar;
        tick = next;
    }
    return lines;
}

double PieceMap::millisecondsAt(int tick) const {
    double ms = 0, bpm = 120;
    int from = 0;
    for (const TempoPoint &t : tempos) {
        if (t.tick >= tick)
            break;
        ms += (t.tick - from) * 60000.0 / (bpm * std::max(division, 1));
        from = t.tick;
        bpm = t.bpm;
    }
    return ms + (tick - from) * 60000.0 / (bpm * std::max(division, 1));
}

VekEventMap PieceMap::binding() {
    VekEventMap map{};
    map.context = this;
    map.onTrack = [](void *c, int32_t, const char *name) { mapOf(c).trackNames.append(QString::fromUtf8(name)); };
    map.onTempo = [](void *c, int32_t tick, uint32_t bpm100) { mapOf(c).tempos.append({tick, bpm100 / 100.0}); };
    map.onMeter = [](void *c, int32_t tick, int32_t bar, int32_t numerator, int32_t power) {
        mapOf(c).meters.append({tick, bar, numerator, 1 << std::clamp(power, 0, 6)});
    };
    map.onNote = [](void *c, const VekMappedNote *note) { mapOf(c).notes.append(*note); };
    return map;
}

}  // namespace vek::editor
