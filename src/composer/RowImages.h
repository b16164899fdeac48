// The phrase being edited as row images (ComposerState.h) and the text conversions
// around them: a display row read back into its images, packing a text into rows,
// deleting and inserting a slot across the rows, joining the rows back into one text,
// loading an ALT type's phrases; layakari beats and stored durations, the syllable
// durations of a composition part and their expansion, and the stored phrase strings
// of an ALT record.
//
// Every row image holds exactly 20 tokens ("_" an empty slot), so slot c of row r is
// token c of its text, and the three images always hold the same rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "composer/ComposerState.h"

namespace composer {

// The index 0 to 35 of a note caption in the note-name table of the current script (or,
// failing that, of the other script); -1 when the caption is no single note.
int16_t fGetNotationIndex(const std::string& caption);

// Rows of the phrase: RowImageCount := rows, the three arrays sized rows + 1 (a spare),
// rows added empty, rows beyond dropped.
void sSetRowImageCount(int16_t rows);
// The 20 tokens of a row image text: missing slots "_", tokens beyond 20 dropped.
std::vector<std::string> fRowTokens(const std::string& row);
// A row image text from 20 tokens.
std::string fRowText(const std::vector<std::string>& tokens);

// One display row (1 or 2) read back into its row image; a row beyond the last one of
// the phrase becomes a new row of all three images.
void sCreateNotesRowImageFromDisplay(int16_t displayRow);
void sCreateDurRowImageFromDisplay(int16_t displayRow);
void sCreateSylRowImageFromDisplay(int16_t displayRow);
// The images of the category (notes; durations unless taan; syllables of a
// composition) of one display row.
void sCreateRowImagesFromDisplay(int16_t displayRow);

// Packs a token text into rows 1 to RowImageCount of images, 20 tokens a row; rows the
// text does not reach become empty rows.
void sCreateRowImagesFromSource(const std::string& text, std::vector<std::string>& images);

// Deleting or inserting a slot (0 to 39 on the display): every later token of the
// category's images moves one slot left or right, across rows. A token pushed out of a
// full last row makes the phrase one row longer; nothing is lost or doubled.
void sDeleteCurrentSlot(int16_t slot);
void sInsertBlankSlot(int16_t slot);
// The workers on one image array of rowCount rows: row from 1, position 1 to 20.
void sDeleteSlotInRowImages(std::vector<std::string>& images, int16_t rowCount, int16_t row, int16_t position);
// Returns the token pushed out at the end ("_" when the last slot was empty).
std::string fInsertBlankSlotInRowImages(std::vector<std::string>& images, int16_t rowCount, int16_t row,
                                        int16_t position);

// The whole phrase as one text without empty slots (durations: "" for a taan).
std::string fCombineNotesRowImages();
std::string fCombineDurRowImages();
std::string fCombineSylRowImages();
std::string fEliminateUnderscores(const std::string& text);

// The user's phrases of ALT type 1 to 3 of the current raga into the row images, as the
// user database holds them (never what a play or a failed save left in TALTInfo2): a
// layakari's durations as beats, the beat duration shown in cSpeed; from row 1. A
// damaged list is laid out as far as it goes: returns how many notes were stored
// without a duration (0 for a whole list).
int32_t fTToALTRowImages(int16_t altType);

// The slots of the row images that hold anything, with the category's arrays only
// (durations unless taan, syllables of a composition).
SlotWork fShownSlotWork();
// The note, duration and syllable words a composition part's record shows, one a slot
// from the first (a syllable for each note that starts one, "_" for the others).
void sCompPartWords(const common::CompDataRec& record, std::vector<std::string>& notes,
                    std::vector<std::string>& durations, std::vector<std::string>& syllables);
// The slots that note, duration and syllable words (one a slot from the first) fill.
SlotWork fSlotWorkOf(const std::vector<std::string>& notes, const std::vector<std::string>& durations,
                     const std::vector<std::string>& syllables);

// Beats (a layakari's durations as edited) to stored durations: each number times the
// beat duration, rounded to a whole number (ties to even); "," stays, "_" is dropped.
// The caller has checked that every result lies in 1 to 32767.
std::string fConvertBeatsToDuration(const std::string& beats, int16_t beatDuration);
// Stored durations to beats: the beat duration is the smallest of the first ten
// durations above 0 (1 when there is none), shown in cSpeed.
std::string fConvertDurationToBeats(const std::string& durations);
// The syllable durations (SyllableDuration) of the composition part in the row images:
// the slots walked in step, a syllable starting a new duration, a slot without one
// adding its note's duration to the syllable before. As many durations as syllables,
// or "" after the message (a first note without a syllable, a syllable without a note).
std::string fCreateCombinedSylDurPhrase();
// One syllable token per note, for the slots: a note that continues the syllable before
// gets "_" (as does a note past the last syllable).
std::string fCreateExpandedSylString(const std::string& syllables, const std::string& syllableDurations,
                                     const std::string& noteDurations);
// The stored phrase strings of TALTInfo2(altType - 1): kind 1 NotesPhrase, 2 DurationPhrase.
std::string fCreateALTDBStrFromT(int16_t altType, int16_t kind);

}  // namespace composer
