// The review of raga groups ReviewRagas (form id 3).
#pragma once

#include <cstdint>

namespace exploration {

// Dispatcher of the review; action 0 opens it over the screen in front.
void sReviewTechnicalData(int16_t& action);

}  // namespace exploration
