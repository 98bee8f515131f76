#include "input/errors.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "entry/limits.h"
#include "events/song_context.h"
#include "input/reader.h"
#include "vek/vekmain.h"

namespace vek {

namespace {

enum Argument : uint8_t { kNone, kName, kWord, kChar, kCharName, kLimit };

struct MessageRow {
    int code;
    const char *format;
    Argument argument;
    int limit;  // the number of a kLimit row
};

// ORDER MESSAGES: codes ascending; texts exact, blanks included.
constexpr MessageRow kMessages[] = {
    {1, " Must start sysex definition with '['", kNone, 0},
    {2, " Only %i sysex definitions allowed", kLimit, 64},
    {3, " Insufficient memory error", kNone, 0},
    {4, " No define with name \"%s\"", kName, 0},
    {5, " Bad number syntax ", kNone, 0},
    {6, " Parentheses error in definition %s", kName, 0},
    {7, " Number out of range ", kNone, 0},
    {8, " Bad or missing duration/interval number ", kNone, 0},
    {9, " Too many characters in symbol %s ", kName, 0},
    {10, " Invalid tempo parameter \n tempo range is 10->240", kNone, 0},
    {11, " Sorry, I can't figure out what \"%s\" means. ", kWord, 0},
    {12, " Meter note length must be 1,2,4,8,16 or 32 ", kNone, 0},
    {13, " Invalid meter parameter.\nUse the format: meter=n/m e.g. meter=3/4.\n'm' should be a power of 2 (1,2,4,8,16 or 32)", kNone, 0},
    {14, " Invalid key signature ", kNone, 0},
    {15, " Macros can only be nested to level %i\nYou may have a recursive call to a macro,\ni.e. a macro which calls itself.", kLimit, 200},
    {16, " Too many }", kNone, 0},
    {17, " Too few parameters in call to \"%s\"", kName, 0},
    {20, " Unrecognized split/track name in split or into declaration ", kNone, 0},
    {21, " Invalid %s parameter ", kName, 0},
    {22, " No track or section with name \"%s\"", kName, 0},
    {23, " Invalid track parameter ", kNone, 0},
    {24, " Invalid sequence start  ", kNone, 0},
    {25, " Invalid parameter number in definition", kNone, 0},
    {26, " Cannot open sysex file for writing", kNone, 0},
    {27, " Bad sysex syntax in %s ", kName, 0},
    {28, " Syntax error: %s", kName, 0},
    {29, " Bad harmony offset", kNone, 0},
    {30, " Split fault ", kNone, 0},
    {31, " Unable to open include file \"%s\"", kName, 0},
    {32, " Polyphonic only applies to aftertouch", kNone, 0},
    {34, " Bad syntax in sequence", kNone, 0},
    {35, " Bad character in chord: %c ", kChar, 0},
    {36, " Bad time format: 0;", kNone, 0},
    {37, " Ppq value should be at start of work ", kNone, 0},
    {38, " Undefined name: %s", kName, 0},
    {39, " Invalid symbol in pattern: \"%s\"", kName, 0},
    {40, " Pattern name must be followed by 'on' or 'off'", kNone, 0},
    {41, " No matching '(' for ')'", kNone, 0},
    {42, " Error erasing %s", kName, 0},
    {43, " Need a duration for length of gap", kNone, 0},
    {44, " Error while including file \"%s\"", kName, 0},
    {45, " Cannot call a macro argument at this point", kNone, 0},
    {46, " Need a number for transpose value", kNone, 0},
    {47, " Stepping length too long in seq", kNone, 0},
    {48, " Define names should be enclosed in braces {<name>}", kNone, 0},
    {49, " Invalid SMPTE code", kNone, 0},
    {50, " \"%s\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration", kName, 0},
    {51, " \"%s\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration", kName, 0},
    {52, " Missing \"%c\" in declaration of \"%s\" ", kCharName, 0},
    {53, " \"[\" expected, or missing \"]\" in prior declaration ", kNone, 0},
    {54, " Number expected in patch declaration ", kNone, 0},
    {55, " Too many digits in number ", kNone, 0},
    {56, " Bad syntax in mode definition ", kNone, 0},
    {57, " Only %i cascaded inversions allowed ", kLimit, 10},
    {58, " Bad syntax in pick list definition", kNone, 0},
    {59, " pick defines have different argument counts", kNone, 0},
    {60, " No define with name \"%s\" in pick declaration", kName, 0},
    {61, " Syntax error in pick declaration", kNone, 0},
    {62, " Pick-list has zero total weight", kNone, 0},
    {63, " Missing \"[\" in \"%s\" definition", kName, 0},
    {65, " Channel out of range ", kNone, 0},
    {67, " \"(\" or \"[\" unmatched", kNone, 0},
    {70, "Strings for text, marker and cue events should be enclosed in brackets-- e.g. text [string] ", kNone, 0},
    {71, "SMPTE frames per second should be 24, 25, 30 or 30 drop. ", kNone, 0},
    {72, " '[' expected.", kNone, 0},
    {73, " ']' expected.", kNone, 0},
    {74, "Include file format not supported in this release.", kNone, 0},
    {75, "Cannot open file %s", kName, 0},
    {76, "No events to copy", kNone, 0},
    {77, "\"break\" keyword should be qualified with \"on\" or \"off\"", kNone, 0},
    {78, "Pick index must be in the range 0 (random) to 1 (sequential).\n Use fractional or decimal format. ", kNone, 0},
    {kCodeTooLong, " Piece too long: the source expands beyond %i characters. Check for runaway repeats or recursive macros.", kLimit, static_cast<int>(kMaxSourceCharacters)},
    {80, " Time too far: an event cannot start or end beyond tick %i, the longest gap a MIDI file can hold", kLimit, 0x0FFFFFFF},
    {81, " The work file cannot hold this piece: its times end at tick %i, its bar numbers at 65535 and its bar lengths at 65535 ticks. Write a MIDI file instead", kLimit, 0xFFFFFF},
    {82, "Unknown output format \"%s\": use \"midi\" or \"wrk\"", kName, 0},
    {83, " Too many events: a piece may hold at most %i events", kLimit, static_cast<int>(kMaxEvents)},
    {84, " Groups nested too deeply: at most %i levels", kLimit, kMaxGroupDepth},
    {85, " Too many tracks: a piece may have at most %i tracks", kLimit, kMaxTracks},
    {86, " Cannot open include file \"%s\": the system allows this program no more open files", kName, 0},
    {90, " The listing file \"%s\" is a source of this piece; name another listing", kName, 0},
    {91, " The output file \"%s\" would overwrite the source; rename the source to end in .vek", kName, 0},
    {100, " Unable to set filename ", kNone, 0},
};

const MessageRow *findRow(int code) {
    for (const MessageRow &row : kMessages)
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

const char *messageFormat(int code) {
    const MessageRow *row = findRow(code);
    return row ? row->format : nullptr;
}

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
void formatMessage(char *out, int code, const char *name, const char *word, int ch) {
    out[0] = '\0';
    const MessageRow *row = findRow(code);
    if (!row) return;
    const char c = static_cast<char>(ch);
    switch (row->argument) {
    case kNone: std::snprintf(out, kMessageBytes, "%s", row->format); break;
    case kName: std::snprintf(out, kMessageBytes, row->format, name); break;
    case kWord: std::snprintf(out, kMessageBytes, row->format, word); break;
    case kChar: std::snprintf(out, kMessageBytes, row->format, c); break;
    case kCharName: std::snprintf(out, kMessageBytes, row->format, c, name); break;
    case kLimit: std::snprintf(out, kMessageBytes, row->format, row->limit); break;
    }
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

// The record's field holds 79 characters; a longer name keeps its end
// after "...", as that tells the file apart.
void copyFileName(char (&field)[80], const std::string &name) {
    const size_t room = sizeof field - 1;
    const std::string shown = name.size() <= room ? name : "..." + name.substr(name.size() - room + 3);
    shown.copy(field, room);
    field[shown.size()] = '\0';
}

}  // namespace

void raiseError(CompileState &cs, int code) {
    const int stream = cs.in.current;
    const int32_t where = position(cs);
    cs.echoLine[cs.echoIndex] = '\0';

    SourceError e{};
    e.code = code;
    const char *name = cs.messageName.empty() ? cs.name : cs.messageName.c_str();
    formatMessage(e.message, code, name, cs.statementWord, cs.ch);
    if (stream < cs.in.depth) copyFileName(e.fileName, cs.in.names[stream]);
    cs.closeFiles();
    e.stream = stream;
    e.reserved1 = 0;
    e.position = where;
    throw e;
}

}  // namespace vek
