// Scale sets and shifting a scale by frequency ratios.
//
// A shift gives one note n a new SPC and retunes both instruments so that every note
// keeps its ratio to n: table "ONPRSets" holds, per (n - 9, instrument type), 27 ratios
// in the columns "00" to "26", column k belonging to note n - 7 + k, and note n - 7 + k
// is given the SPC (base + delta) / ratio, where base is the main instrument's seed SPC
// of n and delta the shift (new SPC less old SPC).
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/Recordset.h"
#include "sound/SoundState.h"

namespace sound {

// Applies ScaleShiftSpec: reloads the seeds of the current set (fCreateNoteSeedsForUse),
// shifts both instruments and builds the drone again. Every step runs even when an
// earlier one failed, each failure with its message; 1 when all succeeded, else 0.
int16_t fAdjustScaleNotesToCurrentSetting();

// Shifts the main instrument (type 1) and snapshots its vector into SavedSPCsA, then the
// drone (type 2) into SavedSPCsB. Always 1.
int16_t fApplyScaleShift(const ScaleShiftRec& spec);

// Fills NoteAdjustSPCs with the shifted adjustments of the instrument's notes (0 where
// the ratio is 0 or the note has no seed) and sends every non-zero one of notes 0 to 40
// to the library; at a refusal "Error adjusting SPC" and the later notes stay as they
// were. A missing ratio row or seed row of the moved note is error 3021.
void sAdjustNotesForFreqRat(const ScaleShiftRec& spec, const std::string& instrumentKey, int16_t instrumentType);

// The ratio in column k of the current "ONPRSets" row; 0 for k outside 0 to 26.
float fGetSPCFactor(const dao::Recordset& ratios, int16_t k);

// True when the learner's scale set of that name can be used, or has no row (the caller
// says it has gone). A damaged set (its id or tonic, a missing row of either instrument,
// an adjustment missing or out of range) is refused with a message naming the user
// database, and false; nothing is written.
bool fUserScaleSetUsable(const std::string& name);
// What is wrong with the "ONPR" row the recordset is on, for instrument type 1 (main
// instrument) or 2 (drone): no row, a tonic that is not a key 1 to 12, or an adjustment
// missing or out of range: one that would take its note (column k is note k + tonic + 2)
// out of the band around the note's seed, or beyond what the sound library takes. ""
// when the row can be used.
std::string fScaleRowFault(const dao::Recordset& rs, int16_t instrumentType);

// A scale set keeps every note within this many cents of its seed: a shift of up to one
// key, and one key more of refinement.
inline constexpr double kScaleBandCents = 200.0;
// How far a note tuned by adjustment (samples per cycle added to its seed's) sounds
// from its seed, in cents either way; HUGE_VAL when the tuned cycle would not be positive.
double fCentsFromSeed(double seed, double adjustment);
// True when the adjustment keeps the note within the band around its seed and the
// sound library can tune the note by it.
bool fAdjustmentInBand(double seed, double adjustment);

// The name ("NPSetName") of the user's scale set setId in "Scale Shift Specs"; "" when
// the set has no row there or no name.
std::string fGetMusicSetName(int16_t setId);

}  // namespace sound
