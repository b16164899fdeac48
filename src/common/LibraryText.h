// The sound library's note and duration text, and the conversions that produce it.
//
// The library numbers its chromatic notes from 0; note code c (Notation.h, 0 to 35)
// under tonic key t (1 to 12) is library note c + t - 3, so the middle S is 9 + t.
// A note token is that number with two digits; a glide's token is the grace note's two
// digits followed by the main note's two. A grace note below library note 0 (lower S and
// lower r under key 1, lower S under key 2) is left out of its token. A plain note there
// has no token: the renderers refuse it first (fIsNoteInLibraryRange); the converters
// write it as "00", the lowest note the library has.
//
// Renderer texts (fGetLibraryNoteText): tokens two blanks apart, and a note of 250 ms or
// less sounds without its grace note; durations are milliseconds one blank apart.
// Whole-phrase texts (fConvert...): tokens one blank apart, every grace note kept.
//
// Functions that depend on the tonic take it as a defaulted argument (the current
// tonic key sound::CurrTonicNoteId).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/PhraseNote.h"
#include "sound/SoundState.h"

namespace common {

// Notes of this length (ms) or shorter lose their grace note in the renderer texts.
inline constexpr int32_t kShortestGlideMs = 250;

// The code "00" to "35" of an English note name; "" when it names no note.
std::string fGetFnameForNote(const std::string& englishName);

// The notes of one English phrase word: a plain note, or a glide's grace and main note;
// pieces that are no note name are skipped, a colon against the word is ignored. A word
// of more than two notes keeps its last two; a word without a note gives {-1, -1}.
PhraseNote fGetPhraseNote(const std::string& word);

// Library note number of note code under tonic key: code + tonic - 3.
int16_t fGetLibraryNoteNumber(int16_t code, int16_t tonic = sound::CurrTonicNoteId);
// True when the note that sounds has a library number (0 or above) under tonic key.
bool fIsNoteInLibraryRange(const PhraseNote& note, int16_t tonic = sound::CurrTonicNoteId);

// The token of a packed note value (PhraseNote::Packed), before the 250 ms rule: its
// decimal digits in pairs from the left ("0" put in front of an odd count: 5 -> 05,
// 912 -> 09 12), each pair shifted to the tonic. A packed glide from code 0 has lost
// its grace note: prefer the PhraseNote form. "" for a negative value.
std::string fGetFnameForCurrTonicNote(int32_t noteNumber, int16_t tonic = sound::CurrTonicNoteId);
// The token of a phrase note, before the 250 ms rule; "" when it holds no note.
std::string fGetFnameForCurrTonicNote(const PhraseNote& note, int16_t tonic = sound::CurrTonicNoteId);

// The renderer's note text of notes[0 .. n-1] lasting durations[0 .. n-1] ms: tokens two
// blanks apart, grace notes dropped from notes of 250 ms or less. durations must hold at
// least as many entries as notes (error 9 otherwise).
std::string fGetLibraryNoteText(std::span<const PhraseNote> notes, std::span<const int32_t> durations,
                                int16_t tonic = sound::CurrTonicNoteId);
// The renderer's duration text: milliseconds in plain decimal, one blank apart.
std::string fGetLibraryDurationText(std::span<const int32_t> durations);

// A phrase of English notation as library tokens one blank apart, every grace note kept.
// Words that hold no note (":", ",") sound nothing and give no token.
std::string fConvertNotePhraseToMusicGenerationFormat(const std::string& phrase,
                                                      int16_t tonic = sound::CurrTonicNoteId);
// A duration list in 10 ms units as milliseconds ("25" -> "250", "2.5" -> "25"), one blank apart.
std::string fConvertDurPhraseToMusicGenerationFormat(const std::string& phrase);

// The phrase columns of the current raga's row of "Raga - Technical Information".
struct RagaPhraseTexts {
  std::string AarohaAlt;
  std::string AvrohaAlt;
  std::string AaDuration;
  std::string AvDuration;
  std::string Pakad;
  std::string PakadDuration;
};
// The phrase columns of raga ragaIndex's row of "Raga - Technical Information" (content
// database) into row, Null read as ""; false, row untouched, when the raga has no row.
bool fReadRagaPhraseTexts(int16_t ragaIndex, RagaPhraseTexts& row);

inline constexpr int16_t kRagaScaleData = 6;  // kinds of sCreateRagaPhraseData
inline constexpr int16_t kRagaPakadData = 7;

// Kind 6: the aroha followed by the avroha; kind 7: the pakad without its segment marks;
// notesOut and durationsOut receive them in the whole-phrase formats. Any other kind
// gives two empty texts.
void sCreateRagaPhraseData(int16_t kind, const RagaPhraseTexts& row, std::string& notesOut,
                           std::string& durationsOut, int16_t tonic = sound::CurrTonicNoteId);

// "15" (150 ms in 10 ms units) once per word of phrase, one blank apart. phrase is left
// without its leading and trailing blanks.
std::string fGetTimingScript(std::string& phrase);
// The same for a text the caller does not keep (fGetTimingScript(fRemoveColons(text))).
std::string fGetTimingScript(std::string&& phrase);
// The sum of the blank-separated values, rounded to an integer (ties to even) after every
// addition; a word that is no number counts 0.
int32_t fGetDurationValue(const std::string& phrase);

}  // namespace common
