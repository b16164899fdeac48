#include "workshop/Workshop.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace workshop {

// Stand-in until the screen is built: sets the call-back code and opens nothing.
void sWorkshop(int16_t& action) {
  common::ProcTrace t("sWorkshop");
  sound::CallbackCode = 8;
}

}  // namespace workshop
