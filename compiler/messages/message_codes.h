// Every message code the compiler raises, one name each. The numbers are
// the ones the guide's message list explains; the texts are the rows of
// input/errors.cpp, which must follow this list in order (checked there).
#pragma once

namespace vek {

// ORDER MESSAGES: codes ascending, one row each in input/errors.cpp.
#define VEK_MESSAGE_CODES(X) \
    X(kMsgSysexOpenBracket, 1) \
    X(kMsgTooManySysex, 2) \
    X(kMsgNoMemory, 3) \
    X(kMsgNoDefine, 4) \
    X(kMsgBadNumber, 5) \
    X(kMsgDefinitionParentheses, 6) \
    X(kMsgOutOfRange, 7) \
    X(kMsgMissingLength, 8) \
    X(kMsgNameTooLong, 9) \
    X(kMsgTempoRange, 10) \
    X(kMsgNotUnderstood, 11) \
    X(kMsgMeterUnit, 12) \
    X(kMsgMeterSyntax, 13) \
    X(kMsgInvalidKey, 14) \
    X(kMsgMacrosTooDeep, 15) \
    X(kMsgTooManyClosing, 16) \
    X(kMsgTooFewArguments, 17) \
    X(kMsgNoRate, 18) \
    X(kMsgSplitName, 20) \
    X(kMsgInvalidParameter, 21) \
    X(kMsgNoTrackOrSection, 22) \
    X(kMsgTrackParameter, 23) \
    X(kMsgSequenceStart, 24) \
    X(kMsgArgumentNumber, 25) \
    X(kMsgSysexFile, 26) \
    X(kMsgBadSysex, 27) \
    X(kMsgSyntax, 28) \
    X(kMsgHarmonyOffset, 29) \
    X(kMsgSplitFault, 30) \
    X(kMsgNoInclude, 31) \
    X(kMsgPolyphonic, 32) \
    X(kMsgSequenceSyntax, 34) \
    X(kMsgBadInChord, 35) \
    X(kMsgBarZero, 36) \
    X(kMsgPpqLate, 37) \
    X(kMsgUndefined, 38) \
    X(kMsgNotAnElement, 39) \
    X(kMsgOnOrOff, 40) \
    X(kMsgUnbalanced, 41) \
    X(kMsgErasing, 42) \
    X(kMsgGapLength, 43) \
    X(kMsgIncluding, 44) \
    X(kMsgNoArgumentHere, 45) \
    X(kMsgNeedTranspose, 46) \
    X(kMsgStepTooLong, 47) \
    X(kMsgDefineBraces, 48) \
    X(kMsgSmpte, 49) \
    X(kMsgReservedName, 50) \
    X(kMsgNameStart, 51) \
    X(kMsgMissingInDeclaration, 52) \
    X(kMsgOpenBracket, 53) \
    X(kMsgPatchNumber, 54) \
    X(kMsgTooManyDigits, 55) \
    X(kMsgBadMode, 56) \
    X(kMsgCascade, 57) \
    X(kMsgPickList, 58) \
    X(kMsgArgumentCounts, 59) \
    X(kMsgNoDefineInPick, 60) \
    X(kMsgPickSyntax, 61) \
    X(kMsgZeroWeight, 62) \
    X(kMsgMissingGroupOpener, 63) \
    X(kMsgChannelRange, 65) \
    X(kMsgUnmatched, 67) \
    X(kMsgSysexMissing, 68) \
    X(kMsgNeedBrackets, 70) \
    X(kMsgFrameRate, 71) \
    X(kMsgOpenBracketExpected, 72) \
    X(kMsgCloseBracket, 73) \
    X(kMsgIncludeFormat, 74) \
    X(kMsgCannotOpen, 75) \
    X(kMsgNoEventsToCopy, 76) \
    X(kMsgBreakWord, 77) \
    X(kMsgPickIndex, 78) \
    X(kMsgTooLong, 79) \
    X(kMsgTimeTooFar, 80) \
    X(kMsgWorkFileTooSmall, 81) \
    X(kMsgUnknownFormat, 82) \
    X(kMsgTooManyEvents, 83) \
    X(kMsgNestedTooDeeply, 84) \
    X(kMsgTooManyTracks, 85) \
    X(kMsgNoFileLeft, 86) \
    X(kMsgListingIsSource, 90) \
    X(kMsgOutputIsSource, 91) \
    X(kMsgFileName, 100)

enum MessageCode : int {
#define VEK_MESSAGE_ENUMERATOR(name, code) name = code,
    VEK_MESSAGE_CODES(VEK_MESSAGE_ENUMERATOR)
#undef VEK_MESSAGE_ENUMERATOR
};

// The codes in list order, for the table's check.
constexpr MessageCode kMessageCodes[] = {
#define VEK_MESSAGE_ELEMENT(name, code) name,
    VEK_MESSAGE_CODES(VEK_MESSAGE_ELEMENT)
#undef VEK_MESSAGE_ELEMENT
};

}  // namespace vek
