#include "support/expectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "support/scratch_dir.h"
#include "support/smf_reader.h"
#include "writers/midi_writer.h"

namespace vek::test {

namespace {

// The next "..." text; \" and \\ stand for themselves, \n for a line break
// (several messages hold both).
std::string quoted(std::istringstream &in) {
    std::string skipped, text;
    std::getline(in, skipped, '"');
    for (char c; in.get(c) && c != '"';) {
        if (c == '\\' && in.get(c) && c == 'n') c = '\n';
        text += c;
    }
    return text;
}

ExpectedEvent parseEvent(const std::string &text, bool counted = true) {
    ExpectedEvent x;
    x.source = text;
    x.counted = counted;
    std::istringstream in(text);
    in >> x.event.kind;
    std::string word;
    int numbers = 0;
    while (in >> std::ws && !in.eof()) {
        if (in.peek() == '"') {
            x.event.text = quoted(in);
            x.given.insert("text");
            continue;
        }
        in >> word;
        if (word == "at") in >> x.event.time, x.given.insert("time");
        else if (word == "dur") in >> x.event.duration, x.given.insert("duration");
        else if (word == "vel") in >> x.event.b, x.given.insert("b");
        else if (word == "ch") in >> x.event.channel, x.given.insert("channel");
        else if (word == "track") in >> x.event.track, x.given.insert("track");
        else if (numbers++ == 0) x.event.a = std::stoi(word), x.given.insert("a");
        else x.event.b = std::stoi(word), x.given.insert("b");
    }
    return x;
}

void parseError(const std::string &body, Expectations &e) {
    std::istringstream in(body);
    std::string word;
    e.error = true;
    in >> e.code;
    while (in >> std::ws && !in.eof()) {
        if (in.peek() == '"') e.message = quoted(in);
        else if (in >> word && word == "at") in >> e.position;
    }
}

bool matches(const ExpectedEvent &x, const SongEvent &e) {
    if (x.event.kind != e.kind) return false;
    const auto has = [&](const char *f) { return x.given.count(f) > 0; };
    return (!has("a") || x.event.a == e.a) && (!has("b") || x.event.b == e.b) &&
           (!has("time") || x.event.time == e.time) &&
           (!has("duration") || x.event.duration == e.duration) &&
           (!has("channel") || x.event.channel == e.channel) &&
           (!has("track") || x.event.track == e.track) && (!has("text") || x.event.text == e.text);
}

std::string listEvents(const std::vector<SongEvent> &events, const std::string &kind) {
    std::string s;
    for (const auto &e : events)
        if (e.kind == kind) s += "  " + describe(e) + "\n";
    return s;
}

void checkEvents(const Expectations &x, const std::vector<SongEvent> &actual) {
    std::map<std::string, int> expectedCount;
    std::vector<bool> used(actual.size(), false);
    for (const ExpectedEvent &e : x.events) {
        if (e.counted) ++expectedCount[e.event.kind];
        bool found = false;
        for (size_t i = 0; i < actual.size() && !found; ++i) {
            if (used[i] || !matches(e, actual[i])) continue;
            used[i] = found = true;
        }
        EXPECT_TRUE(found) << "missing: " << e.source << "\nactual:\n"
                           << listEvents(actual, e.event.kind);
    }
    for (const auto &[kind, count] : expectedCount) {
        const auto some = [&](const ExpectedEvent &e) { return !e.counted && e.event.kind == kind; };
        if (std::any_of(x.events.begin(), x.events.end(), some)) continue;
        int n = 0;
        for (const auto &e : actual) n += e.kind == kind;
        EXPECT_EQ(n, count) << "events of kind " << kind << ":\n" << listEvents(actual, kind);
    }
}

void checkError(const Expectations &x, const CaseOutcome &o) {
    ASSERT_TRUE(o.failed) << "compiled without the expected error";
    EXPECT_EQ(o.code, x.code) << o.error.message;
    if (x.position >= 0) {
        EXPECT_EQ(o.error.position, x.position);
    }
    if (!x.message.empty()) {
        EXPECT_EQ(std::string(o.error.message), x.message);
    }
}

}  // namespace

Expectations readExpectations(const std::string &text) {
    Expectations e;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find("' expect");
        if (at == std::string::npos) continue;
        std::string body = line.substr(at + 8);
        if (!body.empty() && body.back() == '\r') body.pop_back();
        std::istringstream in(body);
        if (body.rfind(": ", 0) == 0) e.events.push_back(parseEvent(body.substr(2)));
        else if (body.rfind(" some: ", 0) == 0) e.events.push_back(parseEvent(body.substr(7), false));
        else if (body.rfind(" error ", 0) == 0) parseError(body.substr(7), e);
        else if (body.rfind(" smf ", 0) == 0) e.smfTexts.push_back(quoted(in));
        else if (body.rfind(" listing ", 0) == 0) e.listingTexts.push_back(quoted(in));
    }
    return e;
}

CaseOutcome compileCase(const std::string &source, const std::string &searchPath) {
    CaseOutcome o;
    std::ofstream("case.vek", std::ios::binary) << source;
    SongContext song;
    song.listingPath = "case.vls";
    song.searchPath = searchPath + ";;include;../include";
    {
        CompileState cs("case.vek", song);
        try {
            cs.compile();
        } catch (const SourceError &e) {
            o.failed = true;
            o.code = e.code;
            o.error = e;
        }
    }
    o.listing = ScratchDir::read("case.vls");
    if (o.failed) return o;
    if (writeMidiFile(song, std::fopen("case.mid", "wb")) != WriteResult::ok) o.failed = true;
    o.midi = ScratchDir::read("case.mid");
    return o;
}

void checkOutcome(const Expectations &x, const CaseOutcome &o) {
    if (x.error) return checkError(x, o);
    ASSERT_FALSE(o.failed) << "error " << o.code << ": " << o.error.message << " at "
                           << o.error.position;
    checkEvents(x, songEvents(o.midi));
    const std::string smf = x.smfTexts.empty() ? "" : smfText(o.midi);
    for (const std::string &t : x.smfTexts)
        EXPECT_NE(smf.find(t), std::string::npos) << "no \"" << t << "\" in the MIDI file:\n" << smf;
    for (const std::string &t : x.listingTexts)
        EXPECT_NE(o.listing.find(t), std::string::npos) << "no \"" << t << "\" in the listing:\n"
                                                        << o.listing;
}

}  // namespace vek::test
