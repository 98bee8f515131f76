// Written files read back by two independent MIDI file readers (midicsv and
// drumstick-dumpsmf): they must accept them silently and see the events
// that were written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "events/song_context.h"
#include "support/scratch_dir.h"
#include "support/song_builder.h"

namespace vek::test {
namespace {

using Lines = std::vector<std::string>;

bool toolInstalled(const std::string &tool) {
    return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun runTool(const std::string &tool, const std::string &file) {
    const std::string command = tool + " '" + file + "' > tool.out 2> tool.err";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ScratchDir::read("tool.out"),
            ScratchDir::read("tool.err")};
}

// The song under test and the midicsv lines its events must produce.
// midicsv numbers the header 0 and the conductor track 1.
class PeerSong {
public:
    // Every song starts at 100.00 BPM in 4/4.
    explicit PeerSong(SongContext &song) : song_(song) {
        addDefaultMeter(song);
        expect(1, 0, "Tempo", {600000});
        expect(1, 0, "Time_signature", {4, 2, 24, 8});
    }

    void note(Track &t, int chunk, int32_t time, uint8_t key, uint32_t ticks, uint8_t channel,
              uint8_t velocity) {
        addNote(t, time, key, ticks, channel, velocity);
        expect(chunk, time, "Note_on_c", {channel, key, velocity});
        expect(chunk, time + static_cast<int32_t>(ticks), "Note_on_c", {channel, key, 0});
    }
    void controller(Track &t, int chunk, int32_t time, uint8_t number, uint8_t value,
                    uint8_t channel) {
        addController(t, time, number, value, channel);
        expect(chunk, time, "Control_c", {channel, number, value});
    }
    void wheel(Track &t, int chunk, int32_t time, int32_t value, uint8_t channel) {
        t.insert(wheelEvent(time, channel, value));
        expect(chunk, time, "Pitch_bend_c", {channel, std::clamp(value, -8192, 8191) + 8192});
    }
    void channelEvent(Track &t, int chunk, int32_t time, uint8_t kind, uint8_t channel, int d1,
                      int d2 = -1) {
        t.insert(Event{time, channel, kind, static_cast<uint8_t>(d1),
                       static_cast<uint8_t>(d2 < 0 ? 0 : d2), 0});
        const char *type = kind == kProgram         ? "Program_c"
                           : kind == kChannelPressure ? "Channel_aftertouch_c"
                                                      : "Poly_aftertouch_c";
        if (d2 < 0) expect(chunk, time, type, {channel, d1});
        else expect(chunk, time, type, {channel, d1, d2});
    }
    void tempo(int32_t time, uint32_t bpm100, int32_t microseconds) {
        song_.tempoMap.insertTempo(TempoEntry{time, 0, bpm100, 0});
        expect(1, time, "Tempo", {microseconds});
    }
    void meter(const MeterEntry &m) {
        song_.meterMap.insertMeter(m);
        expect(1, m.time, "Time_signature",
               {m.numerator, m.denominatorPower, 96 >> m.denominatorPower, 8});
    }
    void marker(int32_t time, uint8_t type, const std::string &text) {
        addMetaText(song_, song_.markers, time, type, text);
        lines_.push_back("1, " + std::to_string(time) +
                         (type == kMetaMarker ? ", Marker_t, \"" : ", Cue_point_t, \"") + text +
                         "\"");
    }
    void sysex(Track &t, int chunk, int32_t time, uint8_t record, const std::vector<int> &data) {
        t.insert(Event{time, 0, kSysexReference, record, 0, 0});
        std::vector<int> fields{static_cast<int>(data.size()) - 1};
        fields.insert(fields.end(), data.begin() + 1, data.end());
        expect(chunk, time, "System_exclusive", fields);
    }

