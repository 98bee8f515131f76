#include "support/midi_events.h"

#include <algorithm>
#include <deque>
#include <map>

#include "midi/smf_file.h"

namespace vek::test {

namespace {

std::string at(uint32_t tick, int channel) {
    return std::to_string(tick) + " ch" + std::to_string(channel + 1) + " ";
}

void channelLines(const midi::SmfEvent &e, std::map<int, std::deque<size_t>> &open,
                  std::vector<std::string> &out, std::vector<uint32_t> &starts) {
    const std::string where = at(e.tick, e.channel());
    const int key = e.channel() << 8 | e.data1;
    switch (e.command()) {
    case 0x90:
        open[key].push_back(out.size());
        starts.resize(out.size() + 1);
        starts[out.size()] = e.tick;
        out.push_back(where + "note " + std::to_string(e.data1) + " vel " + std::to_string(e.data2));
        return;
    case 0x80:
        if (open[key].empty()) return;
        out[open[key].front()] += " len " + std::to_string(e.tick - starts[open[key].front()]);
        open[key].pop_front();
        return;
    case 0xA0: out.push_back(where + "keypressure " + std::to_string(e.data1) + " " + std::to_string(e.data2)); return;
    case 0xB0: out.push_back(where + "control " + std::to_string(e.data1) + " " + std::to_string(e.data2)); return;
    case 0xC0: out.push_back(where + "program " + std::to_string(e.data1)); return;
    case 0xD0: out.push_back(where + "pressure " + std::to_string(e.data1)); return;
    default: out.push_back(where + "wheel " + std::to_string(e.data2 << 7 | e.data1));
    }
}

}  // namespace

std::vector<std::string> midiEvents(const std::string &bytes) {
    const midi::SmfFile file = midi::readSmf(bytes);
    std::vector<std::string> out;
    std::map<std::string, std::string> state;  // tempo, meter and key: changes only
    std::vector<std::pair<uint32_t, std::string>> changes;
    std::vector<uint32_t> starts;  // of each note line, by line index
    for (const auto &track : file.tracks) {
        std::map<int, std::deque<size_t>> open;
        for (const midi::SmfEvent &e : track) {
            const std::string data = file.payload(e);
            if (e.kind == midi::SmfKind::channel) {
                channelLines(e, open, out, starts);
            } else if (e.kind != midi::SmfKind::meta) {
                std::string hex;
                for (unsigned char c : data) hex += " " + std::to_string(c);
                out.push_back(std::to_string(e.tick) + " sysex " + std::to_string(e.status) + hex);
            } else if (e.status == 0x51 || e.status == 0x58 || e.status == 0x59) {
                std::string hex;
                for (unsigned char c : data.substr(0, e.status == 0x58 ? 2 : 3)) hex += " " + std::to_string(c);
                changes.emplace_back(e.tick, std::to_string(e.status) + hex);
            } else if (e.status == 1 || (e.status >= 5 && e.status <= 8)) {
                out.push_back(std::to_string(e.tick) + " text " + std::to_string(e.status) + " " + data);
            }
        }
    }
    std::stable_sort(changes.begin(), changes.end(), [](auto &a, auto &b) { return a.first < b.first; });
    for (const auto &[tick, change] : changes) {
        std::string &last = state[change.substr(0, 2)];
        if (last != change) out.push_back(std::to_string(tick) + " meta " + change);
        last = change;
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string eventDifference(const std::vector<std::string> &a, const std::vector<std::string> &b, size_t limit) {
    std::vector<std::string> onlyA, onlyB;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(onlyA));
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(onlyB));
    std::string text;
    for (size_t i = 0; i < onlyA.size() && i < limit; ++i) text += "  - " + onlyA[i] + "\n";
    for (size_t i = 0; i < onlyB.size() && i < limit; ++i) text += "  + " + onlyB[i] + "\n";
    return text;
}

}  // namespace vek::test
