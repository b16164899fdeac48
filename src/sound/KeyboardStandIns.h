// Stand-ins for the shared words the keyboard and the prompts read that belong to
// layers not yet declaring them: the saved window height (shell), the play loop's
// slot and mode words and the scale set in use (sound), and the item in hand
// (common). Each layer that declares one of these in its own state header removes it
// from here; types and starting values are the same.
#pragma once

#include <cstdint>
#include <string>

#include "shell/ShellState.h"

namespace sound {
inline int16_t CurrSlot = 0;           // the phrase slot now playing
inline int16_t CurrOperationMode = 1;  // 1 demo, 2 learning, 3 practice
// 1 scale, 2 pakad, 3 alap, 4 layakari, 5 taan, 6 composition or film song,
// 7 similar-raga comparison.
inline int16_t CurrItemKind = 0;
inline std::string CurrMusicSetName;  // the name of the user's scale set in use
}  // namespace sound

namespace common {
// The title of the composition, film song or similar raga in hand.
inline std::string CurrAddInfo;
}  // namespace common
