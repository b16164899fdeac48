#include "exploration/Quiz.h"

#include <array>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/NotationWords.h"
#include "common/RagaCounts.h"
#include "common/RagaDisplay.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "exploration/RandomSamples.h"
#include "exploration/Screens.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Random.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/Keyboard.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayLoop.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr int16_t kQuizForm = 20;
constexpr int16_t kChoosingKinds = 1;  // QuizStage values
constexpr int16_t kQuizzing = 2;
constexpr int16_t kScale = 1;  // QuizKind values
constexpr int16_t kPakad = 2;
constexpr int16_t kAlap = 3;
constexpr int16_t kContent = 1;  // the content database's code
constexpr const char* kSelectNewSample = "&Select New Music Sample";

// The kinds of item in the order of their check boxes, with the item words the play
// path reads for them.
struct QuizKindRow {
  int16_t kind;
  const char* box;
  int16_t itemKind;
  int16_t musicItemType;
};
constexpr std::array<QuizKindRow, 3> kKindRows{{
    {kScale, "cOScale", 1, 1},
    {kPakad, "cOPakad", 2, 3},
    {kAlap, "cOAlap", 3, 4},
}};

const QuizKindRow& RowOfKind(int16_t kind) {
  for (const QuizKindRow& row : kKindRows)
    if (row.kind == kind) return row;
  return kKindRows[0];
}

void Dispatch(int16_t code) {
  int16_t action = code;
  sTakeQuiz(action);
}

void ShowPrompt(forms::Form& form, const char* number) {
  form.Ctl("cPrompts").SetText(sound::fGetScaleInfo() + shell::PromptSeparator + common::fGetPrompts(number));
}

void Hide(forms::Form& form, std::initializer_list<const char*> names) {
  for (const char* name : names) form.Ctl(name).SetVisible(false);
}

void ClearVerdict(forms::Form& form) {
  form.Ctl("Label4").SetCaption("");
  form.Ctl("Label5").SetCaption("");
}

// The settings the quiz plays with, back at the learner's.
void RestoreSettings() {
  sound::Theka = QuizSavedTheka;
  sound::KeyboardDisplay = SavedKeyboardDisplay;
}

// Ready for a new sample: OK draws one.
void ShowReady(forms::Form& form) {
  Hide(form, {"cPlay", "cGuess", "cShow"});
  forms::Control& ok = form.Ctl("cOK");
  ok.SetCaption(kSelectNewSample);
  ok.SetEnabled(true);
}

// The answer is known (guessed or shown): the explore button and a new sample offered.
void ShowAnswerKnown(forms::Form& form) {
  form.Ctl("cExplore").SetVisible(true);
  form.Get<forms::ListControl>("cRagaList").SetListIndex(-1);
  Hide(form, {"cRagaList", "cGuess", "cShow", "cPlay"});
  ShowReady(form);
}

// True when the current raga has an item of that kind: the aroha and avroha or the
// pakad when they hold notes, an alap when the raga has alap phrases.
bool RagaHasKind(int16_t kind) {
  if (kind == kAlap) return common::fAlapCount(common::CurrRagaIndex, kContent) > 0;
  const std::string notes = kind == kScale ? common::fGetFromT_ScalePhraseUnSeg(common::kReadNotes)
                                           : common::fGetFromT_PakadPhraseUnSeg(common::kReadNotes);
  return !common::notation::Words(notes, " ").empty();
}

// The phrase of the sample into PhraseNotes and PhraseTiming; an alap's number is
// drawn among the raga's alap phrases.
void LoadSamplePhrase(int16_t kind) {
  using common::kReadDurations;
  using common::kReadNotes;
  switch (kind) {
    case kScale:
      sound::PhraseNotes = common::fGetFromT_ScalePhraseUnSeg(kReadNotes);
      sound::PhraseTiming = common::fGetFromT_ScalePhraseUnSeg(kReadDurations);
      break;
    case kPakad:
      sound::PhraseNotes = common::fGetFromT_PakadPhraseUnSeg(kReadNotes);
      sound::PhraseTiming = common::fGetFromT_PakadPhraseUnSeg(kReadDurations);
      break;
    default: {
      const int16_t count = common::fAlapCount(common::CurrRagaIndex, kContent);
      vb::Randomize();
      const auto phrase = static_cast<int16_t>(vb::DrawOneTo(count));
      sound::PhraseNotes = common::fGetFromT_AnALTPhraseUnSeg(kContent, 1, kReadNotes, phrase);
      sound::PhraseTiming = common::fGetFromT_AnALTPhraseUnSeg(kContent, 1, kReadDurations, phrase);
      break;
    }
  }
}

