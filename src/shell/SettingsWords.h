// The words the settings read and write (Settings.cpp): the state headers of the layers
// that declare them, and the sound library's start-up text, which no layer's state
// declares.
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
