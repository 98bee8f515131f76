#include "support/song_events.h"

#include <map>
#include <sstream>
#include <tuple>

#include "support/smf_reader.h"

namespace vek::test {

namespace {

struct Line {
    int64_t tick;
    int status;
    std::vector<int> data;
    int meta = -1;
    std::string text;
};

Line parseLine(const std::string &s) {
    std::istringstream in(s);
    Line l{};
    std::string word;
    in >> l.tick >> word;
    if (word == "FF") {
        in >> word;
        l.meta = std::stoi(word, nullptr, 16);
        std::string rest;
        std::getline(in, rest);
        const auto q = rest.find('"');
        if (q != std::string::npos) {
            l.text = rest.substr(q + 1, rest.rfind('"') - q - 1);
        } else {
            std::istringstream hex(rest);
            while (hex >> word) l.data.push_back(std::stoi(word, nullptr, 16));
        }
        return l;
    }
    if (word.front() == '(') word = word.substr(1, 2);
    l.status = std::stoi(word, nullptr, 16);
    while (in >> word) l.data.push_back(std::stoi(word, nullptr, 16));
    return l;
}

const char *metaKind(int type) {
    switch (type) {
    case 1: return "text";
    case 2: return "copyright";
    case 3: return "name";
    case 5: return "lyric";
    case 6: return "marker";
    case 7: return "cue";
    default: return "meta";
    }
}

class Builder {
public:
    void track(int index) {
        track_ = index;
        open_.clear();
    }
    void add(const Line &l) {
        if (l.meta >= 0) return meta(l);
        if (l.status == 0xF0 || l.status == 0xF7) return push("sysex", l.tick, 0, 0, 0);
        const int kind = l.status >> 4, ch = (l.status & 15) + 1;
        const int d1 = l.data.empty() ? 0 : l.data[0];
        const int d2 = l.data.size() > 1 ? l.data[1] : 0;
        switch (kind) {
        case 9:
            if (d2 > 0) return noteOn(l.tick, ch, d1, d2);
            [[fallthrough]];
        case 8: return noteOff(l.tick, ch, d1);
        case 10: return push("keypressure", l.tick, ch, d1, d2);
        case 11: return push("control", l.tick, ch, d1, d2);
        case 12: return push("program", l.tick, ch, d1, 0);
        case 13: return push("pressure", l.tick, ch, d1, 0);
        case 14: return push("wheel", l.tick, ch, (d2 << 7 | d1) - 8192, 0);
        }
    }
    std::vector<SongEvent> events;

private:
    void meta(const Line &l) {
        if (l.meta == 0x51 && l.data.size() == 3) {
            const int64_t us = l.data[0] << 16 | l.data[1] << 8 | l.data[2];
            return push("tempo", l.tick, 0, static_cast<int>(6000000000LL / us), 0);
        }
        if (l.meta == 0x58 && l.data.size() == 4) return push("meter", l.tick, 0, l.data[0], 1 << l.data[1]);
        if (l.meta == 0x59 && l.data.size() == 2)
            return push("key", l.tick, 0, static_cast<int8_t>(l.data[0]), l.data[1]);
        if (l.meta == 0x21 && l.data.size() == 1) return push("port", l.tick, 0, l.data[0], 0);
        if (l.meta == 0x54 || l.meta == 0x2F) return;
        push(metaKind(l.meta), l.tick, 0, 0, 0);
        events.back().text = l.text;
    }
    void push(const char *kind, int64_t tick, int ch, int a, int b) {
        SongEvent e;
        e.kind = kind;
        e.track = track_;
        e.time = tick;
        e.channel = ch;
        e.a = a;
        e.b = b;
        events.push_back(e);
    }
    void noteOn(int64_t tick, int ch, int key, int vel) {
        push("note", tick, ch, key, vel);
        open_[{ch, key}].push_back(events.size() - 1);
    }
    void noteOff(int64_t tick, int ch, int key) {
        auto &pending = open_[{ch, key}];
        if (pending.empty()) return;
        SongEvent &e = events[pending.front()];
        e.duration = tick - e.time;
        pending.erase(pending.begin());
    }
    int track_ = 0;
    std::map<std::pair<int, int>, std::vector<size_t>> open_;
};

}  // namespace

std::vector<SongEvent> songEvents(const std::string &midiBytes) {
    Builder b;
    for (const std::string &line : decodeSmf(midiBytes)) {
        if (line.rfind("MThd", 0) == 0) continue;
        if (line.rfind("MTrk ", 0) == 0) {
            b.track(std::stoi(line.substr(5)));
            continue;
        }
        b.add(parseLine(line));
    }
    return b.events;
}

std::string describe(const SongEvent &e) {
    std::ostringstream s;
    s << e.kind << " " << e.a;
    if (e.kind == "control" || e.kind == "meter" || e.kind == "keypressure") s << " " << e.b;
    s << " at " << e.time;
    if (e.kind == "note") s << " dur " << e.duration << " vel " << e.b;
    if (e.channel) s << " ch " << e.channel;
    s << " track " << e.track;
    if (!e.text.empty()) s << " \"" << e.text << "\"";
    return s.str();
}

}  // namespace vek::test
