// Runs every tests/language/<feature>/<case>.vek and checks the expectations
// each file states in its comments (format: support/expectations.h), e.g.
//   ' expect: note 60 at 0 dur 120 vel 64 ch 1 track 1
//   ' expect error 67 at 1:3 " \"(\" or \"[\" unmatched"
// Folders named "inc" hold include files, not cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/expectations.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::path(VEK_SOURCE_DIR) / "tests" / "language";

class Language : public testing::TestWithParam<fs::path> {};

TEST_P(Language, MeetsItsExpectations) {
    test::ScratchDir dir;
    const std::string source = test::ScratchDir::read(GetParam().string());
    const test::Expectations x = test::readExpectations(source);
    ASSERT_FALSE(x.empty()) << "no expectations in " << GetParam();
    if (x.error) {
        EXPECT_TRUE(x.line >= 0 && x.hasMessage) << "an error case states line:column and message";
    }
    test::checkOutcome(x, test::compileCase(source, GetParam().parent_path().string(), x.options));
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
