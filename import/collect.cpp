#include "import/collect.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>

#include "import/gm_programs.h"
#include "import/note_words.h"

namespace vek::import {

namespace {

using midi::SmfEvent;
using midi::SmfKind;

std::string hexList(const std::string &bytes) {
    std::string out;
    char hex[4];
    for (unsigned char c : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", c);
        out += (out.empty() ? "" : " ") + std::string(hex);
    }
    return out;
}

class Collector {
public:
    Collector(const midi::SmfFile &file, const ImportOptions &options) : file_(file), options_(options) {}
    ImportSong run();

private:
    uint32_t time(uint32_t tick) const;
    uint32_t snap(uint32_t tick) const { return grid_ ? (tick + grid_ / 2) / grid_ * grid_ : tick; }
    void track(size_t index, int onlyChannel, ImportPart &part, bool conductor);
    void channelEvent(const SmfEvent &e, ImportPart &part, std::map<int, std::deque<size_t>> &open);
    void metaEvent(const SmfEvent &e, ImportPart &part, bool conductor);
    void controller(ImportPart &part, uint32_t tick, const char *kind, const std::string &base, int number,
                    int channel, const std::string &value);
    void finishPart(ImportPart &part);

    const midi::SmfFile &file_;
    const ImportOptions &options_;
    ImportSong song_;
    std::vector<ImportStatement> global_;
    std::map<std::string, std::string> sysexNames_;
    std::map<std::string, bool> declared_;
    std::map<std::string, int> names_;
    int scaleFrom_ = 120, scaleTo_ = 120;
    uint32_t grid_ = 0;
    bool comments_ = false;
};

uint32_t Collector::time(uint32_t tick) const {
    return static_cast<uint32_t>((uint64_t{tick} * scaleTo_ + scaleFrom_ / 2) / scaleFrom_);
}

void Collector::controller(ImportPart &part, uint32_t tick, const char *kind, const std::string &base,
                           int number, int channel, const std::string &value) {
    std::string name = base;
    std::string declaration = std::string(kind) + " " + name + (number >= 0 ? " " + std::to_string(number) : "");
    if (channel != part.channel) {
        name += "_ch" + std::to_string(channel);
        declaration = std::string(kind) + " " + name + (number >= 0 ? " " + std::to_string(number) : "") +
                      " cchannel " + std::to_string(channel);
    }
    if (!declared_[name]) {
        declared_[name] = true;
        song_.preamble.push_back(declaration);
    }
    part.statements.push_back({tick, false, false, name + " =" + value});
}

void Collector::channelEvent(const SmfEvent &e, ImportPart &part, std::map<int, std::deque<size_t>> &open) {
    const uint32_t tick = snap(time(e.tick));
    const int channel = e.channel() + 1;
    static const std::map<int, const char *> kNames = {{0, "bank"},        {1, "modulation"}, {7, "volume"},
                                                       {10, "pan"},        {11, "expression"}, {32, "bankLow"},
                                                       {64, "sustain"},    {91, "reverb"},     {93, "chorus"}};
    switch (e.command()) {
    case 0x90:
        open[channel << 8 | e.data1].push_back(part.notes.size());
        part.notes.push_back({tick, 0, e.data1, e.data2, static_cast<uint8_t>(channel)});
        break;
    case 0x80: {
        auto &q = open[channel << 8 | e.data1];
        if (q.empty()) break;
        ImportNote &n = part.notes[q.front()];
        q.pop_front();
        n.length = std::max<uint32_t>(grid_ ? grid_ : 1, snap(time(e.tick)) - n.tick);
        break;
    }
    case 0xB0: {
        const auto it = kNames.find(e.data1);
        controller(part, tick, "control", it != kNames.end() ? it->second : "cc" + std::to_string(e.data1),
                   e.data1, channel, std::to_string(e.data2));
        break;
    }
    case 0xC0: {
        const std::string prefix = channel == part.channel ? "" : "$" + std::to_string(channel) + " ";
        part.statements.push_back({tick, true, false, prefix + kGmPrograms[e.data1]});
        if (part.instrument.empty()) part.instrument = kGmPrograms[e.data1];
        break;
    }
    case 0xD0:
        controller(part, tick, "aftertouch", "pressure", -1, channel, std::to_string(e.data1));
        break;
    case 0xE0:
        controller(part, tick, "wheel", "bend", -1, channel, std::to_string((e.data2 << 7 | e.data1) - 8192));
        break;
    default:  // key pressure belongs to one sounding key, which a statement cannot name
        part.statements.push_back({tick, true, false,
                                   "'key pressure " + std::to_string(e.data1) + " " + std::to_string(e.data2) +
                                       " channel " + std::to_string(channel) + "'"});
        comments_ = true;
    }
}

void Collector::metaEvent(const SmfEvent &e, ImportPart &part, bool conductor) {
    const uint32_t tick = snap(time(e.tick));
    const std::string data = file_.payload(e);
    const auto u8 = [&](size_t i) { return i < data.size() ? static_cast<uint8_t>(data[i]) : 0; };
    switch (e.status) {
    case 0x51: {
        bool exact = false;
        global_.push_back({tick, false, false, tempoText(u8(0) << 16 | u8(1) << 8 | u8(2), exact)});
        if (!exact) global_.back().text += " 'nearest to " + std::to_string(u8(0) << 16 | u8(1) << 8 | u8(2)) + " us'";
        return;
    }
    case 0x58:
        song_.meters.push_back({tick, std::max(1, int{u8(0)}), 1 << std::min(5, int{u8(1)})});
        return;
    case 0x59:
        song_.keys.push_back({tick, static_cast<int8_t>(u8(0)), u8(1) != 0});
        return;
    case 0x21:
        part.port = u8(0);
        return;
    case 0x2F:
        return;
    case 0x54:
        if (data == std::string("\x40\0\0\0\0", 5)) return;  // what the compiler always writes
        break;
    case 0x03:
        if (!conductor) {
            if (part.name.empty()) part.name = data;
            return;
        }
        if (tick == 0 && song_.preamble.end() == std::find_if(song_.preamble.begin(), song_.preamble.end(),
                                                              [](const std::string &s) { return s.rfind("title", 0) == 0; })) {
            song_.preamble.push_back("title " + bracketText(data));
            return;
        }
        break;
    case 0x01: {
        static const char *const kHeads[] = {"Title", "Subtitle", "Author", "Copyright", "Comments", "Keywords", "Instructions"};
        for (const char *head : kHeads) {
            const std::string prefix = std::string(head) + ": ";
            if (conductor && tick == 0 && data.rfind(prefix, 0) == 0) {
                std::string word = head;
                word[0] = static_cast<char>(word[0] + 32);
                song_.preamble.push_back(word + " " + bracketText(data.substr(prefix.size())));
                return;
            }
        }
        (conductor ? global_ : part.statements).push_back({tick, true, false, "text " + bracketText(data)});
        return;
    }
    case 0x02:
        if (tick == 0) {
            song_.preamble.push_back("copyright " + bracketText(data));
            return;
        }
        break;
    case 0x05: {
        std::string word = data;
        if (!word.empty() && word.back() == ' ') word.pop_back();
        if (word.find('"') == std::string::npos) {
            part.statements.push_back({tick, true, true, "\"" + word + "\""});
            return;
        }
        break;
    }
    case 0x06:
    case 0x07:
        global_.push_back({tick, true, false, (e.status == 6 ? "marker " : "cue ") + bracketText(data)});
        return;
    case 0x08:
        part.statements.push_back({tick, true, false, "wave " + bracketText(data)});
        return;
    default:
        break;
    }
    char type[4];
    std::snprintf(type, sizeof type, "%02X", e.status);
    (conductor ? global_ : part.statements).push_back({tick, true, false, std::string("'meta ") + type + ": " + hexList(data) + "'"});
    comments_ = true;
}

void Collector::track(size_t index, int onlyChannel, ImportPart &part, bool conductor) {
    std::map<int, std::deque<size_t>> open;
    uint32_t last = 0;
    for (const SmfEvent &e : file_.tracks[index]) {
        last = std::max(last, e.tick);
        if (e.kind == SmfKind::channel) {
            if (onlyChannel == -1 || e.channel() == onlyChannel) channelEvent(e, part, open);
        } else if (onlyChannel < 0) {
            if (e.kind == SmfKind::meta) {
                metaEvent(e, part, conductor);
                continue;
            }
            std::string bytes = std::string(1, static_cast<char>(e.status)) + file_.payload(e);
            std::string &name = sysexNames_[bytes];
            if (name.empty()) {
                name = "sx" + std::to_string(sysexNames_.size());
                song_.preamble.push_back("sysex " + name + " [" + hexList(bytes) + "]");
            }
            part.statements.push_back({snap(time(e.tick)), true, false, name});
        }
    }
    for (auto &[key, q] : open)  // notes never released end with their track
        for (size_t i : q) part.notes[i].length = std::max<uint32_t>(1, snap(time(last)) - part.notes[i].tick);
}

void Collector::finishPart(ImportPart &part) {
    std::stable_sort(part.notes.begin(), part.notes.end(), [](const ImportNote &a, const ImportNote &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.key < b.key;
    });
    std::stable_sort(part.statements.begin(), part.statements.end(),
                     [](const ImportStatement &a, const ImportStatement &b) { return a.tick < b.tick; });
    for (const ImportNote &n : part.notes) song_.lastTick = std::max(song_.lastTick, n.tick + n.length);
}

// The channel most of a track's notes use; its other notes carry their own.
int mainChannel(const std::vector<SmfEvent> &events) {
    int count[16] = {};
    for (const SmfEvent &e : events)
        if (e.kind == SmfKind::channel) ++count[e.channel()];
    return static_cast<int>(std::max_element(count, count + 16) - count) + 1;
}

bool hasChannelEvents(const std::vector<SmfEvent> &events, int channel) {
    return std::any_of(events.begin(), events.end(), [&](const SmfEvent &e) {
        return e.kind == SmfKind::channel && (channel < 0 || e.channel() == channel);
    });
}

ImportSong Collector::run() {
    scaleFrom_ = file_.division;
    scaleTo_ = file_.division > 480 ? 480 : file_.division;
    while (scaleTo_ < 48) scaleTo_ += file_.division;
    song_.ppq = scaleTo_;
    if (options_.quantize > 0) grid_ = static_cast<uint32_t>(std::max(1, scaleTo_ * 4 / options_.quantize));
    song_.heading.push_back("Imported from " + options_.sourceName + " (format " + std::to_string(file_.format) +
                            ", " + std::to_string(file_.division) + " ticks per quarter note)");
    if (scaleTo_ < scaleFrom_)
        song_.heading.push_back("Times are rounded to " + std::to_string(scaleTo_) + " ticks per quarter note.");
    if (grid_)
        song_.heading.push_back("Quantized to 1/" + std::to_string(options_.quantize) +
                                ": starts and lengths are snapped to " + std::to_string(grid_) + " ticks.");
    for (size_t t = 0; t < file_.tracks.size(); ++t) {
        const bool split = file_.format == 0;  // one part per channel
        ImportPart part;
        const bool notes = !split && hasChannelEvents(file_.tracks[t], -1);
        part.channel = mainChannel(file_.tracks[t]);
        track(t, split ? -2 : -1, part, !notes);
        if (notes) song_.parts.push_back(std::move(part));
        else for (ImportStatement &s : part.statements) global_.push_back(std::move(s));
        for (int ch = 0; split && ch < 16; ++ch) {
            if (!hasChannelEvents(file_.tracks[t], ch)) continue;
            ImportPart own;
            own.channel = ch + 1;
            track(t, ch, own, false);
            song_.parts.push_back(std::move(own));
        }
    }
    if (song_.parts.empty()) song_.parts.emplace_back();
    const bool tempoAtStart = std::any_of(global_.begin(), global_.end(), [](const ImportStatement &s) {
        return s.tick == 0 && s.text.rfind("tempo", 0) == 0;
    });
    if (!tempoAtStart) global_.insert(global_.begin(), {0, false, false, "tempo =120"});
    auto &first = song_.parts.front().statements;
    first.insert(first.begin(), global_.begin(), global_.end());
    for (ImportPart &part : song_.parts) {
        finishPart(part);
        std::string name = !part.name.empty()             ? part.name
                           : !part.instrument.empty()     ? part.instrument + "Part"
                           : part.channel == 10           ? "drums"
                                                          : "track";
        name = cleanName(name);
        if (names_[name]++) name += std::to_string(names_[name]);
        part.name = name;
    }
    for (const ImportStatement &s : first) song_.lastTick = std::max(song_.lastTick, s.tick);
    std::stable_sort(song_.meters.begin(), song_.meters.end(), [](auto &a, auto &b) { return a.tick < b.tick; });
    std::stable_sort(song_.keys.begin(), song_.keys.end(), [](auto &a, auto &b) { return a.tick < b.tick; });
    if (comments_) song_.heading.push_back("Events the language cannot express are kept as comments.");
    return song_;
}

}  // namespace

ImportSong collectSong(const midi::SmfFile &file, const ImportOptions &options) {
    return Collector(file, options).run();
}

}  // namespace vek::import
