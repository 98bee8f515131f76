// Work files read back by an independent reader (drumstick-dumpwrk): it
// must accept every file silently and list the tracks, tempos, meters and
// events that were written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "events/song_context.h"
#include "support/compile.h"
#include "support/scratch_dir.h"
#include "support/song_builder.h"
#include "writers/work_file.h"

namespace vek::test {
namespace {

using Lines = std::vector<std::string>;

constexpr const char *kReader = "drumstick-dumpwrk";

bool readerInstalled() {
    return std::system((std::string("command -v ") + kReader + " > /dev/null 2>&1").c_str()) == 0;
}

struct ReaderRun {
    int status;
    std::string out;
    std::string err;
};

ReaderRun runReader(const std::string &file) {
    const std::string command = std::string(kReader) + " '" + file + "' > dump.out 2> dump.err";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ScratchDir::read("dump.out"),
            ScratchDir::read("dump.err")};
}

// The listing's lines with their columns' padding collapsed.
Lines listing(const std::string &dump) {
    Lines lines;
    std::istringstream in(dump);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word, joined;
        while (words >> word) joined += (joined.empty() ? "" : " ") + word;
        lines.push_back(joined);
    }
    return lines;
}

// Lines of the listing that show what the file holds, in file order.
Lines comparable(const std::string &dump) {
    static const char *kinds[] = {" Quarter Note ",  " Tempo ",          " Time Signature ",
                                  " Key Signature ",  " Track ",          " Note ",
                                  " Program Change ", " Control Change ", " Pitch Bend ",
                                  " Channel Pressure ", " Key Pressure ", " System Exclusive ",
                                  " Text (",          " Marker ",         " Unknown Chunk "};
    Lines kept;
    for (const std::string &line : listing(dump)) {
        for (const char *k : kinds)
            if (line.find(k) != std::string::npos) {
                kept.push_back(line);
                break;
            }
    }
    return kept;
}

std::string number(int v) { return std::to_string(v); }

// The song under test and the listing lines it must produce. Events are
// added in time order, tracks in their written order.
class PeerWork {
public:
    explicit PeerWork(SongContext &song) : song_(song) {
        addDefaultMeter(song);
        tempos_ = {"0 -- -- Ticks per Quarter Note 120", "0 -- -- Tempo 100.00"};
        meter(MeterEntry{0, 1, 4, 2, 0, 120, 480}, false);
    }

    Track &track(const std::string &symbol, int32_t number, const std::string &name, bool text) {
        Track *t = addNamedTrack(song_, symbol, number);
        t->name = name;
        t->hasText = text;
        tracks_.push_back({row(0, "15 Track name1='" + name + "' name2=''"),
                           row(0, "-- Track Name " + name)});
        return *t;
    }
    void note(Track &t, int32_t time, int key, uint32_t ticks, int channel, int velocity) {
        addNote(t, time, static_cast<uint8_t>(key), ticks, static_cast<uint8_t>(channel),
                static_cast<uint8_t>(velocity));
        event(time, channel, "Note key=" + number(key) + " vel=" + number(velocity) +
                                 " dur=" + number(static_cast<int>(ticks)));
    }
    void channelEvent(Track &t, int32_t time, uint8_t kind, int channel, int d1, int d2 = 0) {
        t.insert(Event{time, static_cast<uint8_t>(channel), kind, static_cast<uint8_t>(d1),
                       static_cast<uint8_t>(d2), 0});
        const std::string text = kind == kProgram ? "Program Change " + number(d1)
                                 : kind == kChannelPressure
                                     ? "Channel Pressure " + number(d1)
                                 : kind == kController
                                     ? "Control Change ctl=" + number(d1) + " val=" + number(d2)
                                     : "Key Pressure key=" + number(d1) + " press=" + number(d2);
        event(time, channel, text);
    }
    void wheel(Track &t, int32_t time, int value, int channel) {
        t.insert(wheelEvent(time, static_cast<uint8_t>(channel), value));
        event(time, channel, "Pitch Bend " + number(value));
    }
    void sysex(Track &t, int32_t time, int record) {
        t.insert(Event{time, 0, kSysexReference, static_cast<uint8_t>(record), 0, 0});
        event(time, -1, "System Exclusive " + number(record));
    }
    void meta(Track &t, int32_t time, uint8_t type, int code, const std::string &text,
              const std::string &shown) {
        addMetaText(song_, t, time, type, text);
        event(time, -1, "Text (" + number(code) + ") " + shown);
    }
    void record(int bank, const std::string &name, const std::string &data) {
        addSysexRecord(song_, static_cast<uint8_t>(bank), name, data);
        banks_.push_back("0 -- -- System Exclusive Bank bank=" + number(bank) + " name='" + name +
                         "' auto=1 port=0");
    }
    void tempo(int32_t time, uint32_t bpm100, const std::string &shown) {
        song_.tempoMap.insertTempo(TempoEntry{time, 0, bpm100, 0});
        tempos_.push_back(number(time) + " -- -- Tempo " + shown);
    }
    void meter(const MeterEntry &m, bool store = true) {
        if (store) song_.meterMap.insertMeter(m);
        const std::string signature = "Signature bar=" + number(m.measure) + ", " +
                                      number(m.numerator) + "/" +
                                      number(1 << m.denominatorPower);
        meters_.push_back("0 -- -- Time " + signature);
        keys_.push_back("0 -- -- Time " + signature);
        keys_.push_back("0 -- -- Key Signature bar=" + number(m.measure) + ", alt=" +
                        number(m.key));
    }
    void marker(int32_t time, uint8_t type, const std::string &text) {
        addMetaText(song_, song_.markers, time, type, text);
        markers_.push_back(number(time) + " -- -- " +
                           (type == kMetaCue ? "SMPTE Marker " : "Marker ") + text);
    }

