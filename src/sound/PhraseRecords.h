// Building phrase records (NotesListRec) from the phrase set the play loop plays, and
// the small timing texts they are built from.
//
// Timing texts are blank-separated numbers in 10 ms units (readers skip empty words);
// a phrase list separates phrases by ",". The speed factor is SpeedFactors(v) for the
// value v (1 to 17, 9 = factor 1.0) of the current form's "cSlider"; it is read only
// where a factor is applied, so screens without a slider may build records in demo mode.
#pragma once

#include <cstdint>
#include <string>

#include "soundlib/Constants.h"

namespace sound {

// The longest phrase the renderer takes, in ms.
inline constexpr int32_t kLongestPhraseMs = static_cast<int32_t>(soundlib::kMaxPhraseMs);

// Builds NotesList(slot) from phrase TPlayInfo.CurrPhrase: display text and word
// table in the current NotationScript, note of every word (from the stored English
// text), durations in ms and start times; CurrNote 1. A timing text without words
// gives every note 1000 ms. A composition (CurrMusicItemType 8) in learning or
// practice mode gets the beat grid of CompCycleCount x CompBeatCount cells as its
// Positions. Returns the note count (also stored in NoteCount). Slot outside 0 to 2 or
// a phrase number outside the set: error 9; a duration below 0, or durations that add
// up to more than kLongestPhraseMs: error 6.
int16_t fCreateNotesList1(int16_t slot);

// A timing text with one equal value per note: 15 (150 ms) for kind 6, BaseBeat for
// kind 10, 0 otherwise; phrases of phraseList ("," separated, ":" marks ignored) stay
// apart: 3 and 2 notes, kind 6 -> "15 15 15 , 15 15 ".
std::string fCreateDurationPhrase(const std::string& phraseList, int16_t kind);

// Matras as 10 ms units, values one blank apart. Each note ends where its exact
// position (the matras up to its end x unit) rounds to: down, up only when the fraction
// is above 0.5 (1.5 x 7 -> 10, 1.6 x 7 -> 11; 0.5 0.5 x 55 -> 27 28), so the rounding
// never adds up and every beat lasts unit exactly.
std::string fConvertMatraToDuration(const std::string& matras, int16_t unit);

// The timing text scaled by the slider's speed factor: unchanged at factor 1.0, else
// every number scaled and written with its sign position, numbers one further blank
// apart, segments by " , ": at 2.0 "10 20, 30" -> " 20  40 ,  60". Within a segment each
// number ends where its exact scaled position rounds to (ties to even), so the rounding
// never adds up: at 0.5 "5 5 5 5" -> " 2  3  2  3".
std::string fFactorTimingScript(const std::string& script);

// Brings the texts of slots 0 and 1 to the current NotationScript after it changed;
// notes, durations and times stay. Slot 2 is left alone.
void sAdjustMDMStr();

// A display text converted word by word from fromScript (1 Devanagari, 2 English) into
// the other script; words joined by one blank.
std::string fConvertFont(const std::string& text, int16_t fromScript);

// The value of the leading decimal digits of text: "12ab" -> 12, "" or " 5" -> 0.
int32_t AltricaVal(const std::string& text);

// The speed factor of the current form's slider. No current form: error 91; a slider
// value outside the table: error 9.
double fGetSpeedFactor();

}  // namespace sound