// Draws a raga and one of the ticked kinds, and loads its phrase. When the raga lacks
// the kind drawn, the kind is drawn again among the ticked kinds it has; a raga with
// none of them, or whose data cannot be read, gives way to another not tried yet.
// False when no raga has a sample.
bool DrawSample() {
  UntriedRagas untried = fAllDrawableRagas();
  while (fDrawUntriedRaga(untried)) {
    QuizKind = QuizKinds[static_cast<size_t>(vb::DrawOneTo(QuizKindCount) - 1)];
    if (!fSetupDrawnRaga()) continue;
    shell::GraceNotes = 2;
    if (!RagaHasKind(QuizKind)) {
      std::vector<int16_t> present;
      for (int16_t i = 0; i < QuizKindCount; ++i)
        if (RagaHasKind(QuizKinds[static_cast<size_t>(i)])) present.push_back(QuizKinds[static_cast<size_t>(i)]);
      if (present.empty()) continue;
      QuizKind = present[static_cast<size_t>(vb::DrawOneTo(static_cast<int32_t>(present.size())) - 1)];
    }
    LoadSamplePhrase(QuizKind);
    return true;
  }
  return false;
}

// The kinds ticked become the quiz's; false, with the message, when none is ticked.
bool TakeTickedKinds(forms::Form& form) {
  int16_t ticked = 0;
  for (const QuizKindRow& row : kKindRows) ticked += form.Ctl(row.box).Value() == 1 ? 1 : 0;
  if (ticked == 0) {
    vb::Message("You must elect at least one item");
    return false;
  }
  QuizKindCount = 0;
  for (const QuizKindRow& row : kKindRows)
    if (form.Ctl(row.box).Value() == 1) QuizKinds[static_cast<size_t>(QuizKindCount++)] = row.kind;
  return true;
}

// Code 2 in stage 1: the kinds ticked become the quiz's, and the guess list is filled.
// The kinds stay open to change: each new sample is drawn from those ticked then.
void ConfirmKinds() {
  forms::Form& form = FrontForm();
  if (!TakeTickedKinds(form)) return;
  form.Ctl("cReturn").SetFocus();
  form.Ctl("Label1").SetVisible(false);

  auto& list = form.Get<forms::ListControl>("cRagaList");
  list.Clear();
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr1, dao::dbOpenSnapshot);
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(rs.Fields("Raga").ToString());
  rs.Close();

  form.Ctl("cOK").SetCaption(kSelectNewSample);
  QuizStage = kQuizzing;
  ShowPrompt(form, "32");
}

// Code 2 in stage 2: a new sample drawn and played.
void DrawAndPlay() {
  forms::Form& form = FrontForm();
  if (!TakeTickedKinds(form)) return;
  ShowPrompt(form, "32");
  Hide(form, {"cPlay", "cGuess", "cShow", "Label4", "Label5", "cExplore"});
  ClearVerdict(form);
  common::CurrDBSelector = kContent;
  if (!DrawSample()) {
    vb::Message("No raga has a sample of the items chosen for the quiz.");
    return;
  }
  forms::Control& ok = form.Ctl("cOK");
  ok.SetCaption("Selected and Playing");
  ok.SetEnabled(false);
  Dispatch(3);
}

// Waits, the events still handled, until the sample has played out.
void WaitForSample(forms::Form& form) {
  if (mci::MMControl* player = shell::MMControlOf(form, "cMM")) mci::WaitWhilePlaying(*player);
  if (common::ProgramHalted()) throw common::ProgramHalt{};
}

// Code 3: the sample played once, then heard.
void PlaySample() {
  forms::Form& form = FrontForm();
  Hide(form, {"cGuess", "cShow", "Label4", "Label5"});
  ClearVerdict(form);
  form.Ctl("cPlay").SetEnabled(false);
  form.Ctl("cOK").SetEnabled(false);
  sDisableF20Selections();

  forms::Control& notation = form.Ctl("cNotation");
  if (NotationDisplay == 1) {
    common::sAdjustFont(notation);
    notation.SetVisible(true);
    common::sLoadNotation(notation, sound::PhraseNotes);
    notation.Refresh();
  }
  if (sSetUpForQuizModeIllustration() != 1) {
    // The music file does not hold this sample: nothing is played, and another can be drawn.
    RestoreSettings();
    sEnableF20Selections();
    notation.SetVisible(false);
    ShowReady(form);
    return;
  }
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
  sShowNextPicture(form);
  WaitForSample(form);

  RestoreSettings();
  // Closed by its close box while the sample played: nothing more to show.
  if (shell::CurrForm != QuizForm() || !QuizForm()->Loaded()) return;
  sEnableF20Selections();
  forms::Control& play = form.Ctl("cPlay");
  play.SetVisible(true);
  play.SetEnabled(true);
  form.Ctl("cGuess").SetVisible(true);
  form.Ctl("cShow").SetVisible(true);
  notation.SetVisible(false);
  form.Ctl("cOK").SetCaption("Selected");
}

