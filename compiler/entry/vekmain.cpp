// The library's one entry point: one call, one compile.
#include "vek/vekmain.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "entry/compile_state.h"
#include "entry/output_name.h"
#include "events/range_extraction.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "writers/midi_writer.h"
#include "writers/sysex_records.h"
#include "writers/work_file.h"

namespace vek {

namespace {

constexpr const char *kVersionMessage = "Vek1.2.dll cannot be used with this program";
constexpr const char *kUsageMessage = "Usage: vek <filename>";
constexpr const char *kDefaultSearchTail = ";;include;../include";
constexpr int kCodeWorkFileTooSmall = 81;
constexpr int kCodeUnknownFormat = 82;
constexpr const char *kSysexCopyMessage =
    " The system-exclusive records could not be copied into the work file: sysex.out cannot be "
    "read";

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

// The caller's folders, then the current folder and the include folders
// beside and above it. Whole entries that do not fit are left out.
void buildSearchPath(SongContext &song, const char *callerPath) {
    const size_t room = sizeof song.searchPath - std::strlen(kDefaultSearchTail) - 1;
    size_t length = std::strlen(callerPath);
    if (length > room) {
        length = room;
        while (length > 0 && callerPath[length] != ';') --length;
    }
    std::memcpy(song.searchPath, callerPath, length);
    std::strcpy(song.searchPath + length, kDefaultSearchTail);
}

void copyArguments(SongContext &song, const VekmainArgs &a) {
    song.listingPath = text(a.listingPath);
    song.format = text(a.format);
    song.selectionStart = integer(a.selectionStart);
    song.selectionEnd = integer(a.selectionEnd);
    song.extractMode = integer(a.extractMode);
    buildSearchPath(song, text(a.includePath));
}

FilePtr openOutput(const char *sourcePath, const char *format, char *name, size_t size,
                   ParseError &r) {
    char stem[kPathBytes];
    std::snprintf(stem, sizeof stem, "%s", sourcePath);
    cutExtension(stem);
    FilePtr out;
    if (outputName(stem, format, name, size)) out.reset(std::fopen(name, "wb"));
    if (!out) {
        // The name is cut to leave room for the rest of the message.
        std::snprintf(r.message, sizeof r.message,
                      "Problem opening output file: %.150s The file may be in use by another program. ",
                      name);
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
    if (std::FILE *f = std::fopen(name, "wb")) std::fclose(f);
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
    if (result.code == kCodeWriteFailed) failWrite(r, name);
    if (result.code == kCodeSysexUnreadable) fail(r, kSysexCopyMessage);
    if (result.code == kCodeWorkFileLimits) failWithRow(r, kCodeWorkFileTooSmall, "");
    if (result.code == kCodeWaveUnreadable) {
        std::snprintf(r.message, sizeof r.message, " Unable to open wave file \"%.180s\"",
                      result.file.c_str());
        r.failed = 1;
        r.hasLocation = 0;
    }
    return result.code == 0;
}

bool writeFile(SongContext &song, FilePtr out, const char *name, ParseError &r) {
    if (std::strcmp(song.format, "midi") != 0) return writeWork(song, std::move(out), name, r);
    const int code = writeMidiFile(song, out.release());
    if (code == kCodeSysexMissing) fail(r, unwritableSysexMessage(song).c_str());
    if (code == kCodeWriteFailed) failWrite(r, name);
    return code == 0;
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

void run(int32_t count, const VekmainArgs &a, ParseError &r) {
    auto song = std::make_unique<SongContext>();
    const char *sourcePath = text(a.sourcePath);
    char sourceName[kPathBytes];
    if (std::strlen(sourcePath) >= sizeof sourceName) {
        std::snprintf(r.message, sizeof r.message, "Cannot open file %.200s", sourcePath);
        r.failed = 1;
        return;
    }
    std::strcpy(sourceName, sourcePath);
    copyArguments(*song, a);
    if (count != VEKMAIN_ARGUMENT_COUNT || std::strcmp(text(a.version), VEKMAIN_VERSION) != 0)
        fail(r, kVersionMessage);
    if (count < 2) return fail(r, kUsageMessage);
    if (!knownFormat(song->format)) return failWithRow(r, kCodeUnknownFormat, song->format);

    char outputPath[kPathBytes + 8];
    FilePtr out = openOutput(sourcePath, song->format, outputPath, sizeof outputPath, r);
    if (!out) return;
    {
        CompileState cs(sourceName, *song);
        try {
            cs.compile();
        } catch (const ParseError &e) {
            r = e;
            r.hasLocation = 1;
            r.failed = 1;
            return;
        }
        r.actions = static_cast<uint8_t>(cs.actions & 0xFF);
    }
    if (song->selectionFlag) extractRange(*song);
    extractSelectedTracks(*song);
    writeOutput(*song, std::move(out), outputPath, r);
}

}  // namespace

}  // namespace vek

extern "C" VEK_API ParseError Vekmain(int32_t count, const VekmainArgs *args) {
    ParseError result{};
    try {
        if (!args) {
            vek::fail(result, vek::kUsageMessage);
        } else {
            vek::run(count, *args, result);
        }
    } catch (const vek::FatalError &f) {
        vek::fail(result, f.message);
    } catch (const std::bad_alloc &) {
        vek::fail(result, "out of memory error");
    } catch (...) {
        vek::fail(result, "internal error: the compile stopped unexpectedly");
    }
    return result;
}
