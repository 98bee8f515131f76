#include "entry/compile_state.h"

#include <system_error>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/listing.h"
#include "input/open_file.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/keywords.h"
#include "statements/statement_parser.h"

namespace vek {

namespace {

constexpr const char *kSourceExtension = ".vek";

void setMusicalDefaults(CompileState &cs) {
    cs.wheelDefinition.eventKind = kPitchWheel;
    cs.wheelDefinition.minValue = -8192;
    cs.wheelDefinition.maxValue = 8191;
    cs.wheelDefinition.glideRangeHigh = 12;
    cs.wheelDefinition.glideRangeLow = -12;
    // Tempo values are read in hundredths of a beat per minute over 8-250.
    cs.tempoDefinition.eventKind = kTempoEvent;
    cs.tempoDefinition.minValue = 8;
    cs.tempoDefinition.maxValue = 250;
}

// The source as named, else with ".vek" appended. When neither opens, the
// message names both and why each failed.
std::FILE *openSource(CompileState &cs) {
    std::error_code first, second;
    if (std::FILE *f = openFile(cs.sourceName, "rb", first)) return f;
    const std::string given = cs.sourceName;
    cs.sourceName += kSourceExtension;
    if (std::FILE *f = openFile(cs.sourceName, "rb", second)) return f;
    const std::string nor = " (nor " + cs.sourceName;
    cs.messageName = first == second
                         ? given + nor + "): " + first.message()
                         : given + ": " + first.message() + nor + ": " + second.message() + ")";
    return nullptr;
}

// The meter every piece starts in: 4/4, 120 ticks a beat, key 0.
void addInitialMeter(CompileState &cs) {
    SongContext &song = *cs.song;
    song.division = 120;
    song.meterMap.insertMeter(MeterEntry{0, 1, 4, 2, 0, 120, 480});
    cs.meter = song.meterMap.meterAt(0, &cs.nextMeterTime);
}

void startSelection(SongContext &song) {
    if (song.selectionStart == song.selectionEnd) return;
    song.selectionFlag = 1;
    song.selectionStartTime = 0;
    song.selectionEndTime = kNoNextTime;
}

void createDefaultTrack(CompileState &cs) {
    SongContext &song = *cs.song;
    Track *track = song.newTrack();
    if (!track) error(cs, kMsgNoMemory);
    song.defaultTrackStorage.reset(track);
    song.defaultTrack = track;
    cs.root.track = track;
}

void registerReservedWords(HashTable &symbols) {
    for (int i = 0; i < kReservedWordCount; ++i)
        symbols.addNumber(kReservedWord, i, kReservedWords[i]);
}

}  // namespace

CompileState::CompileState(const char *sourcePath, SongContext &songContext)
    : song(&songContext), sourceName(sourcePath) {
    setMusicalDefaults(*this);
}

CompileState::~CompileState() { closeFiles(); }

void CompileState::refreshQuiet() {
    quiet = (listOn | debugOn | song->selectionFlag) == 0 && song->extractMode == 0;
}

void CompileState::open() {
    pushStream(*this, nullptr, song->listingPath);
    listingPending = 1;
    std::FILE *source = openSource(*this);
    in.current = pushStream(*this, source, sourceName);
    if (!source) error(*this, kMsgCannotOpen);
    song->filesRead.emplace_back(sourceName);
    addInitialMeter(*this);
    startSelection(*song);
    refreshQuiet();
    echoLine[0] = '\0';
    createDefaultTrack(*this);
    registerReservedWords(symbols);
    resetCache(*this);
}

void CompileState::compile() {
    open();
    parseGroup(*this, root);
    closeFiles();
}

void CompileState::closeFiles() {
    while (in.depth > 0) {
        std::FILE *&f = in.streams[--in.depth];
        if (f) std::fclose(f);
        f = nullptr;
    }
    if (listingPending) {
        listingPending = 0;
        listingRefused = saveListing(*this) ? 0 : 1;
    }
}

}  // namespace vek
