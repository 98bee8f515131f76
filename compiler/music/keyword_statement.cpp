// KeywordStatement: one case per reserved word, in the order of the
// reserved-word table.
#include "music/keyword_statement.h"

#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/copy_statement.h"
#include "music/keyword_words.h"
#include "music/keys_modes.h"
#include "music/keywords.h"
#include "music/macros.h"
#include "statements/declarations.h"

namespace vek {

bool KeywordStatement(CompileState &cs, int index) {
    if (index < 0 || index >= kReservedWordCount) return false;
    skipBlanks(cs);
    // ORDER RESERVED: one case per reserved word.
    switch (index) {
    case kwAccent: accentWord(cs); break;                          // accent [+|=] n
    case kwAftertouch: controllerDeclaration(cs, index); break;    // aftertouch name | [names]
    case kwAuthor: songTextWord(cs, index); break;                 // author [text]
    case kwBreak: breakWord(cs); break;                            // break on|off
    case kwCchannel: cchannelWord(cs); break;                      // cchannel [=] n
    case kwChannel: channelWord(cs); break;                        // channel [+|=] n, $$
    case kwChordEffect: DefineStatement(cs, index); break;         // chord_effect name {body} | [...]
    case kwChordPattern: DefineStatement(cs, index); break;        // chord_pattern name {body} | [...]
    case kwChromatic: chromaticWord(cs); break;                    // chromatic [+|=] n, ##
    case kwComments: songTextWord(cs, index); break;               // comments [text]
    case kwControl: controllerDeclaration(cs, index); break;       // control name n | [name n ...]
    case kwCopyright: songTextWord(cs, index); break;              // copyright [text]
    case kwCrescendo: crescendoWord(cs); break;                    // crescendo [+|=|-] n
    case kwCue: markerWord(cs, kMetaCue); break;                   // cue [text]
    case kwCursor: cursorWord(cs); break;                          // cursor
    case kwDebugOn: debugOnWord(cs); break;                        // debug_on
    case kwDebugOff: debugOffWord(cs); break;                      // debug_off
    case kwDiatonic: diatonicWord(cs); break;                      // diatonic [+|=] n, ^^
    case kwDisplacement: displacementWord(cs); break;              // displacement [=] length
    case kwDrop: dropWord(cs); break;                              // drop
    case kwDuration: durationWord(cs); break;                      // duration [=] length
    case kwDurationFactor: durationFactorWord(cs); break;          // duration_factor [=] length, **
    case kwGap: gapWord(cs); break;                                // gap [+|=] length, <<
    case kwInclude: include(cs); break;                            // include name | [items]
    case kwInstructions: songTextWord(cs, index); break;           // instructions [text]
    case kwInto: intoWord(cs); break;                              // into track|section
    case kwInv: DefineStatement(cs, index); break;                 // inv name [body] | [...]
    case kwKey: ReadKeySignature(cs); break;                       // key [=] letter [# | &]
    case kwKeywords: songTextWord(cs, index); break;               // keywords [text]
    case kwList: listWordStatement(cs); break;                     // list
    case kwListSmpte: listSmpteWord(cs); break;                    // list_smpte
    case kwMarker: markerWord(cs, kMetaMarker); break;             // marker [text]
    case kwMaximum: maximumWord(cs); break;                        // maximum [=] n
    case kwMci: trackTextWord(cs, kMetaMci); break;                // mci [command]
    case kwMeter: meterWord(cs); break;                            // meter [=] n [/] m
    case kwMinChange: minChangeWord(cs); break;                    // min_change [=] n
    case kwMinimum: minimumWord(cs); break;                        // minimum [=] n
    case kwMode: DefineStatement(cs, index); break;                // mode name [body] | [...]
    case kwName2: name2Word(cs); break;                            // name2 name
    case kwNolist: nolistWord(cs); break;                          // nolist
    case kwNoteEffect: DefineStatement(cs, index); break;          // note_effect name {body} | [...]
    case kwNotePattern: DefineStatement(cs, index); break;         // note_pattern name {body} | [...]
    case kwOctave: octaveWord(cs); break;                          // octave [+|=] n, @@
    case kwPatch: patchStatement(cs); break;                       // patch n | name n | [name n ...]
    case kwPattern: patternStatement(cs); break;                   // pattern name [...] | [name [...] ...]
    case kwPick: PickStatement(cs); break;                         // pick name [[i] name [w] ...] | [...]
    case kwPitchRange: pitchRangeWord(cs); break;                  // pitch_range [=] note [->] note
    case kwPolyphonic: controllerDeclaration(cs, index); break;    // polyphonic name | [names]
    case kwPort: portWord(cs); break;                              // port [=] n
    case kwPpq: ppqWord(cs); break;                                // ppq [=] n
    case kwRange: rangeWord(cs); break;                            // range a [->] b
    case kwRate: rateWord(cs); break;                              // rate [=] n
    case kwRelativePitch: relativePitchWord(cs); break;            // relative_pitch
    case kwRestart: restartWord(cs); break;                        // restart
    case kwSeed: SeedStatement(cs); break;                         // seed [+|-|=] n
    case kwSet: DefineStatement(cs, index); break;                 // set name {body} | [name {body} ...]
    case kwShift: shiftWord(cs); break;                            // shift [+|=] length, >>
    case kwSmpte: smpteWord(cs); break;                            // smpte [=] 24|25|30
    case kwSmpteOffset: smpteOffsetWord(cs); break;                // smpte_offset [=] hh;mm;ss;ff
    case kwSqueeze: squeezeWord(cs); break;                        // squeeze [+|=] length, ><
    case kwStretch: stretchWord(cs); break;                        // stretch [+|=] length, <>
    case kwSubtitle: songTextWord(cs, index); break;               // subtitle [text]
    case kwSysex: DefineStatement(cs, index); break;               // sysex name [bytes] | [...]
    case kwTempo: tempoWord(cs); break;                            // tempo, ~~
    case kwTest: testWord(cs); break;                              // test!!
    case kwText: trackTextWord(cs, kMetaTextType); break;          // text [text]
    case kwTime: timeWord(cs); break;                              // time name | [names]
    case kwTitle: songTextWord(cs, index); break;                  // title [text]
    case kwTonality: break;                                        // tonality: no effect
    case kwTrack: trackWord(cs); break;                            // track name [members] | [names]
    case kwVelocity: velocityWord(cs); break;                      // velocity [+|=] n | length+|-|=n, !!
    case kwVelocityRange: velocityRangeWord(cs); break;            // velocity_range [=] low [->] high
    case kwW: wheelResetWord(cs); break;                           // w
    case kwWave: trackTextWord(cs, kMetaWave); break;              // wave [file]
    case kwWheel: controllerDeclaration(cs, index); break;         // wheel name | [names]
    case kwWipe: wipeWord(cs); break;                              // wipe name | [names]
    case kwVek: vekWord(cs); break;                                // vek name
    case kwCopy: CopyWord(cs); break;                              // copy [source window slots]R
    }
    return true;
}

}  // namespace vek
