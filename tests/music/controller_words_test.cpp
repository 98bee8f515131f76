// Tempo limits are written in beats per minute and kept in hundredths. The
// other controller words are language cases (tests/language/controllers);
// this one is not, because the tempo's own limits refuse such values today.
#include <gtest/gtest.h>

#include "music/keyword_fixture.h"
#include "music/keywords.h"

namespace vek {
namespace {

TEST(ControllerWords, TempoValuesAreBeatsPerMinuteKeptInHundredths) {
    test::KeywordFixture k(" 240 40 2");
    ControllerDefinition d;
    d.eventKind = kTempoEvent;
    d.maxValue = 30000;
    k.voice().controller = &d;
    k.run(kwMaximum);
    k.run(kwMinimum);
    k.run(kwMinChange);
    EXPECT_EQ(d.maxValue, 24000);
    EXPECT_EQ(d.minValue, 4000);
    EXPECT_EQ(d.step, 200);
}

}  // namespace
}  // namespace vek
