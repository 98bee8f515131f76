// The library's one entry point: one call, one compile.
#include "vek/vekmain.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "entry/compile_state.h"
#include "entry/event_map.h"
#include "entry/output_name.h"
#include "events/fatal_error.h"
#include "events/note_sources.h"
#include "events/range_extraction.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/files_read.h"
#include "music/sysex_records.h"
#include "platform/native_path.h"
#include "vek/shared_names.h"
#include "writers/midi_writer.h"
#include "writers/sysex_file.h"
#include "writers/work_file.h"

namespace vek {

namespace {

constexpr const char *kVersionMessage = "Vek1.2.dll cannot be used with this program";
constexpr const char *kUsageMessage = "Usage: vek <filename>";
constexpr const char *kSourceExtension = ".vek";

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

void fail(ParseError &r, const char *message) {
    std::snprintf(r.message, sizeof r.message, "%s", message);
    r.failed = 1;
    r.hasLocation = 0;
}

// A message of the table, with `name` in it, and no position.
void failWithRow(ParseError &r, int code, const char *name) {
    formatMessage(r.message, code, name, "", 0);
    r.failed = 1;
    r.hasLocation = 0;
}

const char *text(const char *p) { return p ? p : ""; }
int32_t integer(const int32_t *p) { return p ? *p : 0; }


void copyArguments(SongContext &song, const VekmainArgs &a) {
    song.listingPath = text(a.listingPath);
    song.format = text(a.format);
    song.selectionStart = integer(a.selectionStart);
    song.selectionEnd = integer(a.selectionEnd);
    song.extractMode = integer(a.extractMode);
    // The caller's folders, then the current folder and the include
    // folders beside and above it.
    song.searchPath = std::string(text(a.includePath)) + kDefaultSearchTail;
}

// The file the compile will read: the name as given, else with ".vek".
std::string sourceFile(const char *sourcePath) {
    std::error_code ec;
    const std::string given = sourcePath;
    const bool usable = std::filesystem::exists(nativePath(given), ec) &&
                        !std::filesystem::is_directory(nativePath(given), ec);
    return usable ? given : given + kSourceExtension;
}

// Creates the output empty, so that a failed compile leaves no stale
// music behind; refuses a name that is the source itself.
FilePtr openOutput(const char *sourcePath, const char *format, std::string &name, ParseError &r) {
    std::string stem = sourcePath;
    cutExtension(stem.data());
    stem.resize(std::strlen(stem.c_str()));
    std::vector<char> buffer(stem.size() + 8);
    FilePtr out;
    const bool named = outputName(stem.c_str(), format, buffer.data(), buffer.size());
    if (named) name = buffer.data();
    if (named && sameFile(name, sourceFile(sourcePath))) {
        failWithRow(r, kMsgOutputIsSource, name.c_str());
        return out;
    }
    if (named) out.reset(openNative(name, "wb"));
    if (!out) {
        // The name is cut to leave room for the rest of the message.
        std::snprintf(r.message, sizeof r.message,
                      "Problem opening output file: %.150s The file may be in use by another program. ",
                      name.c_str());
        r.failed = 1;
    }
    return out;
}

bool knownFormat(const char *format) {
    return std::strcmp(format, "midi") == 0 || std::strcmp(format, "wrk") == 0;
}

// A failed write leaves the output as a failed compile does: empty, never
// a part that looks like music.
void emptyOutput(const char *name) {
    if (std::FILE *f = openNative(name, "wb")) std::fclose(f);
}

void failWrite(ParseError &r, const char *name) {
    std::snprintf(r.message, sizeof r.message,
                  "Problem writing output file: %.150s The disk may be full. ", name);
    r.failed = 1;
}

// The work file's wave files are read relative to the current folder,
// which is the document's folder when the editor compiles. False when the
// file was not written.
bool writeWork(SongContext &song, FilePtr out, const char *name, ParseError &r) {
    const WorkFileResult result = writeWorkFile(song, out.release());
    if (result.code == WriteResult::ioError) failWrite(r, name);
    if (result.code == WriteResult::overLimits) failWithRow(r, kMsgWorkFileTooSmall, "");
    if (result.code == WriteResult::waveUnreadable) {
        std::snprintf(r.message, sizeof r.message, " Unable to open wave file \"%.180s\"",
                      result.file.c_str());
        r.failed = 1;
        r.hasLocation = 0;
    }
    return result.code == WriteResult::ok;
}

bool writeFile(SongContext &song, FilePtr out, const char *name, ParseError &r) {
    if (std::strcmp(song.format, "midi") != 0) return writeWork(song, std::move(out), name, r);
    const WriteResult result = writeMidiFile(song, out.release());
    if (result == WriteResult::sysexMissing) fail(r, unwritableSysexMessage(song).c_str());
    if (result == WriteResult::ioError) failWrite(r, name);
    return result == WriteResult::ok;
}

void writeOutput(SongContext &song, FilePtr out, const char *name, ParseError &r) {
    bool written = false;
    try {
        written = writeFile(song, std::move(out), name, r);
    } catch (...) {
        emptyOutput(name);
        throw;
    }
    if (!written) emptyOutput(name);
}

// Parses the source (which writes the listing); false when the compile
// failed.
bool compileSource(SongContext &song, const char *sourcePath, ParseError &r) {
    // On the heap: the read cache alone is 40 KiB, too much for the stack of
    // a host's worker thread.
    const auto state = std::make_unique<CompileState>(sourcePath, song);
    CompileState &cs = *state;
    try {
        cs.compile();
        r.actions = static_cast<uint8_t>(cs.actions & 0xFF);
        if (song.noteSources) song.noteSources->files = cs.in.names;
    } catch (const ParseError &e) {
        r = e;
        r.hasLocation = 1;
        r.failed = 1;
        return false;
    }
    if (cs.listingRefused) {
        failWithRow(r, kMsgListingIsSource, song.listingPath);
        return false;
    }
    return true;
}

// "sysex.out" is left for other programs, never over a file of this
// compile.
bool leaveSysexFile(const SongContext &song) {
    if (readByCompile(song, kSysexFileName) || sameFile(song.listingPath, kSysexFileName) ||
        sameFile(song.outputPath, kSysexFileName))
        return true;
    return saveSysexFile(song.sysexRecords);
}

// Through the compile: the output, created empty, when it succeeded; else
// null, and the output stays empty.
FilePtr compile(int32_t count, const VekmainArgs &a, SongContext &song, ParseError &r) {
    const char *sourcePath = text(a.sourcePath);
    copyArguments(song, a);
    if (count != VEKMAIN_ARGUMENT_COUNT || std::strcmp(text(a.version), VEKMAIN_VERSION) != 0)
        fail(r, kVersionMessage);
    if (count < 2) {
        fail(r, kUsageMessage);
        return nullptr;
    }
    if (!knownFormat(song.format)) {
        failWithRow(r, kMsgUnknownFormat, song.format);
        return nullptr;
    }
    FilePtr out = openOutput(sourcePath, song.format, song.outputPath, r);
    if (!out) return nullptr;
    return compileSource(song, sourcePath, r) ? std::move(out) : nullptr;
}

// Every compile leaves "sysex.out", empty when the piece has no sysex or
// the compile stopped before any. It is written before the output, so
// that failing to write it leaves the output empty like any failure.
// With a map, the notes' source places are logged while the source is
// read and reported once the output is written.
void run(int32_t count, const VekmainArgs &a, ParseError &r, VekEventMap *map) {
    auto song = std::make_unique<SongContext>();
    NoteSourceLog log;
    if (map) song->noteSources = &log;
    FilePtr out = compile(count, a, *song, r);
    const bool sysexLeft = leaveSysexFile(*song);
    if (!out) return;
    if (!sysexLeft) return failWithRow(r, kMsgSysexFile, kSysexFileName);
    Stretch stretch{};
    if (song->selectionFlag) stretch = extractRange(*song);
    extractSelectedTracks(*song);
    writeOutput(*song, std::move(out), song->outputPath.c_str(), r);
    if (map && !r.failed) reportEventMap(*song, log, song->selectionFlag ? &stretch : nullptr, *map);
}

ParseError guardedRun(int32_t count, const VekmainArgs *args, VekEventMap *map) {
    ParseError result{};
    try {
        if (!args) {
            fail(result, kUsageMessage);
        } else {
            run(count, *args, result, map);
        }
    } catch (const FatalError &f) {
        failWithRow(result, f.code, "");
    } catch (const std::bad_alloc &) {
        failWithRow(result, kMsgNoMemory, "");
    } catch (...) {
        fail(result, "internal error: the compile stopped unexpectedly");
    }
    return result;
}

}  // namespace

}  // namespace vek

extern "C" VEK_API ParseError Vekmain(int32_t count, const VekmainArgs *args) {
    return vek::guardedRun(count, args, nullptr);
}

extern "C" VEK_API ParseError VekmainWithMap(int32_t count, const VekmainArgs *args,
                                             VekEventMap *map) {
    return vek::guardedRun(count, args, map);
}
