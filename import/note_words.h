// The words of the text the import writes: notes, lengths, tempos, names.
#pragma once
#include <cstdint>
#include <string>

namespace vek::import {

// The accidentals a voice remembers per letter (C D E F G A B): -1, 0 or 1.
struct LetterState {
    int alter[7] = {};
    void setKey(int sharps);
};

// A note's letter, accidental (only when the state needs one) and octave
// around a length text: "F#", "b&", "C/2@6". Updates the state.
std::string noteWord(int key, bool flats, const std::string &length, LetterState &state);

// A length in ticks in units of `unit` ticks: "" for one unit, "2", "/2",
// "3/4", "." for one and a half.
std::string lengthText(uint32_t ticks, uint32_t unit);

// "tempo =120" or "tempo =92.31" from microseconds per quarter note; sets
// `exact` when the compiler gives back the same microseconds.
std::string tempoText(uint32_t microseconds, bool &exact);

// "key D", "key b&": the key statement of a key signature.
std::string keyText(int sharps, bool minor);

// A text between square brackets, with unmatched brackets made round.
std::string bracketText(const std::string &text);

// A name the language accepts and that no music can be read as.
std::string cleanName(const std::string &raw);

}  // namespace vek::import
