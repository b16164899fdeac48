#include "exploration/RandomSamples.h"

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/RagaTables.h"
#include "common/Trace.h"
#include "platform/dao/Recordset.h"
#include "platform/vb/Error.h"
#include "platform/vb/Random.h"
#include "shell/FormLayout.h"
#include "shell/ShellState.h"

namespace exploration {

namespace {
constexpr int32_t kPictureCount = 8;
}  // namespace

int16_t fDrawableRagaCount() {
  common::ProcTrace t("fDrawableRagaCount");
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  return static_cast<int16_t>(rs.RecordCount());
}

void sDrawRaga(int16_t count) {
  common::ProcTrace t("sDrawRaga");
  vb::Randomize();
  const int32_t k = vb::DrawOneTo(count);
  common::fGetSeqRagaId(static_cast<int16_t>(k - 1));
  common::CurrRagaName = common::fGetRagaName(common::CurrRagaIndex);
}

bool fSetupDrawnRaga() {
  common::ProcTrace t("fSetupDrawnRaga");
  try {
    common::sSetupForCurrRaga();
  } catch (const vb::VbError&) {
    return false;
  }
  return true;
}

void sShowNextPicture(forms::Form& form) {
  common::ProcTrace t("sShowNextPicture");
  shell::LoadBackgroundPicture(form);
  vb::Randomize();
  shell::PictureNumber = static_cast<int16_t>(vb::DrawOneTo(kPictureCount));
}

}  // namespace exploration
