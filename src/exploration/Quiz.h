// The quiz screen Quiz (form id 20).
#pragma once

#include <cstdint>

namespace exploration {

// Dispatcher of the quiz; action 0 opens it over the screen in front.
void sTakeQuiz(int16_t& action);

}  // namespace exploration
