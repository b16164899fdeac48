#include "workshop/Workshop.h"

#include <algorithm>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"
#include "workshop/ScaleNotes.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr int16_t kWorkshopForm = 13;
constexpr int16_t kAllLevels = 3;  // query 16: the ragas of every level

// The name tables and the built-in patterns.
void FillTables() {
  for (size_t n = 0; n < static_cast<size_t>(kWorkbenchNotes); ++n) {
    WBNoteNames[n] = common::EnglishNotes[n + kEnglishOffset];
    WBDevnagariNoteNames[n] = common::DevnagariNotes[n + kEnglishOffset];
  }
  BasePatterns = {"BUC7LDC7", "BUC14LDC14", "BUC1", "BUC2", "BUC3", "BUC1BUC2", "BUC2BUC3", "BUJ2lDJ1", ""};
}

// What an earlier visit or another screen may have left: a loop, a lock, the note set,
// the pattern being defined, the meend notes.
void ResetVisit() {
  sound::LoopFlag = 0;
  sound::CurrOperationMode = 2;  // learning mode, as cOLearn shows it
  F13Locked = 0;
  NoteMarks.fill(0);
  ScaleNotes.fill(0);
  ScaleNoteCount = 0;
  UserPatternPhrase.clear();
  MeendNotes = {};
  RagaChosen = 0;
  QuizNote = 0;
  ListContent = 0;
  BasePatternPhrase.clear();
  WBShownPhrase.clear();
  WBCurrentPhrase.clear();
  WBCurrentDurations.clear();
}

mci::MMControl* PlayerOf(forms::Form& form) { return shell::MMControlOf(form, "cMM"); }

// The learning or practice choice of Frame1: 3 when "Practice Mode" is selected, else 2.
int16_t ChosenOperationMode() { return FrontForm().Ctl("cOPract").Value() != 0 ? int16_t{3} : int16_t{2}; }

void FillRagaList(forms::Form& form) {
  auto& list = form.Get<forms::ListControl>("cRagaList");
  list.Clear();
  common::sPatchSQLStr16(kAllLevels);
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr16, dao::dbOpenSnapshot);
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(vb::NzString(rs.Fields("Raga")));
  rs.Close();
}

}  // namespace

forms::Form& FrontForm() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *shell::CurrForm;
}

namespace {
std::string g_promptKeys;  // the prompt numbers shown last
}  // namespace

void ShowPrompt(const std::string& keys) {
  g_promptKeys = keys;
  FrontForm().Ctl("cPrompts").SetText(sound::fGetScaleInfo() + shell::PromptSeparator + common::fGetPrompts(keys));
}

void RefreshPrompt() { ShowPrompt(g_promptKeys); }

std::string DisplayText(const std::string& phrase) {
  if (shell::NotationScript == common::kScriptDevnagari)
    return common::fPrepareNotationDisplayString(common::fPrepareNotationDevnagariString(phrase));
  return common::fPrepareNotationDisplayString(phrase);
}

void AdjustFont(forms::Control& control) { common::sAdjustFont(control); }

void Dispatch(int16_t code) {
  int16_t action = code;
  sWorkshop(action);
}

void StopAndClosePlayer() {
  common::ProcTrace t("StopAndClosePlayer");
  forms::Form& form = FrontForm();
  form.Ctl("cTimer1").SetEnabled(false);
  if (mci::MMControl* mm = PlayerOf(form)) shell::sStopAndClosePlayer(*mm);
}

void sWorkshop(int16_t& action) {
  common::ProcTrace t("sWorkshop");
  sound::CallbackCode = 8;
  // A late notice of the player or the timer finds another screen in front: it is not
  // this screen's to act on.
  if (action != 0 && shell::CurrForm != WorkshopForm()) return;
  switch (action) {
    case 0:
      sInitWorkshop();
      FrontForm().Ctl("cOLearn").SetValue(1);
      break;
    case 1: sEnterWBMode(); break;
    case 2: sListEntryChosen(); break;
    case 3: sKeyLabelClicked(); break;
    case 4: sShowThataList(); break;
    case 5: sPlayInLearningOrPractice(); break;
    case 6: sBuildPatternPhrase(); break;
    case 7: sSetUpAndPlay(); break;
    case 8: sShowQuizNote(); break;
    case 9: sNewScaleOrNote(); break;
    case 10: sSingleNoteEnded(); break;
    case 11:
    case 12:
    case 13: {
      int16_t option = static_cast<int16_t>(action - 10);
      sProcessOptionSelection(option);
      break;
    }
    case 14: sGraceNotesChanged(); break;
    case 15: sTonicChanged(); break;
    case 16: sStartMeendDemo(); break;
    case 17: sPlayInDemoMode(); break;
    case 18: sound::sImplementCurrKBDisplayMode(); break;
    case 19: sWorkshopEndOfPlaying(); break;
    case 20: sTerminateWorkshop(); break;
    case 21: sSwitchWBMode(); break;
    case 22: sStopWorkshopPlaying(); break;
    case 23: sMarkWorkshopProgress(); break;
    case 24: sScriptChanged(); break;
    case 25: sPlayDroneAlone(); break;
    case 26: sDefinePattern(); break;
    case 27: sStartScalePicking(); break;
    case 28: sSavePattern(); break;
    case 29: sShowUserPatterns(); break;
    case 30: sNextQuizNote(); break;
    default: break;
  }
}

