#include "shell/SoundStartUp.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "shell/StartUpLibrary.h"
#include "sound/NoteSeeds.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"
#include "soundlib/Tanpura.h"

namespace shell {

namespace {

namespace fs = std::filesystem;

constexpr int16_t kGreetingDroneFileType = 2;
constexpr int16_t kWaitPerDroneFileType = 3200;  // ms of drone per variant
constexpr int16_t kWaitAfterDrone = 100;         // ms

constexpr const char* kTipsPanel[] = {"Label11", "cOK", "cShowNext", "cTip"};

forms::Form& Main() { return *FormVelmora; }

// True when the library step succeeded; otherwise its message has been shown.
bool LibraryStep(int16_t result, const char* failure) {
  if (result == 1) return true;
  vb::Message(failure);
  return false;
}

void ShowMainFormWithMenusDisabled() {
  Main().SetVisible(true);
  int16_t keepParent = 0;
  sShowForm(keepParent);
  sDisableKZSelections();
}

// Without sound no screen can be used, but the user can still leave.
void OfferOnlyExit() { Main().Ctl("cExit").SetEnabled(true); }

// The library is prepared for the run; false after the failing step's message.
bool PrepareSoundLibrary() {
  if (!LibraryStep(StartUpLib.FWavSetGlobalVariables(sound::SoundLibraryGlobals), "Error in Setting GlobalVariables"))
    return false;
  if (!LibraryStep(StartUpLib.FWavSetCurrInstr(sound::CurrInstrument), "Error in Setting Instrument Name"))
    return false;
  if (!LibraryStep(sound::fCreateNoteSeedsForUse(), "Error in Creating Note Seeds")) return false;
  if (sound::ThekaSet < 1 || sound::ThekaSet > static_cast<int16_t>(ThekaFiles.size()))
    vb::Raise(vb::kSubscript, "Subscript out of range: theka set " + std::to_string(sound::ThekaSet));
  // The step's message names the file it read, which a user can check or reinstall.
  const std::string& file = ThekaFiles[sound::ThekaSet - 1];
  const std::string failure =
      "Error in Loading Theka Data\n\nThe theka file \"" + file + "\" is missing or damaged. Please install Velmora again.";
  return LibraryStep(StartUpLib.FWavLoadThekaData(file, sound::ThekaSet), failure.c_str());
}

void PlayGreetingDrone() {
  sound::MusicFileToPlay = DroneFile;
  sound::CurrItemKind = 0;
  sound::CallbackCode = 0;
  sound::PlayState = 0;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

// The greeting drone file could not be written: the message names it and the cause,
// found out afterwards (a file that could not be completed has been removed again).
std::string DroneFileFailure() {
  const std::string intro = "Error in generating drone file\n\nThe drone file \"" + DroneFile + "\" could not be written";
  const std::string end = " Velmora can only be ended now; start it again when that is mended.";
  std::error_code ec;
  const uintmax_t needed = static_cast<uintmax_t>(kGreetingDroneFileType) * soundlib::Tanpura::kCycle * 2 + 4096;
  const fs::space_info space = fs::space(DataFolder, ec);
  if (!ec && space.available < needed)
    return intro + ", because the disk that holds it is full (it needs " + std::to_string(needed / 1024) +
           " KB, and " + std::to_string(space.available / 1024) + " KB are free). Free space on that disk." + end;
  const vb::FileKind kind = vb::KindOf(DroneFile);
  if (kind != vb::FileKind::Regular && kind != vb::FileKind::Missing)
    return intro + ", because " + vb::KindInWords(kind) + " has its name. Move it out of the data folder." + end;
  if (access(DataFolder.c_str(), W_OK) != 0 || (kind == vb::FileKind::Regular && access(DroneFile.c_str(), W_OK) != 0))
    return intro + ", because it (or the data folder) may not be written. Make them writable for your user." + end;
  return intro + "." + end;
}

void SetTipsPanelVisible(bool visible) {
  for (const char* name : kTipsPanel) Main().Ctl(name).SetVisible(visible);
}

}  // namespace

void sInitApp1() {
  common::ProcTrace t("sInitApp1");
  common::IgnorableErrorCount = 0;
  common::ReportedErrorCount = 0;
  ResizePending = 0;
  if (!PrepareSoundLibrary()) {
    ShowMainFormWithMenusDisabled();
    OfferOnlyExit();
    return;
  }
  ShowMainFormWithMenusDisabled();
  DroneFileType = kGreetingDroneFileType;
  if (StartUpLib.FWavGenerateDroneFile(DroneFileType, DroneFile, 1) != 1) {
    vb::Message(DroneFileFailure());
    OfferOnlyExit();
    return;
  }
  PlayGreetingDrone();
  forms::Form& main = Main();
  main.Get<forms::Timer>("cTimer").SetInterval(
      static_cast<int16_t>(DroneFileType * kWaitPerDroneFileType + kWaitAfterDrone));
  main.Ctl("cTimer").SetEnabled(true);
}

void sInitApp2(int16_t& action) {
  common::ProcTrace t("sInitApp2");
  Main().Ctl("cTimer").SetEnabled(false);
  if (action == 0) {
    // Without any tip the panel would stay empty: the main menu is made ready instead.
    if (TipSignal == 1 && TipCount > 0) {
      SetTipsPanelVisible(true);
      sLoadNextTip();
    } else {
      int16_t ready = 1;
      sInitApp2(ready);
    }
  } else if (action == 1) {
    SetTipsPanelVisible(false);
    sEnableKZSelections();
    Main().Ctl("cPrompts").SetText(common::fGetPrompts("1"));
  }
}

void sLoadNextTip() {
  common::ProcTrace t("sLoadNextTip");
  dao::Recordset rs = DatabaseA.OpenRecordset("KZTips", dao::dbOpenTable);
  LastTip = LastTip >= TipCount ? int16_t{1} : static_cast<int16_t>(LastTip + 1);
  common::sSetTablePKRecord(rs, LastTip);
  const vb::Variant tip = rs.Fields("Tip");  // a tip number without a row is error 3021
  Main().Ctl("cTip").SetText(tip.IsNull() ? std::string() : tip.ToString());
  rs.Close();
}

}  // namespace shell
