#include "sound/Playback.h"

#include "common/Trace.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/PlayLoop.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

mci::MMControl& PlayerInFront() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "No form is in front to play on");
  mci::MMControl* player = shell::MMControlOf(*shell::CurrForm, "cMM");
  if (player == nullptr) vb::Raise(vb::kObjectNotSet, "The form in front has no player");
  return *player;
}

// Plays the whole open file without waiting; Done follows its end.
void PlayFromStart(mci::MMControl& mm) {
  mm.setNotify(true);
  mm.setWait(false);
  mm.setFrom(0);
  mm.setTo(mm.Length());
  mm.setCommand("Play");
}

void OpenAndPlay(mci::MMControl& mm, const std::string& file) {
  mm.setNotify(false);
  mm.setWait(true);
  mm.setShareable(false);
  mm.setDeviceType("WaveAudio");
  mm.setFileName(file);
  mm.setCommand("Open");
  ++PlayState;
  PlayFromStart(mm);
}

// True when the play ended before the end of its file without an error: a screen
// stopped or closed it. (A file that could not be played leaves its error message.)
bool CutShort(const mci::MMControl& mm) {
  if (!mm.ErrorMessage().empty()) return false;
  return mm.Mode() == mci::mciModeNotOpen || mm.Position() < mm.Length();
}

void Close(mci::MMControl& mm) {
  mm.setNotify(false);
  mm.setWait(true);
  mm.setFileName("");
  mm.setCommand("Close");
}

}  // namespace

void sPlayMusicFile(const std::string& file) {
  common::ProcTrace t("sPlayMusicFile");
  mci::MMControl& mm = PlayerInFront();
  if (PlayState == 0) {
    OpenAndPlay(mm, file);
    return;
  }
  // A Done that comes while a file plays belongs to a play that an earlier command
  // ended; the file now playing has its own Done to come.
  if (mm.Mode() == mci::mciModePlay) return;
  if (CutShort(mm) && PlayOnAfterStop == 0) ListEndsAtDone = -1;
  PlayOnAfterStop = 0;
  Close(mm);
  sDoCallback();
}

void sPlayMusicFile1(const std::string& file) {
  common::ProcTrace t("sPlayMusicFile1");
  mci::MMControl& mm = PlayerInFront();
  if (PlayState == 0) {
    OpenAndPlay(mm, file);
  } else if (LoopFlag == 0) {
    Close(mm);
    return;
  } else {
    // Back to the start without notification: a notified seek would raise a Done of
    // its own and start the drone twice.
    mm.setNotify(false);
    mm.setWait(true);
    mm.setCommand("Seek to start");
    PlayFromStart(mm);
  }
  if (LoopFlag != 0) mm.QueueNext(file);
}

void sQueueMusicFile(const std::string& file) {
  common::ProcTrace t("sQueueMusicFile");
  PlayerInFront().QueueNext(file);
}

}  // namespace sound
