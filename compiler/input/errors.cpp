#include "input/errors.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "events/limits.h"
#include "events/song_context.h"
#include "input/reader.h"
#include "vek/vekmain.h"

namespace vek {

namespace {

enum Argument : uint8_t { kNone, kName, kWord, kChar, kCharName, kLimit };

struct MessageRow {
    MessageCode code;
    const char *format;
    Argument argument;
    int limit;  // the number of a kLimit row
};

// ORDER MESSAGES: the order of messages/message_codes.h; texts exact, blanks
// included.
constexpr MessageRow kMessages[] = {
    {kMsgSysexOpenBracket, " Must start sysex definition with '['", kNone, 0},
    {kMsgTooManySysex, " Only %i sysex definitions allowed", kLimit, 64},
    {kMsgNoMemory, " Insufficient memory error", kNone, 0},
    {kMsgNoDefine, " No define with name \"%s\"", kName, 0},
    {kMsgBadNumber, " Bad number syntax ", kNone, 0},
    {kMsgDefinitionParentheses, " Parentheses error in definition %s", kName, 0},
    {kMsgOutOfRange, " Number out of range ", kNone, 0},
    {kMsgMissingLength, " Bad or missing duration/interval number ", kNone, 0},
    {kMsgNameTooLong, " Too many characters in symbol %s ", kName, 0},
    {kMsgTempoRange, " Invalid tempo parameter \n tempo range is 10->240", kNone, 0},
    {kMsgNotUnderstood, " Sorry, I can't figure out what \"%s\" means. ", kWord, 0},
    {kMsgMeterUnit, " Meter note length must be 1,2,4,8,16 or 32 ", kNone, 0},
    {kMsgMeterSyntax, " Invalid meter parameter.\nUse the format: meter=n/m e.g. meter=3/4.\n'm' should be a power of 2 (1,2,4,8,16 or 32)", kNone, 0},
    {kMsgInvalidKey, " Invalid key signature ", kNone, 0},
    {kMsgMacrosTooDeep, " Macros can only be nested to level %i\nYou may have a recursive call to a macro,\ni.e. a macro which calls itself.", kLimit, 200},
    {kMsgTooManyClosing, " Too many }", kNone, 0},
    {kMsgTooFewArguments, " Too few parameters in call to \"%s\"", kName, 0},
    {kMsgNoRate, "", kNone, 0},  // raised without a text
    {kMsgSplitName, " Unrecognized split/track name in split or into declaration ", kNone, 0},
    {kMsgInvalidParameter, " Invalid %s parameter ", kName, 0},
    {kMsgNoTrackOrSection, " No track or section with name \"%s\"", kName, 0},
    {kMsgTrackParameter, " Invalid track parameter ", kNone, 0},
    {kMsgSequenceStart, " Invalid sequence start  ", kNone, 0},
    {kMsgArgumentNumber, " Invalid parameter number in definition", kNone, 0},
    {kMsgSysexFile, " Cannot open sysex file for writing", kNone, 0},
    {kMsgBadSysex, " Bad sysex syntax in %s ", kName, 0},
    {kMsgSyntax, " Syntax error: %s", kName, 0},
    {kMsgHarmonyOffset, " Bad harmony offset", kNone, 0},
    {kMsgSplitFault, " Split fault ", kNone, 0},
    {kMsgNoInclude, " Unable to open include file \"%s\"", kName, 0},
    {kMsgPolyphonic, " Polyphonic only applies to aftertouch", kNone, 0},
    {kMsgSequenceSyntax, " Bad syntax in sequence", kNone, 0},
    {kMsgBadInChord, " Bad character in chord: %c ", kChar, 0},
    {kMsgBarZero, " Bad time format: 0;", kNone, 0},
    {kMsgPpqLate, " Ppq value should be at start of work ", kNone, 0},
    {kMsgUndefined, " Undefined name: %s", kName, 0},
    {kMsgNotAnElement, " Invalid symbol in pattern: \"%s\"", kName, 0},
    {kMsgOnOrOff, " Pattern name must be followed by 'on' or 'off'", kNone, 0},
    {kMsgUnbalanced, " No matching '(' for ')'", kNone, 0},
    {kMsgErasing, " Error erasing %s", kName, 0},
    {kMsgGapLength, " Need a duration for length of gap", kNone, 0},
    {kMsgIncluding, " Error while including file \"%s\"", kName, 0},
    {kMsgNoArgumentHere, " Cannot call a macro argument at this point", kNone, 0},
    {kMsgNeedTranspose, " Need a number for transpose value", kNone, 0},
    {kMsgStepTooLong, " Stepping length too long in seq", kNone, 0},
    {kMsgDefineBraces, " Define names should be enclosed in braces {<name>}", kNone, 0},
    {kMsgSmpte, " Invalid SMPTE code", kNone, 0},
    {kMsgReservedName, " \"%s\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration", kName, 0},
    {kMsgNameStart, " \"%s\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration", kName, 0},
    {kMsgMissingInDeclaration, " Missing \"%c\" in declaration of \"%s\" ", kCharName, 0},
    {kMsgOpenBracket, " \"[\" expected, or missing \"]\" in prior declaration ", kNone, 0},
    {kMsgPatchNumber, " Number expected in patch declaration ", kNone, 0},
    {kMsgTooManyDigits, " Too many digits in number ", kNone, 0},
    {kMsgBadMode, " Bad syntax in mode definition ", kNone, 0},
    {kMsgCascade, " Only %i cascaded inversions allowed ", kLimit, 10},
    {kMsgPickList, " Bad syntax in pick list definition", kNone, 0},
    {kMsgArgumentCounts, " pick defines have different argument counts", kNone, 0},
    {kMsgNoDefineInPick, " No define with name \"%s\" in pick declaration", kName, 0},
    {kMsgPickSyntax, " Syntax error in pick declaration", kNone, 0},
    {kMsgZeroWeight, " Pick-list has zero total weight", kNone, 0},
    {kMsgMissingGroupOpener, " Missing \"[\" in \"%s\" definition", kName, 0},
    {kMsgChannelRange, " Channel out of range ", kNone, 0},
    {kMsgUnmatched, " \"(\" or \"[\" unmatched", kNone, 0},
    {kMsgSysexMissing, " The sysex message \"%s\" cannot be written: its record is missing or does not start with F0 or F7", kName, 0},
    {kMsgNeedBrackets, "Strings for text, marker and cue events should be enclosed in brackets-- e.g. text [string] ", kNone, 0},
    {kMsgFrameRate, "SMPTE frames per second should be 24, 25, 30 or 30 drop. ", kNone, 0},
    {kMsgOpenBracketExpected, " '[' expected.", kNone, 0},
    {kMsgCloseBracket, " ']' expected.", kNone, 0},
    {kMsgIncludeFormat, "Include file format not supported in this release.", kNone, 0},
    {kMsgCannotOpen, "Cannot open file %s", kName, 0},
    {kMsgNoEventsToCopy, "No events to copy", kNone, 0},
    {kMsgBreakWord, "\"break\" keyword should be qualified with \"on\" or \"off\"", kNone, 0},
    {kMsgPickIndex, "Pick index must be in the range 0 (random) to 1 (sequential).\n Use fractional or decimal format. ", kNone, 0},
    {kMsgTooLong, " Piece too long: the source expands beyond %i characters. Check for runaway repeats or recursive macros.", kLimit, static_cast<int>(kMaxSourceCharacters)},
    {kMsgTimeTooFar, " Time too far: an event cannot start or end beyond tick %i, the longest gap a MIDI file can hold", kLimit, 0x0FFFFFFF},
    {kMsgWorkFileTooSmall, " The work file cannot hold this piece: its times end at tick %i, its bar numbers at 65535 and its bar lengths at 65535 ticks. Write a MIDI file instead", kLimit, 0xFFFFFF},
    {kMsgUnknownFormat, "Unknown output format \"%s\": use \"midi\" or \"wrk\"", kName, 0},
    {kMsgTooManyEvents, " Too many events: a piece may hold at most %i events", kLimit, static_cast<int>(kMaxEvents)},
    {kMsgNestedTooDeeply, " Groups nested too deeply: at most %i levels", kLimit, kMaxGroupDepth},
    {kMsgTooManyTracks, " Too many tracks: a piece may have at most %i tracks", kLimit, kMaxTracks},
    {kMsgNoFileLeft, " Cannot open include file \"%s\": the system allows this program no more open files", kName, 0},
    {kMsgListingIsSource, " The listing file \"%s\" is a source of this piece; name another listing", kName, 0},
    {kMsgOutputIsSource, " The output file \"%s\" would overwrite the source; rename the source to end in .vek", kName, 0},
    {kMsgFileName, " Unable to set filename ", kNone, 0},
};

constexpr bool rowsFollowCodes() {
    if (std::size(kMessages) != std::size(kMessageCodes)) return false;
    for (size_t i = 0; i < std::size(kMessages); ++i)
        if (kMessages[i].code != kMessageCodes[i]) return false;
    return true;
}
static_assert(rowsFollowCodes(), "one row per message code, in the order of message_codes.h");

const MessageRow *findRow(int code) {
    for (const MessageRow &row : kMessages)
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

const char *messageFormat(int code) {
    const MessageRow *row = findRow(code);
    return row && row->format[0] ? row->format : nullptr;
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
