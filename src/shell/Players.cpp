#include "shell/Players.h"

#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "sound/SoundState.h"

namespace shell {

void InstallPlayers() {
  forms::SetMultimediaFactory([](forms::MultimediaMember& member) -> QObject* {
    auto* player = new mci::MMControl();
    player->setOwnerForm(&member.Parent());
    // The player is deleted with its member, so the member outlives every event it relays.
    player->setOnDone([&member](int16_t code) {
      forms::EventArgs e;
      e.NotifyCode = code;
      member.RaiseFromUser(forms::Event::Done, e);
    });
    player->setOnStatusUpdate([&member] { member.RaiseFromUser(forms::Event::StatusUpdate); });
    return player;
  });
}

mci::MMControl* MMControlOf(forms::Form& form, std::string_view name) {
  return qobject_cast<mci::MMControl*>(form.Get<forms::MultimediaMember>(name).Object());
}

void sStopAndClosePlayer(mci::MMControl& player) {
  common::ProcTrace t("sStopAndClosePlayer");
  if (player.Mode() == mci::mciModeNotOpen) return;
  sound::TPlayInfo.CurrPhrase = static_cast<int16_t>(sound::TPlayInfo.PhraseCount + 1);
  player.setNotify(false);
  player.setWait(true);
  player.setCommand("Stop");
  player.setFileName("");
  player.setCommand("Close");
}

}  // namespace shell
