// Shared state of sound generation, playback and the keyboard that other layers read.
#pragma once

#include <cstdint>

namespace sound {

inline int32_t CurrDroneType = 1;  // the current raga's "DroneType" (1 Pa, 2 Ma, 3 Ni in the workbench)
inline int16_t FirstReed = 0;      // the first and last reed drawn for the current tonic
inline int16_t LastReed = 0;

}  // namespace sound
