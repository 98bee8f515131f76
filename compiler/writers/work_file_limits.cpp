// What the work file's narrow fields cannot hold, found before anything is
// written: a record keeps its time in 24 bits, a meter entry its bar number
// and its ticks a beat and a bar in 16.
#include "events/song_context.h"
#include "writers/work_file_parts.h"

namespace vek {

namespace {

constexpr int32_t kMaxRecordTime = 0xFFFFFF;  // ticks
constexpr int32_t kMaxMeterField = 0xFFFF;

bool timesFit(Track &track) {
    const int32_t count = track.count();
    for (int32_t i = 0; i < count; ++i)
        if (track.at(i)->time > kMaxRecordTime) return false;
    return true;
}

bool metersFit(MeterMap &map) {
    const int32_t count = map.entries.count();
    for (int32_t i = 0; i < count; ++i) {
        const MeterEntry &m = *map.entries.at(i);
        if (m.measure > kMaxMeterField || m.ticksPerBeat > kMaxMeterField ||
            m.ticksPerBar > kMaxMeterField)
            return false;
    }
    return true;
}

}  // namespace

bool fitsWorkFile(WorkWriter &w, const std::vector<Track *> &order) {
    bool fits = timesFit(w.song.markers) && metersFit(w.song.meterMap);
    for (Track *t : order) fits = fits && timesFit(*t);
    if (!fits) w.fail(WriteResult::overLimits);
    return fits;
}

}  // namespace vek
