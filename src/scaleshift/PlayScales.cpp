// Hearing the scale in use: the major scale and the full chromatic scale, and a raga's
// aroha and avroha or its pakad, chosen from the list of ragas.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/LibraryText.h"
#include "common/Queries.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "scaleshift/ScaleActions.h"
#include "scaleshift/ScaleDisplay.h"
#include "scaleshift/ScaleShiftState.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/Render.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr const char* kMajorScale = "S R G m P D N S> S> N D P m G R S";
constexpr const char* kFullScale = "S r R g G m M P d D n N S> S> N n D d P M m G g R r S";
constexpr int32_t kAfterPhraseMs = 1000;  // the wait lasts the phrase and this much more
constexpr int32_t kLongestWaitMs = 60000;

// The look of a scale or raga being played: the scale, note and raga named, the keys
// locked until the end of the wait.
void ShowPlaying() {
  // While a scale is being refined, its operation stays the one shown.
  const int16_t operations = OperationMode == kRefining ? 4 : 2;
  sGrpDispAll(1, 25, 0, 7, 2, operations, 1);
  sDisableNoteLabels();
}

}  // namespace

void sPlayFixedScale(bool fullScale) {
  common::ProcTrace t("sPlayFixedScale");
  ShowPlaying();
  sound::PhraseNotes = fullScale ? kFullScale : kMajorScale;
  const int32_t count = common::fParseString(sound::PhraseNotes, " ");
  sound::PhraseTiming.clear();
  for (int32_t n = 0; n < count; ++n) sound::PhraseTiming += n == 0 ? "100" : " 100";
  sound::KeyboardDisplay = 2;
  sound::CurrItemKind = sound::kScaleKind;
  sound::sPlaySelectedPhrase(count, common::fConvertNotePhraseToMusicGenerationFormat(sound::PhraseNotes),
                             common::fConvertDurPhraseToMusicGenerationFormat(sound::PhraseTiming), 1);
  sStartWait(common::fGetDurationValue(common::fConvertDurPhraseToMusicGenerationFormat(sound::PhraseTiming)) +
             kAfterPhraseMs);
}

void sListRagas() {
  common::ProcTrace t("sListRagas");
  forms::Form& form = Screen();
  auto& list = form.Get<forms::ListControl>("cScalesList");
  list.Clear();
  common::sPatchSQLStr16(std::numeric_limits<int16_t>::max());  // every level
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr16, dao::dbOpenSnapshot);
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(vb::NzString(rs.Fields("Raga")));
  rs.Close();
  sGrpDispControls(2);
  ShownGroupCodes[kControls] = 2;
  ListMode = 2;
}

void sRagaChosen() {
  common::ProcTrace t("sRagaChosen");
  forms::Form& form = Screen();
  common::CurrRagaName = form.Get<forms::ListControl>("cScalesList").Text();
  common::CurrRagaIndex = common::fGetRagaId(common::CurrRagaName);
  form.Ctl("cRaga").SetText(common::fGetRagaName(common::CurrRagaIndex));
  form.Ctl("Label5").SetVisible(false);
  form.Ctl("cScalesList").SetVisible(false);
  ShownGroupCodes[kControls] = 0;
  // The keyboard of the scale in use, drawn as its display group so that the next
  // display that hides the keyboard (Switch Operation) knows it is shown.
  sGrpDispKB(2);
  ShownGroupCodes[kKeyboard] = 2;
}

void sPlayRagaPhrase(bool pakad) {
  common::ProcTrace t("sPlayRagaPhrase");
  common::RagaPhraseTexts row;
  if (common::CurrRagaIndex == 0 || !common::fReadRagaPhraseTexts(common::CurrRagaIndex, row)) {
    vb::Message("Please select a Raga first");
    return;
  }
  ShowPlaying();
  sDisplayCurrNoteName(SelectedNoteIndex, Screen().Ctl("cNote"));
  std::string notes;
  std::string durations;
  common::sCreateRagaPhraseData(pakad ? common::kRagaPakadData : common::kRagaScaleData, row, notes, durations);
  const int32_t count = common::fParseString(notes, " ");
  const int32_t length = common::fGetDurationValue(durations) + kAfterPhraseMs;
  sound::sPlaySelectedPhrase(count, notes, durations, 1);
  // The timer waits a minute at most; a longer phrase is waited out when the tick comes.
  sStartWait(std::min(length, kLongestWaitMs));
}

}  // namespace scaleshift
