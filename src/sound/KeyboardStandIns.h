// Stand-ins for the shared words the keyboard and the prompts read that belong to
// layers not yet declaring them: the saved window height (shell), the play loop's
// slot and mode words (sound), and the item in hand (common). Each layer that
// declares one of these in its own state header removes it from here; types and
// starting values are the same.
#pragma once

#include <cstdint>
#include <string>

#include "shell/ShellState.h"

namespace common {
// The title of the composition, film song or similar raga in hand.
inline std::string CurrAddInfo;
}  // namespace common
