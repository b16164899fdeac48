#include "sound/PhraseSetUps.h"

#include "common/Trace.h"

namespace sound {

void sPreprocCompDataFromT() {
  common::ProcTrace t("sPreprocCompDataFromT");
  ++PreprocCompDataStandInCalls;
}

}  // namespace sound