    Lines expected() const {
        Lines all = tempos_;
        for (const Lines *part : {&meters_, &keys_}) all.insert(all.end(), part->begin(), part->end());
        all.push_back("0 -- -- Unknown Chunk 17 (0x11) size=14");
        all.insert(all.end(), markers_.begin(), markers_.end());
        for (const Lines &t : tracks_) all.insert(all.end(), t.begin(), t.end());
        all.insert(all.end(), banks_.begin(), banks_.end());
        return all;
    }

private:
    // A line of the track written last; channel -1 shows as "--".
    std::string row(int32_t time, const std::string &rest) const {
        return number(time) + " " + number(static_cast<int>(tracks_.size())) + " " + rest;
    }
    void event(int32_t time, int channel, const std::string &text) {
        const std::string line = number(time) + " " + number(static_cast<int>(tracks_.size()) - 1) +
                                 " " + (channel < 0 ? "--" : number(channel)) + " " + text;
        tracks_.back().push_back(line);
    }

    SongContext &song_;
    Lines tempos_, meters_, keys_, markers_, banks_;
    std::vector<Lines> tracks_;
};

// Every kind of record in an event stream and in a text stream.
void buildFullSong(ScratchDir &dir, SongContext &song, PeerWork &p) {
    song.title = "Peers";
    song.comments = "notes";
    dir.write("hit.wav", "RIFFdata");
    p.record(0, "gs", "\xF0\x41\x10\x42\xF7");
    p.tempo(960, 14050, "140.50");
    p.meter(MeterEntry{1920, 5, 3, 3, -2, 60, 180});
    p.marker(480, kMetaMarker, "verse");
    p.marker(960, kMetaCue, "hit");
    for (bool text : {false, true}) {
        Track &t = p.track(text ? "t" : "e", text ? 7 : 3, text ? "Texts" : "Events", text);
        p.channelEvent(t, 0, kProgram, 2, 5);
        p.channelEvent(t, 10, kController, 2, 7, 100);
        p.wheel(t, 20, -8000, 2);
        p.sysex(t, 30, 0);
        p.note(t, 40, 64, 300, 2, 90);
        p.channelEvent(t, 50, kChannelPressure, 2, 40);
        p.channelEvent(t, 60, kKeyPressure, 2, 60, 30);
        if (text) {
            p.meta(t, 80, kMetaTextType, 3, "hello", "hello");
            p.meta(t, 90, kMetaLyric, 4, "la ", "la");
            p.meta(t, 100, kMetaMci, 1, "play", "play");
            p.meta(t, 110, kMetaWave, 2, "hit.wav", "RIFFdata");
        }
        p.note(t, 120, 65, 30, 15, 91);
    }
}

struct PeerCase {
    const char *name;
    void (*build)(ScratchDir &, SongContext &, PeerWork &);
};

class WorkFilePeers : public ::testing::TestWithParam<PeerCase> {};

TEST_P(WorkFilePeers, ReaderAcceptsTheFileAndSeesWhatWasWritten) {
    if (!readerInstalled()) GTEST_SKIP() << kReader << " is not installed";
    ScratchDir dir;
    SongContext song;
    PeerWork peer(song);
    if (GetParam().build) GetParam().build(dir, song, peer);
    ASSERT_EQ(writeWorkFile(song, std::fopen("song.wrk", "wb")).code, WriteResult::ok);
    const ReaderRun run = runReader("song.wrk");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(comparable(run.out), peer.expected());
}

INSTANTIATE_TEST_SUITE_P(Songs, WorkFilePeers,
                         ::testing::Values(PeerCase{"Empty", nullptr},
                                           PeerCase{"Full", buildFullSong}),
                         [](const auto &info) { return std::string(info.param.name); });

// A compiled piece: the listing must show its tracks and notes.
TEST(WorkFilePeersCompile, CompiledPieceIsReadSilently) {
    if (!readerInstalled()) GTEST_SKIP() << kReader << " is not installed";
    ScratchDir dir;
    CompileOptions o;
    o.format = "wrk";
    const auto r = compileText("title [Duo] tempo =90 track a C D \"la\" E track b E\n", o);
    ASSERT_FALSE(r.failed()) << r.message();
    dir.write("song2.wrk", r.output);
    const ReaderRun run = runReader("song2.wrk");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const Lines lines = comparable(run.out);
    const Lines expected = {"0 -- -- Ticks per Quarter Note 120",
                            "0 -- -- Tempo 90.00",
                            "0 -- -- Time Signature bar=1, 4/4",
                            "0 -- -- Time Signature bar=1, 4/4",
                            "0 -- -- Key Signature bar=1, alt=0",
                            "0 -- -- Unknown Chunk 17 (0x11) size=14",
                            "0 0 15 Track name1='a' name2=''",
                            "0 0 -- Track Name a",
                            "0 0 0 Note key=60 vel=64 dur=120",
                            "120 0 0 Note key=62 vel=64 dur=120",
                            "240 0 -- Text (4) la",
                            "240 0 0 Note key=64 vel=64 dur=120",
                            "0 1 15 Track name1='b' name2=''",
                            "0 1 -- Track Name b",
                            "0 1 0 Note key=64 vel=64 dur=120"};
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vek::test
