// The event listing: per stored event the source fragment that made it,
// channel, position, what the event is and the track it went to.
#include "input/listing.h"

#include <cstdio>
#include <cstring>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "events/track.h"
#include "input/files_read.h"
#include "input/reader.h"
#include "music/numbers.h"
#include "platform/native_path.h"

namespace vek {

namespace {

// The meter that positions at some tick are counted in.
struct ListMeter {
    int32_t start;       // ticks
    int32_t startBar;    // zero-based bar index at `start`
    int32_t beatTicks;
    int32_t beatsPerBar;
};

int32_t atLeastOne(int32_t n) { return n > 0 ? n : 1; }

// Taken from the meter map at the event's own time, so that an event
// before or after the meter in force at the voice is still counted right.
ListMeter meterFor(CompileState &cs, int32_t ticks) {
    if (const MeterEntry *m = cs.song->meterMap.meterAt(ticks))
        return {m->time, m->measure - 1, atLeastOne(m->ticksPerBeat), atLeastOne(m->numerator)};
    return {cs.meterStartTick, cs.meterStartBar, atLeastOne(cs.beatTicks), atLeastOne(cs.beatsPerBar)};
}

// Carries the ticks since the last listed event into beats and bars;
// restarts from the meter's start when time went back or the meter changed.
void updatePosition(CompileState &cs, int32_t ticks) {
    const ListMeter m = meterFor(cs, ticks);
    if (cs.listTime > ticks || cs.listTime < m.start) {
        cs.listTime = m.start;
        cs.listBar = m.startBar;
        cs.listBeat = 0;
        cs.listTicks = 0;
    }
    const int64_t inBeat = int64_t{cs.listTicks} + ticks - cs.listTime;
    const int64_t beats = cs.listBeat + inBeat / m.beatTicks;
    cs.listTicks = static_cast<int32_t>(inBeat % m.beatTicks);
    cs.listBar += static_cast<int32_t>(beats / m.beatsPerBar);
    cs.listBeat = static_cast<int32_t>(beats % m.beatsPerBar);
    cs.listTime = ticks;
}

// The source echo, padded to its full width with blanks.
void listEcho(CompileState &cs) {
    char line[kEchoLine + 1];
    int n = cs.echoIndex < 0 ? 0 : (cs.echoIndex > kEchoLine ? kEchoLine : cs.echoIndex);
    std::memcpy(line, cs.echoLine, static_cast<size_t>(n));
    std::memset(line + n, ' ', static_cast<size_t>(kEchoLine - n));
    line[kEchoLine] = '\0';
    listPrintf(cs, "%s", line);
}

void listChannel(CompileState &cs, const Event &e) {
    if (e.kind == kSysexReference)
        listPrintf(cs, "    ");
    else
        listPrintf(cs, "C%2i ", e.channel + 1);
}

SmpteTime smptePosition(CompileState &cs, int32_t ticks) {
    const bool drop = cs.dropFrame != 0;
    SmpteTime t = SmpteFromTicks(cs, ticks, drop);
    if (cs.song->frameOffset == 0) return t;
    const int64_t frames = int64_t{FramesFromSmpte(cs, t, drop)} + cs.song->frameOffset;
    return SmpteFromFrames(cs, frames < 0 ? 0 : static_cast<int32_t>(frames), drop);
}

void listPosition(CompileState &cs, int32_t ticks) {
    if (cs.listSmpte) {
        const SmpteTime t = smptePosition(cs, ticks);
        listPrintf(cs, " %02ld;%02ld;%02ld;%02ld ", long{t.hours}, long{t.minutes}, long{t.seconds},
                   long{t.frames});
    } else {
        listPrintf(cs, " %5ld:%02ld:%03ld ", long{cs.listBar} + 1, long{cs.listBeat} + 1,
                   long{cs.listTicks});
    }
}

// The two letters of a key's pitch name.
const char *pitchName(const CompileState &cs, int key) { return cs.pitchNames + 2 * (key % 12); }

void listWhat(CompileState &cs, const Event &e) {
    const int key = e.data1 & 0x7F;
    const char *name = pitchName(cs, key);
    switch (e.kind) {
    case kTempoEvent: listPrintf(cs, " Tempo %3i.%2.2i ", cs.tempo / 100, cs.tempo % 100); break;
    case kNote:
        listPrintf(cs, "Note %3i %c%c%2i V%3i D%5i", key, name[0], name[1], key / 12, e.data2,
                   static_cast<int>(e.extra));
        break;
    case kKeyPressure:
        listPrintf(cs, "KeyAft  P%3i %c%c%2i V%3i ", key, name[0], name[1], key / 12, e.data2);
        break;
    case kController: listPrintf(cs, "Cntrl  N%3i V%3i ", e.data1, e.data2); break;
    case kProgram: listPrintf(cs, "Patch   V%3i ", e.data1); break;
    case kChannelPressure: listPrintf(cs, "ChnAft  V%3i      ", e.data1); break;
    case kPitchWheel: listPrintf(cs, "Wheel   V%5i ", (e.data2 - 64) * 128 + e.data1); break;
    case kSysexReference: listPrintf(cs, " Sysx   N%3i ", e.data1); break;
    default: break;
    }
}

void listTrack(CompileState &cs, const Track *track) {
    if (track && !track->name.empty())
        listPrintf(cs, " %s", track->name.c_str());
    else
        listPrintf(cs, " NoName");
}

}  // namespace

void listEvent(CompileState &cs, const Event &e, const Track *track) {
    if (!cs.listOn) return;
    if (cs.listedBytes > kListingCap) {
        cs.setListOn(0);
        return;
    }
    updatePosition(cs, e.time);
    listEcho(cs);
    listChannel(cs, e);
    listPosition(cs, e.time);
    listWhat(cs, e);
    if (e.kind != kTempoEvent) listTrack(cs, track);
    listPrintf(cs, "\n");
    cs.echoIndex = 0;
    cs.echoLine[0] = '\0';
}

void restartListPosition(CompileState &cs) {
    cs.listTime = cs.meterStartTick;
    cs.listBar = cs.meterStartBar;
    cs.listBeat = 0;
    cs.listTicks = 0;
}

bool saveListing(const CompileState &cs) {
    const SongContext &song = *cs.song;
    if (readByCompile(song, song.listingPath)) return false;
    if (std::FILE *f = openNative(song.listingPath, "w")) {
        std::fwrite(cs.listing.data(), 1, cs.listing.size(), f);
        std::fclose(f);
    }
    return true;
}

}  // namespace vek
