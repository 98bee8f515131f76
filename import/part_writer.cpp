#include "import/part_writer.h"

#include <algorithm>

#include "import/note_words.h"

namespace vek::import {

namespace {

// One tick of the part: its notes and statements.
struct Moment {
    uint32_t tick = 0;
    size_t noteBegin = 0, noteEnd = 0;
    size_t statementBegin = 0, statementEnd = 0;
};

class PartWriter {
public:
    PartWriter(const ImportSong &song, const BarMap &bars, const ImportPart &part, std::string &out)
        : song_(song), bars_(bars), part_(part), out_(out) {}

    void run(uint32_t runTo);

private:
    void startBar(const Bar &bar);
    void moment(const Moment &m, uint32_t next);
    void reach(uint32_t tick);
    void chord(const Moment &m);
    void statements(const Moment &m, bool atNow, bool all);
    void word(const std::string &w) {
        if (!out_.empty() && out_.back() != '\n') out_ += ' ';
        out_ += w;
    }

    const ImportSong &song_;
    const BarMap &bars_;
    const ImportPart &part_;
    std::string &out_;
    Bar bar_;
    uint32_t now_ = 0, anchor_ = 0;
    int velocity_ = 64;
    size_t meter_ = 0, key_ = 0;
    int sharps_ = 0;
    bool minor_ = false;
    LetterState letters_;
};

void PartWriter::run(uint32_t runTo) {
    std::vector<Moment> moments;
    size_t n = 0, s = 0;
    const auto &notes = part_.notes;
    const auto &sts = part_.statements;
    while (n < notes.size() || s < sts.size()) {
        Moment m;
        m.tick = std::min(n < notes.size() ? notes[n].tick : UINT32_MAX, s < sts.size() ? sts[s].tick : UINT32_MAX);
        m.noteBegin = n;
        while (n < notes.size() && notes[n].tick == m.tick) ++n;
        m.noteEnd = n;
        m.statementBegin = s;
        while (s < sts.size() && sts[s].tick == m.tick) ++s;
        m.statementEnd = s;
        moments.push_back(m);
    }
    // Bars where the meter or the key changes are written even when empty.
    std::vector<uint32_t> marks;
    for (const MeterChange &c : song_.meters) marks.push_back(c.tick);
    for (const KeyChange &c : song_.keys) marks.push_back(bars_.barAt(c.tick).start);
    std::sort(marks.begin(), marks.end());
    size_t i = 0, k = 0;
    bool first = true;
    while (i < moments.size() || (k < marks.size() && marks[k] <= runTo)) {
        const uint32_t tick = std::min(i < moments.size() ? moments[i].tick : UINT32_MAX,
                                       k < marks.size() ? marks[k] : UINT32_MAX);
        const Bar bar = bars_.barAt(tick);
        if (!first) {
            // A bar line at the very start of a bar moves nothing: an empty bar is jumped over.
            const bool closes = now_ <= bar_.start + bar_.length && now_ > bar_.start;
            if (closes) word("|");
            out_ += '\n';
            if (!closes || bar.number != bar_.number + 1) out_ += "|" + std::to_string(bar.number);
        }
        else if (bar.number != 1) out_ += "|" + std::to_string(bar.number);
        first = false;
        startBar(bar);
        while (k < marks.size() && marks[k] < bar.start + bar.length) ++k;
        for (; i < moments.size() && moments[i].tick < bar.start + bar.length; ++i) {
            const uint32_t next = i + 1 < moments.size() ? moments[i + 1].tick : UINT32_MAX;
            moment(moments[i], std::min(next, bar.start + bar.length));
        }
    }
    if (!first) word("|");
    out_ += "\n";
}

void PartWriter::startBar(const Bar &bar) {
    bar_ = bar;
    now_ = anchor_ = bar.start;
    while (meter_ < song_.meters.size() && song_.meters[meter_].tick <= bar.start) {
        const MeterChange &m = song_.meters[meter_++];
        if (m.tick == bar.start && (m.tick > 0 || m.numerator != 4 || m.denominator != 4))
            word("meter " + std::to_string(m.numerator) + "/" + std::to_string(m.denominator));
    }
    while (key_ < song_.keys.size() && bars_.barAt(song_.keys[key_].tick).start <= bar.start) {
        const KeyChange &c = song_.keys[key_++];
        if (c.sharps != sharps_ || c.minor != minor_) word(keyText(c.sharps, c.minor));
        sharps_ = c.sharps;
        minor_ = c.minor;
    }
    letters_.setKey(sharps_);
}

void PartWriter::moment(const Moment &m, uint32_t next) {
    const bool hasNotes = m.noteEnd > m.noteBegin;
    bool lyric = false;  // a lyric goes to the note or rest after it
    for (size_t i = m.statementBegin; i < m.statementEnd; ++i) lyric = lyric || part_.statements[i].lyric;
    if (m.tick == now_ && m.tick == anchor_ && (hasNotes || !lyric)) {
        statements(m, true, true);  // at a bar start every statement lands here, in the file's order
        if (hasNotes) chord(m);
        return;
    }
    reach(m.tick);
    statements(m, true, false);
    if (hasNotes) {
        chord(m);
    } else if (anchor_ != m.tick || lyric) {
        word("r" + lengthText(next - m.tick, bar_.beatTicks));
        anchor_ = m.tick;
        now_ = next;
    }
    statements(m, false, false);
}

// Moves the time to `tick`: a rest forward, a length from the last note back.
void PartWriter::reach(uint32_t tick) {
    if (tick > now_) {
        word("r" + lengthText(tick - now_, bar_.beatTicks));
        anchor_ = now_;
    } else if (tick < now_) {
        const std::string length = lengthText(tick - anchor_, bar_.beatTicks);
        word(length.empty() ? "1" : length == "." ? "3/2" : length);
    }
    now_ = tick;
}

void PartWriter::statements(const Moment &m, bool atNow, bool all) {
    for (size_t i = m.statementBegin; i < m.statementEnd; ++i) {
        const ImportStatement &s = part_.statements[i];
        if (s.lyric) {
            continue;
        } else if (all || s.atNow == atNow) {
            word(s.text);
        }
    }
    if (atNow)
        for (size_t i = m.statementBegin; i < m.statementEnd; ++i)
            if (part_.statements[i].lyric) word(part_.statements[i].text);
}

void PartWriter::chord(const Moment &m) {
    const ImportNote *notes = part_.notes.data();
    bool oneVelocity = true, ownChannel = true;
    uint32_t shortest = UINT32_MAX;
    for (size_t i = m.noteBegin; i < m.noteEnd; ++i) {
        oneVelocity = oneVelocity && notes[i].velocity == notes[m.noteBegin].velocity;
        ownChannel = ownChannel && notes[i].channel == part_.channel;
        shortest = std::min(shortest, notes[i].length);
    }
    if (oneVelocity && notes[m.noteBegin].velocity != velocity_) {
        velocity_ = notes[m.noteBegin].velocity;
        word("!!=" + std::to_string(velocity_));
    }
    std::string text;
    const uint32_t unit = bar_.beatTicks;
    for (size_t i = m.noteBegin; i < m.noteEnd; ++i) {
        const ImportNote &n = notes[i];
        // A length on the first note of a chord carries over to the others.
        std::string length = lengthText(n.length, unit);
        if (i > m.noteBegin && n.length == notes[m.noteBegin].length) length.clear();
        else if (i > m.noteBegin && length.empty()) length = "1";
        if (length == "." && i > m.noteBegin) length = "3/2";
        text += noteWord(n.key, sharps_ < 0, length, letters_);
        if (!oneVelocity) text += "!=" + std::to_string(n.velocity);
        if (!ownChannel) text += "$" + std::to_string(n.channel);
    }
    word(text);
    anchor_ = m.tick;
    now_ = m.tick + shortest;
}

}  // namespace

void writePart(const ImportSong &song, const BarMap &bars, const ImportPart &part, uint32_t runTo,
               std::string &out) {
    out += "\ntrack " + part.name;
    if (part.channel != 1) out += " $$" + std::to_string(part.channel);
    if (part.port > 0) out += " port " + std::to_string(part.port + 1);
    out += "\n";
    PartWriter(song, bars, part, out).run(runTo);
}

}  // namespace vek::import
