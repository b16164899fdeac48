// Settings words of layers that do not declare them yet: the sound library's start-up
// text and the composition part (sound) and the quiz's notation display (exploration).
// Each layer that declares one of these in its own state header removes it from here.
#pragma once

#include <cstdint>
#include <string>

#include "sound/Keyboard.h"
#include "sound/KeyboardStandIns.h"
#include "sound/ScaleSets.h"
#include "sound/SoundState.h"

namespace sound {
inline std::string SoundLibraryGlobals = "ce";  // text handed to the sound library when it starts
inline int16_t CurrCompPart = 1;                // 1 asthai, 2 antara
}  // namespace sound

namespace exploration {
inline int16_t NotationDisplay = 1;  // the quiz: 1 show the played item's notation, 0 do not
}  // namespace exploration
