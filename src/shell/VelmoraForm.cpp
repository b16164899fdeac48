#include "shell/VelmoraForm.h"

#include <cstdint>

#include "common/CommonState.h"
#include "composer/Composer.h"
#include "exploration/KZSampler.h"
#include "exploration/Quiz.h"
#include "exploration/RagaSelection.h"
#include "exploration/ReviewRagas.h"
#include "platform/forms/Registry.h"
#include "scaleshift/ScaleShifting.h"
#include "shell/KZControl.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/OpeningScreen.h"
#include "shell/ShellState.h"
#include "shell/SoundStartUp.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace shell {

namespace {

constexpr forms::Colour kTitleColour = forms::RGB(96, 16, 16);
constexpr forms::Colour kTextColour = forms::RGB(32, 24, 16);
constexpr forms::Colour kLineColour = forms::RGB(128, 80, 40);

// Each handler passes its action code through a local word, as the dispatchers take it by reference.
template <void (*Dispatch)(int16_t&)>
void Call(int16_t code) {
  int16_t action = code;
  Dispatch(action);
}

void OnLoad() {
  TermsAccepted = 0;
  sCheckFirstInstance();  // a second copy is told before it asks for the terms
  sShowOpeningScreen();
  if (TermsAccepted != 0) {
    ResizePending = 0;
    Call<sKZControl>(0);
  } else {
    MainForm().Unload();  // nothing was opened: the run ends here
  }
}

void OnQueryUnload(forms::EventArgs& e) {
  if (e.UnloadMode == forms::vbFormCode) return;  // the program unloads the form itself
  ShutdownReason = 2;
  Call<sKZControl>(20);
}

void OnTimer() {
  MainForm().Ctl("cTimer").SetEnabled(false);
  if (TimerPurpose == 1) {
    Call<sInitApp2>(0);
  } else if (TimerPurpose == 2) {
    sTerminateApp();
  }
}

}  // namespace

forms::FormSpec DeclareVelmora() {
  using forms::Event;
  forms::FormSpec f("Velmora", "Velmora", 1, {600, 450, 12000, 9000});
  f.OnLoad(OnLoad);
  RouteScreenEvents(f);
  f.OnQueryUnload(OnQueryUnload);

  f.Label("Label4", "", {600, 650, 10800, 900})
      .Font("Noto Serif", 30, true)
      .ForeColor(kTitleColour)
      .Alignment(2)
      .BackStyle(0);
  f.Label("Label5", "", {1200, 1600, 9600, 900}).Font("Noto Serif", 13, false, true).ForeColor(kTextColour).Alignment(2).BackStyle(0);
  f.TextBox("cPrompts", {600, 6450, 10800, 900}).Locked().MultiLine().Font("Noto Sans", 11);
  f.Label("Label11", "Some useful tips (Use menu bar item 'Tips' to control their display)", {1500, 2950, 9000, 400})
      .Font("Noto Sans", 11, true)
      .ForeColor(kTextColour)
      .BackStyle(0)
      .Hidden();
  f.TextBox("cTip", {1500, 3400, 9000, 2000}).Locked().MultiLine().Font("Noto Sans", 12).Hidden();
  f.Button("cShowNext", "&Next Tip", {1500, 5550, 1800, 450}).Hidden().OnClick([] { Call<sInitApp2>(0); });
  f.Button("cOK", "O&K", {8700, 5550, 1800, 450}).Hidden().OnClick([] { Call<sInitApp2>(1); });
  f.Button("cExit", "&Exit", {10000, 7750, 1400, 450}).OnClick([] {
    ShutdownReason = 1;
    Call<sKZControl>(20);
  });
  f.Timer("cTimer").OneShot().OnTimer(OnTimer);
  f.MultimediaControl("cMM").On(Event::Done, [] { sound::sPlayMusicFile(sound::MusicFileToPlay); });
  f.Line("Line4", {600, 450, 11400, 450}).BorderColor(kLineColour).BorderWidth(2);
  f.Line("Line5", {600, 2700, 11400, 2700}).BorderColor(kLineColour);
  f.Line("Line6", {600, 6300, 11400, 6300}).BorderColor(kLineColour);
  f.Line("Line7", {600, 7500, 11400, 7500}).BorderColor(kLineColour).BorderWidth(2);

  auto ops = f.Menu("cMnuMaiOpe", "Main Operations");
  ops.Item("cMnuExpRag", "Explore Ragas").OnClick([] { Call<exploration::sSelectRaga>(0); });
  ops.Separator("cMnuLin1");
  ops.Item("cMnuTakQui", "Take Quiz").OnClick([] { Call<exploration::sTakeQuiz>(0); });
  ops.Item("cMnuUseMusSam", "Use Music Sampler").OnClick([] { Call<exploration::sKZSampler>(0); });
  ops.Separator("cMnuLin2");
  ops.Item("cMnuOpeWor", "Use 'Workbench'").OnClick([] { Call<sKZControl>(3); });
  ops.Separator("cMnuLin4");
  ops.Item("cMnuInvCom", "Invoke 'Composer'").OnClick([] { Call<sKZControl>(4); });
  ops.Separator("cMnuLin3");
  ops.Item("cMnuDefPitShi", "Define Scales with Pitch-Shifts").OnClick([] { Call<scaleshift::sShiftScale>(0); });

  auto support = f.Menu("cMnuSupOpe", "Supporting Operations");
  support.Item("cMnuRevRagGro", "Review Raga Groups").OnClick([] { Call<exploration::sReviewTechnicalData>(0); });

  auto tips = f.Menu("cMnuTip", "&Tips");
  tips.Item("cMnuShoTip", "Show Tips at Start").OnClick([] {
    TipSignal = 1;
    sMnuTipsCheck();
  });
  tips.Item("cMnuDonShoTip", "Don't Show Tips at start").OnClick([] {
    TipSignal = 0;
    sMnuTipsCheck();
  });

  // The title's click only repaints the form in front; help itself comes with F1.
  auto help = f.Menu("cMnuHel", "&Help");
  help.OnClick([] {
    if (CurrForm != nullptr) CurrForm->Refresh();
  });
  help.Item("cMnuPreF1", "Press F1 any time to obtain Help");
  help.Item("cMnuTraOn", "Trace On").OnClick([] {
    common::TraceOn = -1;
    sMnuTraceCheck();
  });
  help.Item("cMnuTraOff", "TraceOff").OnClick([] {
    common::TraceOn = 0;
    sMnuTraceCheck();
  });
  return f;
}

VELMORA_DECLARE_FORM(DeclareVelmora)

forms::Form& MainForm() {
  static forms::Form form(DeclareVelmora());
  return form;
}

}  // namespace shell
