// Settings words of layers that do not declare them yet: the sound library's start-up
// text (sound). Each layer that declares one of these in its own state header removes
// it from here.
#pragma once

#include <cstdint>
#include <string>

#include "sound/Keyboard.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/ScaleSets.h"
#include "sound/SoundState.h"

namespace sound {
inline std::string SoundLibraryGlobals = "ce";  // text handed to the sound library when it starts
}  // namespace sound
