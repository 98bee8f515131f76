#include "support/song_builder.h"

#include "support/scratch_dir.h"
#include "writers/midi_writer.h"

namespace vek::test {

void addDefaultMeter(SongContext &song) {
    song.meterMap.insertMeter(MeterEntry{0, 1, 4, 2, 0, 120, 480});
}

Track *addNamedTrack(SongContext &song, const std::string & /*name*/, int32_t number) {
    Track *track = song.newTrack();
    track->number = number;
    song.namedTracks.emplace_back(track);
    return track;
}

Track *defaultTrack(SongContext &song) {
    if (!song.defaultTrack) {
        song.defaultTrackStorage.reset(song.newTrack());
        song.defaultTrack = song.defaultTrackStorage.get();
    }
    return song.defaultTrack;
}

void addNote(Track &track, int32_t time, uint8_t key, uint32_t ticks, uint8_t channel,
             uint8_t velocity) {
    track.insert(Event{time, channel, kNote, key, velocity, ticks});
}

void addController(Track &track, int32_t time, uint8_t number, uint8_t value, uint8_t channel) {
    track.insert(Event{time, channel, kController, number, value, 0});
}

void addMetaText(SongContext &song, Track &track, int32_t time, uint8_t type,
                 const std::string &text) {
    track.insert(Event{time, type, kMetaText, 0, 0, song.storeText(text)});
}

void addSysexRecord(SongContext &song, uint8_t number, const std::string &name,
                    const std::string &data) {
    const size_t body = data.size() + name.size() + 5;
    std::string record;
    record += '\x06';
    record += static_cast<char>(body & 0xFF);
    record += static_cast<char>((body >> 8) & 0xFF);
    record += std::string(2, '\0');
    record += static_cast<char>(number);
    record += static_cast<char>(data.size() & 0xFF);
    record += static_cast<char>((data.size() >> 8) & 0xFF);
    record += '\x01';  // send flag
    record += static_cast<char>(name.size());
    record += name + data;
    song.sysexRecords += record;
}

std::string writeSong(SongContext &song, const std::string &path, WriteResult *result) {
    const WriteResult written = writeMidiFile(song, std::fopen(path.c_str(), "wb"));
    if (result) *result = written;
    return ScratchDir::read(path);
}

}  // namespace vek::test
