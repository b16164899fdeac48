// SeedStore: the note seeds of one instrument key, note ids 0..41, each with its
// tuning. Memory is kept across reloads, so a reload allocates nothing new.
#pragma once

#include <array>
#include <cstdint>

#include "soundlib/Constants.h"
#include "soundlib/NoteSeed.h"

namespace soundlib {

class SeedStore {
 public:
  // Stores (or replaces) the seed of one note; its tuning starts at 0.
  bool Load(int32_t noteId, int32_t samPerCyc, double fractional, const int16_t* samples);
  // The note sounds with its seed SPC plus adjustment from now on (replacing
  // any earlier tuning); false when the note has no seed.
  bool Tune(int32_t noteId, double adjustment);
  // Drops every seed of this instrument.
  void Free();
  // The seed of a note, or nullptr when it has none.
  const NoteSeed* Find(int32_t noteId) const;

 private:
  std::array<NoteSeed, kNoteCount> notes_;
  SeedScratch scratch_;
};

}  // namespace soundlib
