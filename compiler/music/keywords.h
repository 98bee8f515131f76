// The indices of the reserved words.
#pragma once
#include "vek/reserved_words.h"

namespace vek {

// ORDER RESERVED: the order of kReservedWords.
enum ReservedWord {
    kwAccent, kwAftertouch, kwAuthor, kwBreak, kwCchannel, kwChannel, kwChordEffect,
    kwChordPattern, kwChromatic, kwComments, kwControl, kwCopy, kwCopyright, kwCrescendo,
    kwCue, kwCursor, kwDebugOn, kwDebugOff, kwDiatonic, kwDisplacement, kwDrop, kwDuration,
    kwDurationFactor, kwGap, kwInclude, kwInstructions, kwInto, kwInv, kwKey, kwKeywords,
    kwList, kwListSmpte, kwMarker, kwMaximum, kwMci, kwMeter, kwMinChange, kwMinimum,
    kwMode, kwName2, kwNolist, kwNoteEffect, kwNotePattern, kwOctave, kwPatch, kwPattern,
    kwPick, kwPitchRange, kwPolyphonic, kwPort, kwPpq, kwRange, kwRate, kwRelativePitch,
    kwRestart, kwSeed, kwSet, kwShift, kwSmpte, kwSmpteOffset, kwSqueeze, kwStretch,
    kwSubtitle, kwSysex, kwTempo, kwTest, kwText, kwTime, kwTitle, kwTonality, kwTrack,
    kwVelocity, kwVelocityRange, kwW, kwWave, kwWheel, kwWipe, kwVek,
};
static_assert(kwVek == kReservedWordCount - 1, "one enumerator per reserved word");

}  // namespace vek
