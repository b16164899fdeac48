#include "composer/Composer.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace composer {

// Stand-in until the screen is built: sets the call-back code and opens nothing.
void sComposer(int16_t& action) {
  common::ProcTrace t("sComposer");
  sound::CallbackCode = 11;
}

}  // namespace composer