void sInitWorkshop() {
  common::ProcTrace t("sInitWorkshop");
  FillTables();
  sound::BaseBeat = 70;
  WBNoteTime = 200;
  sound::CurrMusicItemType = 10;
  WBDoneMode = 2;
  shell::GraceNotes = 2;
  ResetVisit();

  shell::sEnterForm(kWorkshopForm);
  forms::Form& form = FrontForm();
  if (shell::DevnagariAvailable == 0) form.Ctl("cMnuDev").SetVisible(false);
  sound::sLoadKBReedsAndLabels(form);
  AdjustFont(form.Ctl("cCurrentItem"));
  AdjustFont(form.Ctl("cPattern"));
  shell::sMnuNotationScriptCheck();
  shell::sMnuKeyboardDisplayCheck();
  shell::sMnuTonicNoteCheck();
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuGraceNotesCheck();
  shell::sMnuTraceCheck();
  sound::sImplementCurrKBDisplayMode();
  sound::sUpdateReedLabelsAlt(form);

  if (mci::MMControl* mm = PlayerOf(form)) mm->setTimeFormat(0);
  PatternSource = 0;
  SpeedChanged = 0;
  KeyLabelPurpose = 2;
  form.Ctl("Label7").SetVisible(true);
  ShowPrompt("34");
  WBMode = 0;
  sSetModeDisplay();
}

void sTerminateWorkshop() {
  common::ProcTrace t("sTerminateWorkshop");
  // Nothing plays on against the screen below.
  sound::LoopFlag = 0;
  StopAndClosePlayer();
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

void sSetDroneType(int32_t droneType) {
  common::ProcTrace t("sSetDroneType");
  if (sound::CurrDroneType == droneType) return;
  sound::CurrDroneType = droneType;
  if (sound::fBuildDroneData() != 1) vb::Message("Error in loading drone data");
}

void sEnterWBMode() {
  common::ProcTrace t("sEnterWBMode");
  forms::Form& form = FrontForm();
  // Nothing of the mode left before stays: its panels, what a key click meant, the
  // pattern chosen in it.
  sHideDetails();
  KeyLabelPurpose = 2;
  PatternSource = 0;
  if (WBMode >= 1 && WBMode <= 2) sound::CurrOperationMode = ChosenOperationMode();
  switch (WBMode) {
    case 1:
      sInitScaleNotes();
      sSetScaleNotesForMajorScale();
      sSetModeDisplay();
      sHideUnselectedNoteLabels();
      sShowSelectedNotes();
      sSetDroneType(1);
      break;
    case 2:
      sClearScaleForChoice();
      OptionStep = 1;
      sSetOptionsDisplay();
      ShowPrompt("88");
      break;
    case 3:
      form.Ctl("cOLearn").SetValue(1);
      sound::CurrOperationMode = 2;
      form.Ctl("Label7").SetVisible(false);
      form.Ctl("cCurrentItem").SetText("");
      FillRagaList(form);
      ListContent = 3;
      form.Ctl("Label6").SetCaption("Select Raga");
      for (const char* name : {"cRagaList", "Label6", "Frame1"}) form.Ctl(name).SetVisible(true);
      sHideSlider();
      ShowPrompt("70");
      break;
    case 4:
      OptionStep = 11;
      sSetOptionsDisplay();
      ShowPrompt("97");
      break;
    default:
      break;
  }
}

void sSwitchWBMode() {
  common::ProcTrace t("sSwitchWBMode");
  forms::Form& form = FrontForm();
  WBMode = 0;
  KeyLabelPurpose = 2;
  PatternSource = 0;
  sHideDetails();
  sSetModeDisplay();
  sHideSlider();
  form.Ctl("Label7").SetVisible(true);
  ShowPrompt("34");
  sound::sImplementCurrKBDisplayMode();
  form.Ctl("Frame1").SetVisible(false);
}

}  // namespace workshop
