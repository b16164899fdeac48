#include "exploration/Quiz.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace exploration {

// Stand-in until the screen is built: sets the call-back code of action 0 and opens nothing.
void sTakeQuiz(int16_t& action) {
  common::ProcTrace t("sTakeQuiz");
  if (action == 0) sound::CallbackCode = 6;
}

}  // namespace exploration
