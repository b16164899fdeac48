// The raga selection screen RagaSelection1 (form id 9).
#pragma once

#include <cstdint>

namespace exploration {

// Dispatcher of the raga selection screen; action 0 opens it over the screen in front.
void sSelectRaga(int16_t& action);

}  // namespace exploration
