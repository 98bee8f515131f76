// The reserved-word switch refuses indices outside its table; what the
// words do is shown by the language cases.
#include <gtest/gtest.h>

#include "music/keyword_fixture.h"
#include "music/keywords.h"

namespace vek {
namespace {

TEST(KeywordStatement, IndicesOutsideTheTableAreNotReservedWords) {
    test::KeywordFixture k("x");
    EXPECT_FALSE(KeywordStatement(k.cs(), -1));
    EXPECT_FALSE(KeywordStatement(k.cs(), kReservedWordCount));
}

}  // namespace
}  // namespace vek
