// Expectations written as comment lines beside Vek source, and the runner
// that compiles a source and checks them. Used by the language cases
// (tests/language) and by the guide's examples (docs/).
//   ' expect: note 60 at 0 dur 120 vel 64 ch 1 track 1
//   ' expect: control 7 100 at 0        (also program, wheel, tempo, meter, lyric "la " ...)
//   ' expect some: note 60 at 3360      (present; other events of its kind are not counted)
//   ' expect error 67 at 3              (message code, byte position, optional "message")
//   ' expect smf "F0 41 10 F7"          (a text of the decoded MIDI file, support/smf_reader.h)
//   ' expect listing "Note  60"         (a text of the event listing)
// Only the fields written are compared. For every kind named (and no "some"
// expectation), the piece must hold exactly the events expected of that
// kind, in any order.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "support/song_events.h"
#include "vek/vekmain.h"

namespace vek::test {

struct ExpectedEvent {
    SongEvent event;
    std::set<std::string> given;  // which fields to compare
    bool counted = true;          // false for "some": one of possibly more
    std::string source;
};

struct Expectations {
    std::vector<ExpectedEvent> events;
    std::vector<std::string> smfTexts;
    std::vector<std::string> listingTexts;
    bool error = false;
    int code = 0;
    int32_t position = -1;
    std::string message;
    bool empty() const { return !error && events.empty() && smfTexts.empty() && listingTexts.empty(); }
};

// The expectations of every "' expect" line of `text`.
Expectations readExpectations(const std::string &text);

struct CaseOutcome {
    bool failed = false;
    int code = 0;  // message code of the error
    ParseError error{};
    std::string midi;
    std::string listing;
};

// Compiles `source` as "case.vek" in the current folder, with the listing in
// "case.vls" and include files searched along `searchPath` (";"-separated;
// the default tail ";;include;../include" is appended).
CaseOutcome compileCase(const std::string &source, const std::string &searchPath);

// GoogleTest checks of an outcome against its expectations.
void checkOutcome(const Expectations &x, const CaseOutcome &o);

}  // namespace vek::test
