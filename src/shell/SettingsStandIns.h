// Stand-ins for the shared words and procedures the settings need from layers that
// may not declare them yet: the sound layer's scale sets, instruments and drone
// (sound/ScaleSets.h), its keyboard (sound/Keyboard.h), the theka and composition part
// words, the quiz and the composer. Where the sound layer's headers are present their
// declarations are used instead; each layer that declares one of the others removes it
// from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sound/SoundState.h"

#if __has_include("sound/ScaleSets.h")
#include "sound/ScaleSets.h"
#else
namespace sound {
inline int16_t CurrMusicSetId = 3;         // scale set: 1 to 12 the program's own, above 12 the user's
inline double CurrDroneFactor = 1.0;       // drone loudness, 0.5 to 1.5
inline int32_t PlayMode = 1;               // 1 normal playing
inline int32_t DroneOption = 1;            // drone variant handed to the sound library
inline std::string DroneInstrument = "e";  // instrument key of the drone
inline std::string CurrInstrument = "c";   // instrument key of the main instrument
// The name ("NPSetName") of the user's scale set setId in "Scale Shift Specs".
std::string fGetMusicSetName(int16_t setId);
}  // namespace sound
#endif

#if __has_include("sound/Keyboard.h")
#include "sound/Keyboard.h"
#include "sound/KeyboardStandIns.h"
#else
namespace sound {
inline std::string CurrMusicSetName;  // name of the user's scale set in use
inline int16_t KeyboardDisplay = 1;   // 1 the on-screen keyboard is shown, 2 hidden
// The reed tables of the keyboard: first and last reed drawn for each tonic (entry 0
// unused), and 1 white or 2 black for each reed.
inline std::array<int16_t, 13> FirstReedForTonic{};
inline std::array<int16_t, 13> LastReedForTonic{};
inline std::array<int16_t, 42> ReedColorType{};
void sInitReedsDisplayedData();
void sInitReedColorType();
}  // namespace sound
#endif

namespace sound {
inline std::string SoundLibraryGlobals = "ce";  // text handed to the sound library when it starts
inline int32_t GenOption = 1;                   // generation option handed to the sound library
inline int16_t Theka = 1;                       // 1 a theka plays with compositions, 2 none
inline int16_t CurrCompPart = 1;                // 1 asthai, 2 antara
}  // namespace sound

namespace exploration {
inline int16_t NotationDisplay = 1;  // the quiz: 1 show the played item's notation, 0 do not
}  // namespace exploration

namespace composer {
inline int16_t NotePallet = 1;  // the composer's palette: 1 notes of the raga only, 2 all notes
}  // namespace composer
