// Laying an interpreted pattern (PatternOffsets) over notes: the notes of the workbench
// scale (ScaleNotes) or the current raga's aroha and avroha. The result is an English
// notation phrase in sound::PhraseNotes, words one blank apart; its first run is kept
// in BasePatternPhrase.
//
// A run plays the figure from one note; a series repeats it from each next note up
// until a run ends on "S>", then mirrored downwards from "S>" until a run ends on "S".
// A pattern that would read past the notes it is laid over, or never end its series,
// is refused before anything is built: "The selected phrase cannot be illustrated.
// Please select another.", PhraseNotes and BasePatternPhrase left empty, false.
#pragma once

#include <cstdint>
#include <string>

namespace workshop {

// Over ScaleNotes from PatternStartNote: PatternRunMode 1 one run, 2 a series; in
// practice mode (CurrOperationMode 3) every run of a series is a segment of its own
// (" :" after it).
bool sCreateScalePatternFromBP();

// Over the current raga (common::TBaseInfo): PatternRunMode 1 one run over the aroha from
// its "S"; 2 ascending runs over the aroha up to "S>", then the descending series over
// the avroha from its "S>". The aroha and avroha are straightened (fStraightenOutPhrase),
// given back an "S" or "S>" they lost, and widened by an octave each way
// (fAugmentRagaPhraseNotes). Glides are reduced to their landing notes while grace
// notes are off, and a run never begins on a two-note glide.
bool sCreateRagaPatternFromBP();

// The phrase with one word per pitch in strict pitch order: direction 1 ascending up to
// "S>", -1 descending down to "N<". A pitch reached several times keeps the last word
// that reached it in the right direction; words that are no note are passed over.
std::string fStraightenOutPhrase(const std::string& phrase, int16_t direction);

// The phrase widened by an octave each way: the middle-octave words ending in "P" to "N"
// copied an octave down and those ending in "r" to "P" an octave up (glides part by
// part); kind 1 lower copy, phrase, upper copy; kind 2 upper copy, phrase, lower copy.
// A copied word whose pitch the phrase holds already is left out. "" when a copied part
// would leave the workbench notes.
std::string fAugmentRagaPhraseNotes(const std::string& phrase, int16_t kind);

// The token of the definition answers appended to UserPatternPhrase and previewed: one
// run from "S" over the current scale in cPatName. A token that makes the pattern
// malformed or unplayable is taken back ("Error in phrase spec" or the builder's
// message); false then.
bool sUpdatePatternPhrase();

}  // namespace workshop
