// Tracks and sections where a language case cannot reach: a section list
// open at the end of the source (its message holds a quote mark, which a
// case's comment cannot), the track count limit, and a chain of sections
// too long for a recursive walk. The rest are tests/language/tracks.
#include <gtest/gtest.h>
#include <pthread.h>

#include <string>

#include "music/keyword_fixture.h"
#include "music/keywords.h"
#include "support/compile.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

TEST(SectionDeclaration, AnUnclosedSectionRaises73) {
    KeywordFixture k(" band [a b");
    expectError(k.fail(kwTrack), " ']' expected.", 10);
}

TEST(TrackWord, TracksBeyondWhatAFileCanCountRaise85) {
    KeywordFixture k(" first last beyond");
    k.run(kwTrack);                    // takes over the default track
    k.song().nextTrackNumber = 65533;  // as if 65532 more had been declared
    k.run(kwTrack);
    expectError(k.fail(kwTrack), " Too many tracks: a piece may have at most 65534 tracks", 18);
}

// A chain of sections, each naming the one declared before it, is as deep
// as the source is long; wiping the last walks all of it. The walk must not
// take stack in proportion, so it runs here on a small stack (1 MB).
TEST(SectionDeclaration, ALongChainOfSectionsIsFlattenedWithoutDeepRecursion) {
    std::string source = "track s0 [t0]\n";
    for (int i = 1; i < 20000; ++i)
        source.append("track s").append(std::to_string(i)).append(" [s").append(std::to_string(i - 1)).append("]\n");
    source.append("t0 c d e wipe s19999 f\n");
    test::ScratchDir dir;
    test::CompileResult result;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1024 * 1024);  // the recursive walk needed ~2 MB
    pthread_t thread;
    auto run = [](void *r) -> void * {
        auto *out = static_cast<std::pair<std::string *, test::CompileResult *> *>(r);
        *out->second = test::compileText(*out->first);
        return nullptr;
    };
    std::pair<std::string *, test::CompileResult *> work{&source, &result};
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_FALSE(result.failed()) << result.message();
}

}  // namespace
}  // namespace vek