// Code 1: the raga chosen in the guess list judged.
void JudgeGuess() {
  if (QuizStage != kQuizzing) return;
  forms::Form& form = FrontForm();
  auto& list = form.Get<forms::ListControl>("cRagaList");
  const std::string guess = list.Text();
  if (guess.empty()) return;  // the list emptied by the program
  forms::Control& echo = form.Ctl("Label4");
  echo.SetCaption("You Selected " + guess);
  echo.SetVisible(true);
  forms::Control& verdict = form.Ctl("Label5");
  if (guess != common::CurrRagaName) {
    verdict.SetCaption("Guess Again");
    list.SetListIndex(-1);
  } else {
    verdict.SetCaption("It IS " + guess + "!   Well Done!");
    ShowAnswerKnown(form);
  }
  verdict.SetVisible(true);
}

void OpenGuessList() {
  auto& list = FrontForm().Get<forms::ListControl>("cRagaList");
  list.SetListIndex(-1);
  list.SetVisible(true);
  list.SetFocus();
}

void ShowAnswer() {
  forms::Form& form = FrontForm();
  // The answer stands alone: a wrong guess before it goes.
  Hide(form, {"Label4"});
  form.Ctl("Label4").SetCaption("");
  forms::Control& verdict = form.Ctl("Label5");
  verdict.SetCaption("It is " + common::CurrRagaName);
  verdict.SetVisible(true);
  ShowAnswerKnown(form);
}

// Code 6: the illustration screen of the sample's raga, over the quiz.
void ExploreRaga() {
  sound::KeyboardDisplay = SavedKeyboardDisplay;
  common::sSetupForCurrRaga();
  int16_t open = 0;
  sMainOperations(open);
}

// The window closed by its close box leaves as Go Back does: the sample stops and the
// settings the quiz forced are the learner's again.
void Unloading() {
  if (shell::TerminatingForm != 1) {
    sStopAndClosePlayer(*QuizForm());
    RestoreSettings();
  }
  shell::OnScreenUnload();
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

void NotationShown(int16_t display) {
  NotationDisplay = display;
  shell::sMnuNotationCheck();
  Dispatch(7);
}

void ScriptChosen(int16_t script) {
  shell::NotationScript = script;
  shell::sMnuNotationScriptCheck();
  Dispatch(8);
}

void DroneStep(int16_t step) {
  sound::DroneVolumeStep = step;
  Dispatch(9);
}

}  // namespace

void sTakeQuiz(int16_t& action) {
  common::ProcTrace t("sTakeQuiz");
  sound::CallbackCode = 6;
  switch (action) {
    case 0:
      sInitTakeQuiz();
      FrontForm().Ctl("Frame1").SetVisible(true);
      break;
    case 1: JudgeGuess(); break;
    case 2:
      if (QuizStage == kChoosingKinds) {
        ConfirmKinds();
      } else {
        DrawAndPlay();
      }
      break;
    case 3: PlaySample(); break;
    case 4: OpenGuessList(); break;
    case 5: ShowAnswer(); break;
    case 6: ExploreRaga(); break;
    case 7: shell::sMnuNotationCheck(); break;
    case 8: shell::sMnuNotationScriptCheck(); break;
    case 9: sound::fAdjustDroneVolume(); break;  // a failure has shown its message
    case 20:
      sound::KeyboardDisplay = SavedKeyboardDisplay;
      sTerminateTakeQuiz();
      break;
    default: break;
  }
}

void sInitTakeQuiz() {
  common::ProcTrace t("sInitTakeQuiz");
  shell::sEnterForm(kQuizForm);
  forms::Form& form = FrontForm();
  if (shell::DevnagariAvailable == 0) form.Ctl("cMnuDev").SetVisible(false);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuTraceCheck();

  QuizStage = kChoosingKinds;
  QuizKindCount = 0;
  NotationDisplay = 0;
  shell::sMnuNotationCheck();
  shell::sMnuNotationScriptCheck();
  sound::CurrOperationMode = 1;
  common::CurrDBSelector = kContent;

  QuizTheka = 2;
  QuizSavedTheka = sound::Theka;
  sound::Theka = QuizTheka;
  QuizKeyboardDisplay = 2;
  SavedKeyboardDisplay = sound::KeyboardDisplay;
  sound::KeyboardDisplay = QuizKeyboardDisplay;
  ShowPrompt(form, "31");
}

