// The order and numbering in which the writers put tracks into a file.
#pragma once
#include <vector>

namespace vek {

struct SongContext;
struct Track;

// The tracks that hold events, in file order: the default track, then
// named tracks by ascending number. Written named tracks are renumbered
// without gaps, following the default track when it is written.
std::vector<Track *> tracksInWriteOrder(SongContext &song);

}  // namespace vek
