// The scale-shifting screen ScaleShifting (form id 7).
#pragma once

#include <cstdint>

namespace scaleshift {

// Dispatcher of the scale-shifting screen; every action first sets CallbackCode to 1, action 0 opens it.
void sShiftScale(int16_t& action);

}  // namespace scaleshift
