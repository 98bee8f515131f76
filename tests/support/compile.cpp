#include "support/compile.h"

#include <fstream>

#include "support/scratch_dir.h"

namespace vek::test {

namespace {
std::string stemOf(const std::string &name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
}  // namespace

CompileResult compileText(const std::string &source, const CompileOptions &o) {
    {
        std::ofstream out(o.sourceName, std::ios::binary);
        out << source;
    }
    VekmainArgs args{o.sourceName.c_str(), o.format.c_str(), o.listingName.c_str(),
                     o.includePath.c_str(), &o.selectionStart, &o.selectionEnd,
                     &o.extractMode, o.version.c_str()};
    CompileResult r{};
    r.result = Vekmain(o.count, &args);
    const std::string ext = o.format == "midi" ? ".mid" : ".wrk";
    r.output = ScratchDir::read(stemOf(o.sourceName) + ext);
    r.listing = ScratchDir::read(o.listingName);
    return r;
}

}  // namespace vek::test
