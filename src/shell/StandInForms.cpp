// Stand-in forms for the screens that are not built yet: each has its screen's name,
// id and the menu items that the check-mark procedures reach on it, a caption line and
// a Return button, and routes Resize, Click and Unload as the real screen will.
#include "shell/StandInForms.h"

#include <string>

#include "common/Trace.h"
#include "composer/Composer.h"
#include "exploration/MainOperations.h"
#include "exploration/RagaSelection.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "shell/VelmoraForm.h"

namespace shell {

namespace {

forms::FormSpec StandIn(const char* name, int16_t id) {
  forms::FormSpec f(name, name, id, {600, 450, 12000, 9000});
  RouteScreenEvents(f);
  f.Label("Label1", std::string(name) + ": this screen is not built yet.", {1200, 3600, 9600, 600}).Alignment(2);
  f.Button("cReturn", "&Return", {5100, 7800, 1800, 450}).OnClick([] {
    int16_t levels = 1;
    sStructuredTermination(levels);
  });
  return f;
}

void Items(forms::MenuMember menu, std::initializer_list<std::pair<const char*, const char*>> items) {
  for (const auto& [item, caption] : items) menu.Item(item, caption);
}

void Trace(forms::FormSpec& f) { Items(f.Menu("cMnuHel", "&Help"), {{"cMnuTraOn", "Trace On"}, {"cMnuTraOff", "TraceOff"}}); }

void GraceNotes(forms::FormSpec& f, const char* useItem) {
  Items(f.Menu("cMnuGraNot", "&Grace Notes"), {{"cMnuNoGraNot", "No Grace Notes"}, {useItem, "Use Grace Notes"}});
}

void Keyboard(forms::FormSpec& f) {
  Items(f.Menu("cMnuKey", "&Keyboard"), {{"cMnuShoKey", "Show Keyboard"}, {"cMnuDonShoKey", "Don't Show Keyboard"}});
}

void Script(forms::FormSpec& f) { Items(f.Menu("cMnuScr", "&Script"), {{"cMnuDev", "Devnagari"}, {"cMnuEng", "English"}}); }

void Tonic(forms::FormSpec& f) {
  Items(f.Menu("cMnuTon", "&Tonic"),
        {{"cMnuW7", "White 7 (B)"}, {"cMnuW1", "White 1 (C)"}, {"cMnuB1", "Black 1 (C#)"}, {"cMnuW2", "White 2 (D)"},
         {"cMnuB2", "Black 2 (D#)"}, {"cMnuW3", "White 3 (E)"}, {"cMnuW4", "White 4 (F)"}, {"cMnuB3", "Black 3 (F#)"},
         {"cMnuW5", "White 5 (G)"}, {"cMnuB4", "Black 4 (G#)"}, {"cMnuW6", "White 6 (A)"}, {"cMnuB5", "Black 5 (A#)"}});
}

// The review of raga groups (id 3).
forms::FormSpec DeclareReviewRagas() { return StandIn("ReviewRagas", 3); }

// Scale shifting (id 7).
forms::FormSpec DeclareScaleShifting() {
  forms::FormSpec f = StandIn("ScaleShifting", 7);
  Trace(f);
  return f;
}

// The workbench carries the setting menus of the playing screens.
forms::FormSpec KeyboardScreen(const char* name, int16_t id) {
  forms::FormSpec f = StandIn(name, id);
  GraceNotes(f, "cMnuUseGraNot");
  Keyboard(f);
  Script(f);
  Tonic(f);
  Trace(f);
  return f;
}

// The workbench (id 13).
forms::FormSpec DeclareWorkshop() { return KeyboardScreen("Workshop", 13); }

// The composition player (id 14); it names its grace-note item in its own letter case.
forms::FormSpec DeclarePlayComposition1() {
  forms::FormSpec f = StandIn("PlayComposition1", 14);
  GraceNotes(f, "cMnuUseGranot");
  Script(f);
  Items(f.Menu("cMnuThe", "T&heka"), {{"cMnuUseThe", "Use Theka"}, {"cMnuNoThe", "No Theka"}});
  Tonic(f);
  Trace(f);
  return f;
}

// The raga summary (id 15).
forms::FormSpec DeclareRagaInfoSummary() { return StandIn("RagaInfoSummary", 15); }

// The quiz (id 20).
forms::FormSpec DeclareQuiz() {
  forms::FormSpec f = StandIn("Quiz", 20);
  Items(f.Menu("cMnuNot", "&Notation"), {{"cMnuDonShoNot", "Don't show Notation"}, {"cMnuShoNot", "Show Notation"}});
  Script(f);
  Trace(f);
  return f;
}

// The music sampler (id 22).
forms::FormSpec DeclareKZSampler() {
  forms::FormSpec f = StandIn("KZSampler", 22);
  Trace(f);
  return f;
}

VELMORA_DECLARE_FORM(DeclareReviewRagas)
VELMORA_DECLARE_FORM(DeclareScaleShifting)
VELMORA_DECLARE_FORM(DeclareWorkshop)
VELMORA_DECLARE_FORM(DeclarePlayComposition1)
VELMORA_DECLARE_FORM(DeclareRagaInfoSummary)
VELMORA_DECLARE_FORM(DeclareQuiz)
VELMORA_DECLARE_FORM(DeclareKZSampler)

template <forms::FormSpec (*Declare)()>
forms::Form* Bound() {
  static forms::Form form(Declare());
  return &form;
}

}  // namespace

void sBindForms() {
  FormVelmora = &MainForm();
  FormReviewRagas = Bound<DeclareReviewRagas>();
  FormScaleShifting = Bound<DeclareScaleShifting>();
  FormRagaSelection1 = exploration::RagaSelectionForm();
  FormPlayComposition1 = Bound<DeclarePlayComposition1>();
  FormRagaInfoSummary = Bound<DeclareRagaInfoSummary>();
  FormQuiz = Bound<DeclareQuiz>();
  FormWorkshop = Bound<DeclareWorkshop>();
  FormKZSampler = Bound<DeclareKZSampler>();
  FormComposer = composer::ComposerForm();
  FormMainOperations = exploration::MainOperationsForm();
}

void OpenStandInForm(int16_t id) {
  common::ProcTrace t("OpenStandInForm");
  sEnterForm(id);
  int16_t hideParent = 1;
  sShowForm(hideParent);
}

}  // namespace shell
