// The music sampler KZSampler (form id 22).
#pragma once

#include <cstdint>

namespace exploration {

// Dispatcher of the music sampler; action 0 opens it over the screen in front.
void sKZSampler(int16_t& action);

}  // namespace exploration
