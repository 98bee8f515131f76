#include "cli/import_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/printable.h"
#include "import/midi_import.h"

namespace vek::cli {

namespace {

int fail(int status, const std::string &text) {
    std::fputs(printable(text + "\n").c_str(), stderr);
    return status;
}

}  // namespace

bool isImport(const std::vector<std::string> &args) {
    return std::find(args.begin(), args.end(), "--import") != args.end();
}

int runImport(const std::vector<std::string> &args) {
    std::string in, out;
    bool force = false;
    import::ImportOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--import" && hasValue && in.empty()) in = args[++i];
        else if (a == "-o" && hasValue) out = args[++i];
        else if (a == "--force") force = true;
        else if (a == "--quantize" && hasValue) options.quantize = import::parseQuantize(args[++i]);
        else return fail(2, "vek: --import: unexpected or incomplete option '" + a + "'\n"
                            "usage: vek --import IN.mid [-o OUT.vek] [--force] [--quantize 1/N]");
        if (a == "--quantize" && options.quantize <= 0)
            return fail(2, "vek: --quantize: expected 1/N with N from 1 to 9999, such as 1/16, found '" + args[i] + "'");
    }
    namespace fs = std::filesystem;
    if (out.empty()) out = fs::path(in).replace_extension(".vek").string();
    std::error_code ec;
    if (!force && fs::exists(out, ec))
        return fail(1, "vek: " + out + " exists; give --force to overwrite it or -o another name");
    if (!fs::is_regular_file(in, ec)) return fail(1, "vek: cannot read " + in + ": no such file");
    options.sourceName = fs::path(in).filename().string();
    std::string text;
    try {
        text = import::importMidi(midi::readSmfFile(in), options);
    } catch (const midi::SmfError &e) {
        return fail(1, in + ": " + e.what());
    }
    // Written beside and renamed, so a failed write leaves no cut-off piece.
    const std::string scratch = out + ".part";
    {
        std::ofstream file(scratch, std::ios::binary);
        file << text;
        if (!file.flush()) {
            fs::remove(scratch, ec);
            return fail(1, "vek: cannot write " + out);
        }
    }
    fs::rename(scratch, out, ec);
    if (ec) {
        fs::remove(scratch, ec);
        return fail(1, "vek: cannot write " + out);
    }
    return 0;
}

}  // namespace vek::cli