    // The midicsv lines of the kinds this class records, sorted: events of
    // one tick may legitimately come in another order.
    static Lines comparable(const std::string &csv) {
        static const char *kinds[] = {"Note_on_c", "Note_off_c", "Control_c", "Pitch_bend_c",
                                      "Program_c", "Channel_aftertouch_c", "Poly_aftertouch_c",
                                      "Tempo", "Time_signature", "Marker_t", "Cue_point_t",
                                      "System_exclusive"};
        Lines lines;
        std::istringstream in(csv);
        for (std::string line; std::getline(in, line);) {
            for (const char *k : kinds)
                if (line.find(std::string(", ") + k + ",") != std::string::npos)
                    lines.push_back(line);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    Lines expected() const {
        Lines sorted = lines_;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

private:
    void expect(int chunk, int32_t time, const char *type, const std::vector<int> &fields) {
        std::string line = std::to_string(chunk) + ", " + std::to_string(time) + ", " + type;
        for (int f : fields) line += ", " + std::to_string(f);
        lines_.push_back(line);
    }

    SongContext &song_;
    Lines lines_;
};

// Two songs: one with nothing in it, and one with every kind of event.
void buildFullSong(SongContext &song, PeerSong &p) {
    song.copyright = "(c) Vek";
    song.title = "Peers";
    song.comments = std::string(300, 'c');
    addSysexRecord(song, 0, "gs", {'\xF0', '\x41', '\x10', '\x42', '\xF7'});

    Track *piano = addNamedTrack(song, "piano", 1);
    Track *bass = addNamedTrack(song, "bass", 2);
    Track *drums = addNamedTrack(song, "drums", 4);
    piano->name = "Piano";
    bass->port = 1;
    p.channelEvent(*piano, 2, 0, kProgram, 0, 5);
    p.controller(*piano, 2, 0, 7, 100, 0);
    addMetaText(song, *piano, 0, kMetaLyric, "la");
    for (int bar = 0; bar < 8; ++bar) {
        const int32_t t = bar * 480;
        for (int key : {60, 64, 67})
            p.note(*piano, 2, t, static_cast<uint8_t>(key + bar), 480, 0, 90);
        p.note(*bass, 3, t, 36, 240, 1, 100);
        p.note(*bass, 3, t + 120, 43, 480, 1, 80);  // overlaps the next bar
        for (int beat = 0; beat < 4; ++beat) p.note(*drums, 4, t + beat * 120, 42, 60, 9, 70);
    }
    for (int32_t t = 0; t <= 240; t += 10) p.wheel(*piano, 2, t, (t - 120) * 70, 0);
    p.wheel(*piano, 2, 250, 8192, 0);
    p.controller(*bass, 3, 10, 10, 30, 1);
    p.channelEvent(*bass, 3, 20, kChannelPressure, 1, 50);
    p.channelEvent(*bass, 3, 30, kKeyPressure, 1, 36, 60);
    p.sysex(*drums, 4, 0, 0, {0xF0, 0x41, 0x10, 0x42, 0xF7});
    p.tempo(960, 14000, 428571);
    p.meter(MeterEntry{1920, 5, 3, 2, -2, 120, 360});
    p.marker(960, kMetaMarker, "Chorus");
    p.marker(480, kMetaCue, "cue");
}

class PeersTest : public ::testing::TestWithParam<bool> {};

TEST_P(PeersTest, ReadersAcceptTheFileAndSeeItsEvents) {
    const bool installed = toolInstalled("midicsv") && toolInstalled("drumstick-dumpsmf");
    if (!installed) GTEST_SKIP() << "midicsv or drumstick-dumpsmf is not installed";
    ScratchDir dir;
    SongContext song;
    PeerSong peer(song);
    if (GetParam()) buildFullSong(song, peer);
    WriteResult result = WriteResult::ioError;
    writeSong(song, "song.mid", &result);
    ASSERT_EQ(result, WriteResult::ok);

    const ToolRun csv = runTool("midicsv", "song.mid");
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.err, "");
    EXPECT_EQ(csv.out.find("Unknown"), std::string::npos) << csv.out;
    EXPECT_EQ(PeerSong::comparable(csv.out), peer.expected());

    const ToolRun dump = runTool("drumstick-dumpsmf", "song.mid");
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.err, "");
    EXPECT_NE(dump.out.find("Format=1, Tracks=" + std::string(GetParam() ? "4" : "1")),
              std::string::npos)
        << dump.out;
}

INSTANTIATE_TEST_SUITE_P(Songs, PeersTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Full" : "Empty"; });

}  // namespace
}  // namespace vek::test
