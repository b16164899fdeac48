// Helpers the steps of the scale-shifting dispatcher share: the screen in front, the
// waits after a sound, the prompt line and saving with a clear message on failure.
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "scaleshift/ScaleActions.h"
#include "scaleshift/ScaleDisplay.h"
#include "scaleshift/ScaleShiftState.h"
#include "scaleshift/ScaleShifting.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

// Cleared however the wait ends (a halt unwinds through it).
struct WaitFlag {
  WaitFlag() { WaitingForSilence = true; }
  ~WaitFlag() { WaitingForSilence = false; }
  WaitFlag(const WaitFlag&) = delete;
  WaitFlag& operator=(const WaitFlag&) = delete;
};

}  // namespace

forms::Form& Screen() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *shell::CurrForm;
}

bool fScreenInFront(uint32_t session) {
  forms::Form* form = ScaleShiftingForm();
  return ScreenOpen && session == ScreenSession && shell::CurrForm == form && form->Loaded();
}

bool fWaitForSilence() {
  common::ProcTrace t("fWaitForSilence");
  const uint32_t session = ScreenSession;
  if (!fScreenInFront(session)) return false;
  mci::MMControl* player = shell::MMControlOf(Screen(), "cMM");
  if (player != nullptr && player->Mode() == mci::mciModePlay) {
    WaitFlag waiting;
    mci::WaitWhilePlaying(*player);
  }
  return fScreenInFront(session);
}

void sStartWait(int32_t ms) {
  forms::Control& timer = Screen().Ctl("cTimer");
  timer.SetEnabled(false);
  Screen().Get<forms::Timer>("cTimer").SetInterval(ms);
  timer.SetEnabled(true);
}

bool fEndWaitAndUnlock() {
  common::ProcTrace t("fEndWaitAndUnlock");
  if (!fWaitForSilence()) return false;
  forms::Form& form = Screen();
  form.Ctl("cTimer").SetEnabled(false);
  sEnableNoteLabels();
  for (const char* name : {"Frame2", "Frame3", "cPlay", "cAdjust"}) form.Ctl(name).SetEnabled(true);
  form.SetMousePointer(forms::vbDefault);
  return true;
}

void sStopPlayerAndTimer() {
  common::ProcTrace t("sStopPlayerAndTimer");
  forms::Form& form = *ScaleShiftingForm();
  if (!form.Loaded()) return;
  form.Ctl("cTimer").SetEnabled(false);
  if (mci::MMControl* player = shell::MMControlOf(form, "cMM")) shell::sStopAndClosePlayer(*player);
}

double fSeedSpc(int16_t note) {
  common::ProcTrace t("fSeedSpc");
  auto rs = shell::DatabaseA.OpenRecordset("Note Specifications", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, sound::CurrInstrument, note);
  const double spc = rs.Fields("SamPerCyc").ToDouble() + rs.Fields("Fractional Value").ToDouble();
  rs.Close();
  return spc;
}

void sShowPrompts(const std::string& numbers) { Screen().Ctl("cPrompts").SetText(common::fGetPrompts(numbers)); }

bool fSaveOrSay(const std::function<void()>& save) {
  return common::fRunOrTell(save, [](const vb::ErrObject& err) {
    vb::Message("Error saving Scale Data\n\n(" + err.Description + ")");
  });
}

}  // namespace scaleshift
