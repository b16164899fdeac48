#include "exploration/RagaSelection.h"

#include "common/Trace.h"

namespace exploration {

// Stand-in until the screen is built: traces the call and opens nothing.
void sSelectRaga(int16_t& action) {
  common::ProcTrace t("sSelectRaga");
}

}  // namespace exploration
