#include "sound/NoteSeeds.h"

#include "common/Trace.h"

namespace sound {

int16_t fCreateNoteSeedsForUse() {
  common::ProcTrace t("fCreateNoteSeedsForUse");
  ++NoteSeedsStandInCalls;
  return NoteSeedsStandInResult;
}

}  // namespace sound
