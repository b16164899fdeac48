// Stand-ins for the end-of-play call-backs and slot markings the play loop reaches on
// screens that are not built yet: the composition player's dispatcher and grid reset.
// Each records its calls, so tests can see what the loop asked of the screen.
// Each screen's issue replaces its stand-ins here with the real procedures.
#pragma once

#include <cstdint>
#include <vector>

namespace exploration {

// The composition player's dispatcher: sets CallbackCode to 3 and records the action.
void sPlayCompositions(int16_t& action);
inline std::vector<int16_t> PlayCompositionsStandInActions;

// The composition player's grid back to its colours: counts its calls.
void sSetCompNotationSlotsToDefaultColor();
inline int32_t CompNotationResetStandInCalls = 0;

}  // namespace exploration
