#include "exploration/KZSampler.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace exploration {

// Stand-in until the screen is built: sets the call-back code of action 0 and opens nothing.
void sKZSampler(int16_t& action) {
  common::ProcTrace t("sKZSampler");
  if (action == 0) sound::CallbackCode = 9;
}

}  // namespace exploration
