#include "exploration/ReviewRagas.h"

#include "common/Trace.h"

namespace exploration {

// Stand-in until the screen is built: traces the call and opens nothing.
void sReviewTechnicalData(int16_t& action) {
  common::ProcTrace t("sReviewTechnicalData");
}

}  // namespace exploration
