#include "soundlib/SeedStore.h"

namespace soundlib {

namespace {
bool ValidId(int32_t noteId) { return noteId >= 0 && noteId < kNoteCount; }
}  // namespace

bool SeedStore::Load(int32_t noteId, int32_t samPerCyc, double fractional, const int16_t* samples) {
  return ValidId(noteId) && notes_[static_cast<size_t>(noteId)].Load(samPerCyc, fractional, samples, scratch_);
}

bool SeedStore::Tune(int32_t noteId, double adjustment) {
  return ValidId(noteId) && notes_[static_cast<size_t>(noteId)].Tune(adjustment);
}

void SeedStore::Free() {
  for (auto& note : notes_) note.Clear();
}

const NoteSeed* SeedStore::Find(int32_t noteId) const {
  if (!ValidId(noteId)) return nullptr;
  const NoteSeed& note = notes_[static_cast<size_t>(noteId)];
  return note.loaded() ? &note : nullptr;
}

}  // namespace soundlib
