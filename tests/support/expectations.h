// Expectations written as comment lines beside Vek source, and the runner
// that compiles a source and checks them. Used by the language cases
// (tests/language) and by the guide's examples (docs/).
//   ' expect: note 60 at 0 dur 120 vel 64 ch 1 track 1
//   ' expect: control 7 100 at 0        (also program, wheel, tempo, meter, lyric "la " ...)
//   ' expect some: note 60 at 3360      (present; other events of its kind are not counted)
//   ' expect error 67 at 1:4 "..."       (message code, line:column as `vek` reports it, or a
//                                        byte position; then the message)
//   ' vek --select 0:20 --extract       (compile with these options of the command)
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

#include "support/compile.h"
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
    int line = -1, column = -1;
    bool hasMessage = false;
    std::string message;
    CompileOptions options;
    bool empty() const { return !error && events.empty() && smfTexts.empty() && listingTexts.empty(); }
};

// The expectations of every "' expect" line of `text`.
Expectations readExpectations(const std::string &text);

// The options of a "' vek" line (-f, --select, --extract), as the command
// takes them.
CompileOptions vekOptions(const std::string &text);

struct CaseOutcome {
    bool failed = false;
    int code = 0;  // the first message code whose text the message fits; 0: none
    ParseError error{};
    int line = 0, column = 0;  // of the error, 0 when it has no place
    std::string midi;
    std::string listing;
};

// Compiles `source` through Vekmain as "case.vek" in the current folder,
// with the listing in "case.vls" and include files searched along
// `searchPath` (";"-separated; the library appends ";;include;../include").
CaseOutcome compileCase(const std::string &source, const std::string &searchPath,
                        CompileOptions options = {});

// GoogleTest checks of an outcome against its expectations.
void checkOutcome(const Expectations &x, const CaseOutcome &o);

}  // namespace vek::test