void sTerminateTakeQuiz() {
  common::ProcTrace t("sTerminateTakeQuiz");
  sound::Theka = QuizSavedTheka;
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

int16_t sSetUpForQuizModeIllustration() {
  common::ProcTrace t("sSetUpForQuizModeIllustration");
  const QuizKindRow& row = RowOfKind(QuizKind);
  sound::CurrItemKind = row.itemKind;
  sound::CurrMusicItemType = row.musicItemType;
  sound::LookAhead = 1;
  sound::PlayMode = 1;
  sound::Theka = QuizTheka;
  sound::KeyboardDisplay = QuizKeyboardDisplay;
  return sound::sSetUpForPlayingSelectedPhrase();
}

void sDisableF20Selections() {
  common::ProcTrace t("sDisableF20Selections");
  forms::Form& form = FrontForm();
  for (const char* name : {"cReturn", "cMnuNot", "cMnuNotScr", "cMnuHel", "cMnuDro"}) form.Ctl(name).SetEnabled(false);
  form.SetBusy(true);
}

void sEnableF20Selections() {
  common::ProcTrace t("sEnableF20Selections");
  forms::Form& form = FrontForm();
  for (const char* name : {"cReturn", "cMnuNot", "cMnuNotScr", "cMnuHel", "cMnuDro"}) form.Ctl(name).SetEnabled(true);
  form.SetBusy(false);
}

forms::FormSpec DeclareQuiz() {
  forms::FormSpec f("Quiz", "Quiz", kQuizForm, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnUnload(Unloading);

  f.TextBox("cPrompts", {240, 7880, 9900, 820}).Locked().MultiLine();
  auto kinds = f.Frame("Frame1", "ItemTypes", {600, 840, 4800, 1560});
  kinds.Hidden();
  kinds.CheckBox("cOScale", "Aroha - Avroha", {240, 300, 4200, 330});
  kinds.CheckBox("cOPakad", "Pakad", {240, 690, 4200, 330});
  kinds.CheckBox("cOAlap", "Alap", {240, 1080, 4200, 330});
  f.Label("Label1", "Select one or more Items for quizzing", {600, 360, 4800, 360});
  f.Button("cOK", "O&K", {6000, 1380, 3900, 480}).OnClick([] { Dispatch(2); });
  f.Line("Line4", {240, 2640, 11700, 2640});
  f.Button("cPlay", "&Play again", {600, 2880, 2700, 450}).Hidden().OnClick([] { Dispatch(3); });
  f.Button("cGuess", "I will &Guess", {3600, 2880, 2700, 450}).Hidden().OnClick([] { Dispatch(4); });
  f.Button("cShow", "&What is it?", {6600, 2880, 2700, 450}).Hidden().OnClick([] { Dispatch(5); });
  f.Combo("cRagaList", {3600, 3480, 3600, 360}).Style(2).Hidden().OnClick([] { Dispatch(1); });
  f.Label("Label4", "", {600, 4080, 10800, 360}).Hidden();
  f.Label("Label5", "", {600, 4500, 10800, 420}).Font("", 12, true).Hidden();
  f.Button("cExplore", "Click here to further e&xplore Raga", {3600, 5040, 4800, 450}).Hidden().OnClick([] {
    Dispatch(6);
  });
  f.TextBox("cNotation", {600, 5760, 10800, 900}).Locked().MultiLine().Hidden();
  f.Line("Line5", {240, 6900, 11700, 6900});
  f.Line("Line6", {240, 2640, 240, 6900});
  f.Line("Line7", {11700, 2640, 11700, 6900});
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  f.MultimediaControl("cMM").On(forms::Event::Done, [](forms::EventArgs& e) { PlayerDone(e); });

  auto drone = f.Menu("cMnuDro", "&Drone");
  drone.Item("cMnuDroLou", "Louder").OnClick([] { DroneStep(1); });
  drone.Item("cMnuDroSof", "Softer").OnClick([] { DroneStep(-1); });
  auto notation = f.Menu("cMnuNot", "&Notation");
  notation.Item("cMnuShoNot", "Show Notation").OnClick([] { NotationShown(1); });
  notation.Item("cMnuDonShoNot", "Don't show Notation").OnClick([] { NotationShown(0); });
  auto script = f.Menu("cMnuNotScr", "Notation &Script");
  script.Item("cMnuDev", "Devnagari").OnClick([] { ScriptChosen(1); });
  script.Item("cMnuEng", "English").OnClick([] { ScriptChosen(2); });
  shell::DeclareHelpAndTraceMenus(f);
  return f;
}
VELMORA_DECLARE_FORM(DeclareQuiz)

forms::Form* QuizForm() {
  static forms::Form form(DeclareQuiz());
  return &form;
}

}  // namespace exploration
