#include "scaleshift/ScaleShifting.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace scaleshift {

// Stand-in until the screen is built: sets the call-back code and opens nothing.
void sShiftScale(int16_t& action) {
  common::ProcTrace t("sShiftScale");
  sound::CallbackCode = 1;
}

}  // namespace scaleshift
