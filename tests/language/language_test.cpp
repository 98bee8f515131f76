// Runs every tests/language/<feature>/<case>.vek and checks the expectations
// each file states in its comments:
//   ' expect: note 60 at 0 dur 120 vel 64 ch 1 track 1
//   ' expect: control 7 100 at 0        (also program, wheel, tempo, meter, lyric "la " ...)
//   ' expect error 67 at 3              (message code and byte position)
// Only the fields written are compared. For every kind named, the piece must
// hold exactly the events expected of that kind, in any order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "support/scratch_dir.h"
#include "support/song_events.h"
#include "vek/vekmain.h"
#include "writers/midi_writer.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::path(VEK_SOURCE_DIR) / "tests" / "language";

struct Expected {
    test::SongEvent event;
    std::map<std::string, bool> given;  // which fields to compare
    std::string source;
};

struct Expectations {
    std::vector<Expected> events;
    bool error = false;
    int code = 0;
    int32_t position = -1;
    std::string message;
};

std::string quoted(std::istringstream &in) {
    std::string rest;
    std::getline(in, rest, '"');
    std::getline(in, rest, '"');
    return rest;
}

Expected parseEvent(const std::string &text) {
    Expected x;
    x.source = text;
    std::istringstream in(text);
    in >> x.event.kind;
    std::string word;
    int numbers = 0;
    while (in >> std::ws && !in.eof()) {
        if (in.peek() == '"') {
            x.event.text = quoted(in);
            x.given["text"] = true;
            continue;
        }
        in >> word;
        if (word == "at") in >> x.event.time, x.given["time"] = true;
        else if (word == "dur") in >> x.event.duration, x.given["duration"] = true;
        else if (word == "vel") in >> x.event.b, x.given["b"] = true;
        else if (word == "ch") in >> x.event.channel, x.given["channel"] = true;
        else if (word == "track") in >> x.event.track, x.given["track"] = true;
        else if (numbers++ == 0) x.event.a = std::stoi(word), x.given["a"] = true;
        else x.event.b = std::stoi(word), x.given["b"] = true;
    }
    return x;
}

Expectations readExpectations(const std::string &source) {
    Expectations e;
    std::istringstream lines(source);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find("' expect");
        if (at == std::string::npos) continue;
        std::string body = line.substr(at + 8);
        if (!body.empty() && body.back() == '\r') body.pop_back();
        if (body.rfind(": ", 0) == 0) {
            e.events.push_back(parseEvent(body.substr(2)));
        } else if (body.rfind(" error ", 0) == 0) {
            std::istringstream in(body.substr(7));
            std::string word;
            e.error = true;
            in >> e.code;
            while (in >> std::ws && !in.eof()) {
                if (in.peek() == '"') e.message = quoted(in);
                else if (in >> word && word == "at") in >> e.position;
            }
        }
    }
    return e;
}

bool matches(const Expected &x, const test::SongEvent &e) {
    if (x.event.kind != e.kind) return false;
    const auto has = [&](const char *f) { return x.given.count(f) > 0; };
    return (!has("a") || x.event.a == e.a) && (!has("b") || x.event.b == e.b) &&
           (!has("time") || x.event.time == e.time) &&
           (!has("duration") || x.event.duration == e.duration) &&
           (!has("channel") || x.event.channel == e.channel) &&
           (!has("track") || x.event.track == e.track) && (!has("text") || x.event.text == e.text);
}

struct Outcome {
    bool failed = false;
    int code = 0;
    ParseError error{};
    std::string midi;
};

Outcome compile(const fs::path &file) {
    Outcome o;
    const std::string source = test::ScratchDir::read(file.string());
    std::ofstream(fs::current_path() / "case.vek", std::ios::binary) << source;
    SongContext song;
    song.listingPath = "case.vls";
    std::snprintf(song.searchPath, sizeof song.searchPath, "%s;;include;../include",
                  file.parent_path().string().c_str());
    char name[kPathBytes] = "case.vek";
    {
        CompileState cs(name, song);
        try {
            cs.compile();
        } catch (const ParseError &e) {
            o.failed = true;
            o.code = cs.lastError;
            o.error = e;
            return o;
        }
    }
    if (writeMidiFile(song, std::fopen("case.mid", "wb")) != 0) o.failed = true;
    o.midi = test::ScratchDir::read("case.mid");
    return o;
}

std::string listEvents(const std::vector<test::SongEvent> &events, const std::string &kind) {
    std::string s;
    for (const auto &e : events)
        if (e.kind == kind) s += "  " + test::describe(e) + "\n";
    return s;
}

void checkEvents(const Expectations &x, const std::vector<test::SongEvent> &actual) {
    std::map<std::string, int> expectedCount;
    std::vector<bool> used(actual.size(), false);
    for (const Expected &e : x.events) {
        ++expectedCount[e.event.kind];
        bool found = false;
        for (size_t i = 0; i < actual.size() && !found; ++i) {
            if (used[i] || !matches(e, actual[i])) continue;
            used[i] = found = true;
        }
        EXPECT_TRUE(found) << "missing: " << e.source << "\nactual:\n"
                           << listEvents(actual, e.event.kind);
    }
    for (const auto &[kind, count] : expectedCount) {
        int n = 0;
        for (const auto &e : actual) n += e.kind == kind;
        EXPECT_EQ(n, count) << "events of kind " << kind << ":\n" << listEvents(actual, kind);
    }
}

class Language : public testing::TestWithParam<fs::path> {};

TEST_P(Language, MeetsItsExpectations) {
    test::ScratchDir dir;
    const Expectations x = readExpectations(test::ScratchDir::read(GetParam().string()));
    ASSERT_TRUE(x.error || !x.events.empty()) << "no expectations in " << GetParam();
    const Outcome o = compile(GetParam());
    if (x.error) {
        ASSERT_TRUE(o.failed) << "compiled without the expected error";
        EXPECT_EQ(o.code, x.code) << o.error.message;
        if (x.position >= 0) {
            EXPECT_EQ(o.error.position, x.position);
        }
        if (!x.message.empty()) {
            EXPECT_EQ(std::string(o.error.message), x.message);
        }
        return;
    }
    ASSERT_FALSE(o.failed) << "error " << o.code << ": " << o.error.message << " at "
                           << o.error.position;
    checkEvents(x, test::songEvents(o.midi));
}

std::vector<fs::path> cases() {
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(kRoot))
        if (entry.path().extension() == ".vek" && entry.path().parent_path().filename() != "inc")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string caseName(const testing::TestParamInfo<fs::path> &info) {
    std::string s = fs::relative(info.param, kRoot).replace_extension().string();
    for (char &c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

INSTANTIATE_TEST_SUITE_P(Cases, Language, testing::ValuesIn(cases()), caseName);

}  // namespace
}  // namespace vek
