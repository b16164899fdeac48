// Filling the phrase sets for the screens' set-ups.
#pragma once

#include <cstdint>

namespace sound {

// Fills TMNInfo for the current composition, film song or comparison and the
// composition fields of NotesList slots 0 and 1 (prompt, start matra, theka string,
// beat count).
// Stand-in until the phrase-set set-ups land (their issue replaces it): it counts its
// calls and leaves TMNInfo and the records as the caller prepared them.
void sPreprocCompDataFromT();

inline int32_t PreprocCompDataStandInCalls = 0;

}  // namespace sound
