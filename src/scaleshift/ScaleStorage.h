// The user's scale sets in the user database: one "Scale Shift Specs" row (id, name,
// instrument, tonic, the SPC of the moved note before and after tuning) and two "ONPR"
// rows (1 main instrument, 2 drone) of 27 adjustments each, column k belonging to note
// k + tonic + 2. Ids 1 to 12 are the program's own sets in the content database; the
// user's sets are 13 and up. Names compare without regard to letter case.
//
// Every write runs in one transaction: a failure (a database error, raised) leaves the
// file as it was.
#pragma once

#include <cstdint>
#include <string>

namespace scaleshift {

// The id of a new set: one above the largest id of "Scale Shift Specs" and of the user's
// "ONPR" rows (and above 12); 0 when that would not fit a set id.
int16_t fGetNewScaleSetId();

// Saves the scale just shifted under name and id: its header from ScaleShiftSpec,
// CurrInstrument and CurrTonicNoteId, its main-instrument row from SavedSPCsA and its
// drone row from SavedSPCsB. 0 when a set of that name exists (nothing is written);
// 1 when saved, and CurrMusicSetId is then id.
int16_t fSaveScaleData(const std::string& name, int16_t id);

// Deletes the set of that name (its three rows); its id, or 0 when there is none.
int16_t fDeleteScaleEntry(const std::string& name);

// Saves the refined adjustments of the user's set CurrMusicSetId: its main-instrument
// row takes NoteAdjustSPCs, its drone row keeps what it got when the set was made.
// 0, with nothing written, when the set is not a user set, has no main-instrument row,
// or that row belongs to another tonic than CurrTonicNoteId (the adjustments would be
// written under the wrong notes); 1 when saved.
int16_t fSaveRefinedScale();

// Fills cScalesList of the form in front with the names of the saved sets in name
// order. Without any: the message "No Scales Defined as yet" and an empty list.
void sDisplayScalesList();

}  // namespace scaleshift
