// Compiles every example of the language guide (docs/**/*.md) and checks
// what the guide says about it. An example is a fenced block opened with
// "```vek". An HTML comment right after the block (blank lines between are
// allowed) holds its expectations, one per line, in the format of
// support/expectations.h, and these directives:
//   ' file: NAME           the block is an include file NAME for the examples
//                          after it on the same page, not an example
//   ' vek OPTIONS          compile through Vekmain with -f FORMAT,
//                          --select START:END and --extract (no errors)
//   ' expect output "T"    the output file contains the text T
// An example without a comment must compile without error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>

#include "input/errors.h"
#include "music/keywords.h"
#include "support/compile.h"
#include "support/expectations.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

const fs::path kDocs = fs::path(VEK_SOURCE_DIR) / "docs";
const fs::path kData = fs::path(VEK_SOURCE_DIR) / "data";

struct IncludeFile {
    std::string name;
    std::string text;
};

struct Example {
    fs::path page;
    int line = 0;  // of the opening fence, from 1
    std::string source;
    std::string notes;                  // the comment after the block
    std::vector<IncludeFile> includes;  // the page's include files before it
};

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

std::string directive(const std::string &notes, const std::string &word) {
    for (const std::string &line : lines(notes)) {
        const auto at = line.find("' " + word);
        if (at != std::string::npos) return line.substr(at + 2 + word.size());
    }
    return "";
}

bool isFence(const std::string &line) { return line.rfind("```", 0) == 0; }

// The comment that follows the block ending at line `end`, or "".
std::string notesAfter(const std::vector<std::string> &text, size_t end) {
    size_t i = end + 1;
    while (i < text.size() && text[i].find_first_not_of(" \t") == std::string::npos) ++i;
    if (i >= text.size() || text[i].rfind("<!--", 0) != 0) return "";
    std::string notes;
    for (; i < text.size(); ++i) {
        notes += text[i] + "\n";
        if (text[i].find("-->") != std::string::npos) break;
    }
    return notes;
}

void collectPage(const fs::path &page, std::vector<Example> &out) {
    const std::vector<std::string> text = lines(test::ScratchDir::read(page.string()));
    std::vector<IncludeFile> includes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!isFence(text[i])) continue;
        const bool vek = text[i] == "```vek";
        Example e{page, static_cast<int>(i + 1), "", "", includes};
        while (++i < text.size() && !isFence(text[i])) e.source += text[i] + "\n";
        if (!vek) continue;
        e.notes = notesAfter(text, i);
        const std::string file = directive(e.notes, "file:");
        if (!file.empty()) includes.push_back({file.substr(file.find_first_not_of(' ')), e.source});
        else out.push_back(e);
    }
}

std::vector<fs::path> pages() {
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(kDocs))
        if (entry.path().extension() == ".md") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Example> examples() {
    std::vector<Example> out;
    for (const fs::path &page : pages()) collectPage(page, out);
    return out;
}

// Through the library's entry point, as the vek command compiles; such an
// example must compile.
void checkThroughVekmain(const Example &e, const test::Expectations &x) {
    test::CompileOptions options = test::vekOptions(directive(e.notes, "vek"));
    options.includePath = kData.string();
    const test::CompileResult r = test::compileText(e.source, options);
    ASSERT_FALSE(r.failed()) << r.message() << " at " << r.result.position;
    const std::string output = directive(e.notes, "expect output");
    if (!output.empty()) {
        const auto open = output.find('"') + 1;
        const std::string wanted = output.substr(open, output.rfind('"') - open);
        EXPECT_NE(r.output.find(wanted), std::string::npos) << "no \"" << wanted << "\" in the output";
    }
    test::CaseOutcome o;
    o.midi = r.output;
    o.listing = r.listing;
    if (r.output.rfind("MThd", 0) == 0) test::checkOutcome(x, o);
}

// Names the example in failure messages instead of dumping its bytes.
void PrintTo(const Example &e, std::ostream *os) { *os << e.page.filename().string() << ":" << e.line; }

class GuideExample : public testing::TestWithParam<Example> {};

TEST_P(GuideExample, CompilesAsTheGuideSays) {
    const Example &e = GetParam();
    test::ScratchDir dir;
    for (const IncludeFile &f : e.includes) dir.write(f.name, f.text);
    const test::Expectations x = test::readExpectations(e.notes);
    if (!directive(e.notes, "vek").empty()) return checkThroughVekmain(e, x);
    test::checkOutcome(x, test::compileCase(e.source, kData.string()));
}

std::string exampleName(const testing::TestParamInfo<Example> &info) {
    std::string s = fs::relative(info.param.page, kDocs).replace_extension().string() + "_line_" +
                    std::to_string(info.param.line);
    for (char &c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

INSTANTIATE_TEST_SUITE_P(Docs, GuideExample, testing::ValuesIn(examples()), exampleName);

std::string readDoc(const char *name) { return test::ScratchDir::read((kDocs / name).string()); }

// A message added to the compiler without a word in the guide fails here.
TEST(GuideReference, ExplainsEveryMessage) {
    const std::string page = readDoc("guide/16-messages.md");
    ASSERT_FALSE(page.empty());
    for (int code = 1; code <= 100; ++code) {
        if (!messageFormat(code)) continue;
        EXPECT_NE(page.find("### " + std::to_string(code) + " "), std::string::npos)
            << "message " << code << " has no section";
    }
}

TEST(GuideReference, DescribesEveryReservedWord) {
    const std::string page = readDoc("guide/10-reserved-words.md");
    ASSERT_FALSE(page.empty());
    for (const char *word : kReservedWords)
        EXPECT_NE(page.find(std::string("### `") + word + "`"), std::string::npos)
            << "reserved word " << word << " has no section";
}

// The id the HTML converter gives a heading: {#id} when written, else the
// text in lower case with blanks as "-", without the characters other than
// letters, digits, "_", "-" and ".", and without what comes before the
// first letter.
std::string headingId(std::string heading) {
    if (const auto open = heading.rfind("{#"); open != std::string::npos)
        return heading.substr(open + 2, heading.find('}', open) - open - 2);
    std::string id;
    for (const char c : heading) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_' || c == '-' || c == '.') id += static_cast<char>(std::tolower(u));
        else if (c == ' ') id += '-';
    }
    const auto letter = std::find_if(id.begin(), id.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    return std::string(letter, id.end());
}

std::set<std::string> anchorsOf(const fs::path &page) {
    std::set<std::string> ids;
    for (const std::string &line : lines(test::ScratchDir::read(page.string())))
        if (line.rfind('#', 0) == 0) ids.insert(headingId(line.substr(line.find(' ') + 1)));
    return ids;
}

// Links between the pages must lead to a page that exists, and to a
// heading of it when they name one.
TEST(GuideReference, LinksLeadToPagesAndHeadings) {
    for (const fs::path &page : pages()) {
        const std::string text = test::ScratchDir::read(page.string());
        for (size_t at = text.find("]("); at != std::string::npos; at = text.find("](", at + 2)) {
            const std::string link = text.substr(at + 2, text.find(')', at) - at - 2);
            if (link.find("://") != std::string::npos) continue;
            const auto hash = link.find('#');
            const fs::path target = hash == 0 ? page : page.parent_path() / link.substr(0, hash);
            ASSERT_TRUE(fs::exists(target)) << page.filename() << " links to a missing " << link;
            if (hash == std::string::npos) continue;
            EXPECT_EQ(anchorsOf(target).count(link.substr(hash + 1)), 1u)
                << page.filename() << " links to a missing heading " << link;
        }
    }
}

}  // namespace
}  // namespace vek
