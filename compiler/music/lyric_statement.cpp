// The quoted lyric statement: words laid over the music already written.
#include <string>

#include "events/song_context.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_statement.h"
#include "music/keyword_words.h"
#include "music/ticks.h"
#include "statements/statement_parser.h"

namespace vek {

namespace {

constexpr int kMaxLyricWords = 5000;

bool startsWord(int c) { return isNameStart(c) || c == '\\'; }
bool startsLength(int c) { return c >= '+' && c <= ';'; }

// A word ends where a name would, and also at a bar line, so that "la|"
// is the word "la" lasting to the bar line. Read raw: "{" and "," are text.
bool endsWord(int c) { return isNameDelimiter(c) || c == '|'; }

// Reads one word with its hyphen and trailing blank and stores it at the
// voice's time.
void storeWord(CompileState &cs, Track *track) {
    std::string word;
    while (!endsWord(cs.ch)) {
        word += static_cast<char>(cs.ch);
        nextChar(cs, kReadRaw);
    }
    if (cs.ch == '-') {
        word += '-';
        advance(cs);
    }
    word += ' ';
    SongContext &song = *cs.song;
    const int32_t time = cs.voice->timing.time;
    checkEventTime(cs, time);
    if (track) track->insert(Event{time, kMetaLyric, kMetaText, 0, 0, song.storeText(word)});
    if (time > song.endTime) song.endTime = time;
}

// What follows a word sets its length: a number (from the word's start),
// a bar line (the word lasts up to it), or nothing (one default length).
void wordLength(CompileState &cs, int32_t wordTime, bool afterWord) {
    VoiceState &v = *cs.voice;
    if (startsLength(cs.ch)) {
        v.timing.time = wordTime;
        timeValue(cs);
    } else if (cs.ch == '|') {
        v.timing.time = wordTime + 1;
        barLine(cs);
    } else if (afterWord) {
        v.timing.time += v.timing.defaultDuration;
    } else {
        advance(cs);  // a stray character: skipped, taking no time
    }
}

}  // namespace

void LyricStatement(CompileState &cs) {
    VoiceState &v = *cs.voice;
    const int32_t savedTime = v.timing.time;
    const int32_t savedStep = v.timing.step;
    v.timing.step = 0;
    Track *track = v.track;
    if (track) track->hasText = 1;
    advance(cs);
    int32_t wordTime = v.timing.time;
    for (int words = 0; words < kMaxLyricWords;) {
        skipBlanks(cs);
        if (cs.ch == kEndOfInput) return;
        if (cs.ch == '"') {
            advance(cs);
            break;
        }
        const bool word = startsWord(cs.ch);
        if (word) {
            wordTime = v.timing.time;
            storeWord(cs, track);
            ++words;
        }
        wordLength(cs, wordTime, word);
    }
    v.timing.time = savedTime;
    v.timing.step = savedStep;
}

}  // namespace vek
