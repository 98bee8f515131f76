#include "entry/compile_state.h"

#include <cstring>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/keywords.h"
#include "statements/statement_parser.h"
#include "writers/listing.h"

namespace vek {

namespace {

constexpr int kCodeNoMemory = 3;
constexpr int kCodeCannotOpen = 75;
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

std::FILE *openSource(CompileState &cs) {
    if (std::FILE *f = std::fopen(cs.sourceName, "rb")) return f;
    const size_t length = std::strlen(cs.sourceName);
    if (length + std::strlen(kSourceExtension) < static_cast<size_t>(kPathBytes))
        std::strcat(cs.sourceName, kSourceExtension);
    return std::fopen(cs.sourceName, "rb");
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
    if (!track) error(cs, kCodeNoMemory);
    song.defaultTrackStorage.reset(track);
    song.defaultTrack = track;
    cs.root.track = track;
}

void registerReservedWords(SongContext &song) {
    for (int i = 0; i < kReservedWordCount; ++i)
        song.symbols.addNumber(kReservedWord, i, kReservedWords[i]);
}

}  // namespace

CompileState::CompileState(char *sourceNameBuffer, SongContext &songContext)
    : song(&songContext), sourceName(sourceNameBuffer) {
    setMusicalDefaults(*this);
}

CompileState::~CompileState() { closeFiles(); }

void CompileState::open() {
    pushStream(*this, nullptr, song->listingPath);
    listingPending = 1;
    std::FILE *source = openSource(*this);
    if (!source) {
        std::snprintf(in.names[kSourceSlot], kStreamNameBytes, "%s", sourceName);
        std::snprintf(name, kNameBytes, "%s", sourceName);
        error(*this, kCodeCannotOpen);
    }
    song->filesRead.emplace_back(sourceName);
    in.current = pushStream(*this, source, sourceName);
    addInitialMeter(*this);
    startSelection(*song);
    echoLine[0] = '\0';
    createDefaultTrack(*this);
    registerReservedWords(*song);
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
