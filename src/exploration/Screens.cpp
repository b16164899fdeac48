#include "exploration/Screens.h"

#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "shell/Players.h"
#include "shell/ShellState.h"

namespace exploration {

forms::Form& FrontForm() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *shell::CurrForm;
}

double fLayoutWidth(forms::Form& form) {
  double width = shell::FormState == 2 ? shell::MaxFormW : shell::FormW;
  if (width <= 0) width = form.ScaleWidth();
  if (width <= 0) width = form.Spec().Design.Width;
  return width;
}

void sStopAndClosePlayer(forms::Form& form) {
  mci::MMControl* player = shell::MMControlOf(form, "cMM");
  if (player == nullptr || player->Mode() == mci::mciModeNotOpen) return;
  player->setNotify(false);
  player->setWait(true);
  player->setCommand("Stop");
  player->setFileName("");
  player->setCommand("Close");
}

}  // namespace exploration
