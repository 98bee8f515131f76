#include "import/bar_map.h"

namespace vek::import {

BarMap::BarMap(int ppq, std::vector<MeterChange> &meters) {
    if (meters.empty() || meters.front().tick != 0) meters.insert(meters.begin(), MeterChange{});
    std::vector<MeterChange> kept;
    for (MeterChange m : meters) {
        const uint32_t beat = static_cast<uint32_t>(ppq * 4 / m.denominator);
        if (!segments_.empty()) {
            const Segment &s = segments_.back();
            const uint32_t bars = (m.tick - s.start + s.barTicks - 1) / s.barTicks;
            m.tick = s.start + bars * s.barTicks;
            if (m.tick == s.start) {
                segments_.pop_back();
                kept.pop_back();
            }
        }
        const int first = segments_.empty()
                              ? 1
                              : segments_.back().firstBar +
                                    static_cast<int>((m.tick - segments_.back().start) / segments_.back().barTicks);
        segments_.push_back({m.tick, first, beat * static_cast<uint32_t>(m.numerator), beat});
        kept.push_back(m);
    }
    meters = kept;
}

Bar BarMap::make(size_t i, int number) const {
    const Segment &s = segments_[i];
    return {number, s.start + static_cast<uint32_t>(number - s.firstBar) * s.barTicks, s.barTicks,
            s.beatTicks, static_cast<int>(i)};
}

Bar BarMap::barAt(uint32_t tick) const {
    size_t i = segments_.size() - 1;
    while (segments_[i].start > tick) --i;
    return make(i, segments_[i].firstBar + static_cast<int>((tick - segments_[i].start) / segments_[i].barTicks));
}

Bar BarMap::bar(int number) const {
    size_t i = segments_.size() - 1;
    while (segments_[i].firstBar > number) --i;
    return make(i, number);
}

}  // namespace vek::import
