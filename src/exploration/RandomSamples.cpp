#include "exploration/RandomSamples.h"

#include <cstddef>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/RagaTables.h"
#include "common/Trace.h"
#include "platform/dao/Recordset.h"
#include "platform/vb/Random.h"
#include "shell/FormLayout.h"
#include "shell/ShellState.h"

namespace exploration {

namespace {
constexpr int32_t kPictureCount = 8;
}  // namespace

UntriedRagas fAllDrawableRagas() {
  common::ProcTrace t("fAllDrawableRagas");
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  const auto count = static_cast<int16_t>(rs.RecordCount());
  rs.Close();
  UntriedRagas all;
  for (int16_t k = 0; k < count; ++k) all.push_back(k);
  return all;
}

bool fDrawUntriedRaga(UntriedRagas& untried) {
  common::ProcTrace t("fDrawUntriedRaga");
  if (untried.empty()) return false;
  vb::Randomize();
  const auto k = static_cast<size_t>(vb::DrawOneTo(static_cast<int32_t>(untried.size())) - 1);
  const int16_t row = untried[k];
  untried.erase(untried.begin() + static_cast<std::ptrdiff_t>(k));
  common::fGetSeqRagaId(row);
  common::CurrRagaName = common::fGetRagaName(common::CurrRagaIndex);
  return true;
}

bool fSetupDrawnRaga() {
  common::ProcTrace t("fSetupDrawnRaga");
  return common::fRunOrTell([] { common::sSetupForCurrRaga(); }, [](const vb::ErrObject&) {});
}

void sShowNextPicture(forms::Form& form) {
  common::ProcTrace t("sShowNextPicture");
  shell::LoadBackgroundPicture(form);
  vb::Randomize();
  shell::PictureNumber = static_cast<int16_t>(vb::DrawOneTo(kPictureCount));
}

}  // namespace exploration
