// Stand-ins for the end-of-play call-backs and slot markings the play loop reaches on
// screens that are not built yet: the composer's slot reset. Each records its calls,
// so tests can see what the loop asked of the screen.
// Each screen's issue replaces its stand-ins here with the real procedures.
#pragma once

#include <cstdint>
#include <vector>

namespace composer {

// The composer's note slots back to black: counts its calls.
void sSetComposerFormNoteSlotsToDefaultFrontColor();
inline int32_t ComposerSlotResetStandInCalls = 0;

}  // namespace composer
