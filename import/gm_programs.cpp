#include "import/gm_programs.h"

namespace vek::import {

// The program names of data/gm.vek, by program number.
const char *const kGmPrograms[128] = {
    "acousticGrandPiano", "brightAcousticPiano", "electricGrandPiano", "honkyTonkPiano",
    "electricPiano1", "electricPiano2", "harpsichord", "clavi",
    "celesta", "glockenspiel", "musicBox", "vibraphone",
    "marimba", "xylophone", "tubularBells", "dulcimer",
    "drawbarOrgan", "percussiveOrgan", "rockOrgan", "churchOrgan",
    "reedOrgan", "accordion", "harmonica", "tangoAccordion",
    "acousticGuitarNylon", "acousticGuitarSteel", "electricGuitarJazz", "electricGuitarClean",
    "electricGuitarMuted", "overdrivenGuitar", "distortionGuitar", "guitarHarmonics",
    "acousticBass", "electricBassFinger", "electricBassPick", "fretlessBass",
    "slapBass1", "slapBass2", "synthBass1", "synthBass2",
    "violin", "viola", "cello", "contrabass",
    "tremoloStrings", "pizzicatoStrings", "orchestralHarp", "timpani",
    "stringEnsemble1", "stringEnsemble2", "synthStrings1", "synthStrings2",
    "choirAahs", "voiceOohs", "synthVoice", "orchestraHit",
    "trumpet", "trombone", "tuba", "mutedTrumpet",
    "frenchHorn", "brassSection", "synthBrass1", "synthBrass2",
    "sopranoSax", "altoSax", "tenorSax", "baritoneSax",
    "oboe", "englishHorn", "bassoon", "clarinet",
    "piccolo", "flute", "recorder", "panFlute",
    "blownBottle", "shakuhachi", "whistle", "ocarina",
    "lead1Square", "lead2Sawtooth", "lead3Calliope", "lead4Chiff",
    "lead5Charang", "lead6Voice", "lead7Fifths", "lead8BassAndLead",
    "pad1NewAge", "pad2Warm", "pad3Polysynth", "pad4Choir",
    "pad5Bowed", "pad6Metallic", "pad7Halo", "pad8Sweep",
    "fx1Rain", "fx2Soundtrack", "fx3Crystal", "fx4Atmosphere",
    "fx5Brightness", "fx6Goblins", "fx7Echoes", "fx8SciFi",
    "sitar", "banjo", "shamisen", "koto",
    "kalimba", "bagpipe", "fiddle", "shanai",
    "tinkleBell", "agogo", "steelDrums", "woodblock",
    "taikoDrum", "melodicTom", "synthDrum", "reverseCymbal",
    "guitarFretNoise", "breathNoise", "seashore", "birdTweet",
    "telephoneRing", "helicopter", "applause", "gunshot",
};

}  // namespace vek::import
