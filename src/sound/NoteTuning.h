// Note adjustment vectors and note tuning.
//
// A scale set stores, per instrument type (1 main instrument, 2 drone), one row of
// table "ONPR": its tonic T ("TonicNoteId") and 27 adjustments in the columns "00" to
// "26", column k belonging to note id k + T + 2 (column "07" is the middle Sa, T + 9).
// Sets 1 to 12 live in the content database, the user's sets above 12 in the user
// database.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/Recordset.h"
#include "sound/SoundState.h"

namespace sound {

// The ONPR column name of column k ("00" to "26").
std::string ScaleColumnName(int k);
inline constexpr int kScaleColumnCount = 27;
// The largest adjustment (either way) a column can hold: beyond any shift of a scale.
inline constexpr double kLargestScaleAdjustment = 1000;

// Clears entries 0 to 40 of NoteAdjustSPCs and fills them from the ONPR row (setId,
// instrumentType); CurrTonicNoteId becomes the row's tonic. Columns that would fall
// outside 0 to 40 are skipped. A user set (above 12) whose row is missing or damaged
// (its tonic, or an adjustment missing or out of range) falls back
// to the built-in set of CurrTonicNoteId, with a record in "ignoerr.txt", and setId
// becomes that set. A missing built-in row is error 3021.
void sLoadNoteAdjustSPCVector(const std::string& instrumentKey, int16_t instrumentType, int16_t& setId);

// Tunes every seed of the instrument (its "Note Specifications" rows) whose entry of
// NoteAdjustSPCs is not 0. At the first refusal of the library: "Error adjusting SPC"
// and 0, the later notes untuned. A note id outside 0 to 41 is error 9.
int16_t fAdjustNoteSeeds(const std::string& instrumentKey, int16_t instrumentType);

// Writes the columns "00" to "26" of the current row of an ONPR recordset already in
// edit or add mode from vector, column k from entry k + CurrTonicNoteId + 2; the caller
// stores the row. An entry outside the vector is error 9.
void sUpdateNoteAdjustmentSPCs(dao::Recordset& onpr, const SpcVector& vector);

// Copies entries 0 to 40 of NoteAdjustSPCs into SavedSPCsA (1) or SavedSPCsB (2);
// any other value copies nothing.
void sSaveAdjustments(int16_t which);

}  // namespace sound
