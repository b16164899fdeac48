// The Devanagari notation font "Shusha": found by name among the fonts Qt knows,
// or registered from the share folder for this run.
#pragma once

#include <cstdint>

namespace shell {

// Makes "Shusha" available when it is not and sets DevnagariAvailable. A font that
// cannot be installed is not fatal: the user is told once that notation will be
// shown in English script.
void sCheckFont();

// True (-1) when a font family named exactly "Shusha" (letter case counts) is
// known to Qt, else False (0).
int16_t fSushaExists();

// Registers "Shusha.ttf" and "Shusha-Bold.ttf" of ShareFolder with Qt for this run.
// 1 when the family "Shusha" was added, 0 when it was not. A missing or damaged
// bold file is passed over: Qt then emboldens the regular outlines.
int32_t fInstallSusha();

}  // namespace shell
