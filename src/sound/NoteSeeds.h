// Preparing the sound library's note seeds for the current scale set.
#pragma once

#include <cstdint>

namespace sound {

// Loads and tunes the seeds of the main and the drone instrument and rebuilds the drone
// data; 1 on success, 0 when a step failed (its message has been shown).
// Stand-in until the note-seed loading lands (the seeds issue replaces it): it returns
// NoteSeedsStandInResult and counts its calls.
int16_t fCreateNoteSeedsForUse();

inline int16_t NoteSeedsStandInResult = 1;
inline int32_t NoteSeedsStandInCalls = 0;

}  // namespace sound
