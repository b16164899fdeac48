// The instruments' note seeds in the sound library: one cycle of samples per note,
// read from "Note Specifications" and "Sample Values" of the content database.
#pragma once

#include <cstdint>
#include <string>

namespace sound {

// Prepares the sound library for the current scale set (CurrMusicSetId): frees and
// loads the seeds of CurrInstrument, tunes them to the set's main-instrument row, does
// the same for DroneInstrument with the drone row, and builds the drone data. The first
// step that fails shows its message and ends it with 0; 1 when all succeeded. Afterwards
// NoteAdjustSPCs holds the drone's row and CurrTonicNoteId that row's tonic.
int16_t fCreateNoteSeedsForUse();

// Frees the instrument's seeds in the library and loads every note of it, in ascending
// note id. 0 (after a message) when the library refuses a step; the notes loaded before
// stay loaded. An instrument without rows is error 3021.
int16_t fLoadNoteSeeds(const std::string& instrumentKey);

// Loads the seed of one note, replacing the one the library holds (and its tuning);
// the other seeds are left alone. 0 after a message when the library refuses it; a
// note without a row is error 3021.
int16_t fLoadIndividualNoteSeed(const std::string& instrumentKey, int32_t noteId);

}  // namespace sound
