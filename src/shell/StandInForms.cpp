// Stand-in forms for the screens that are not built yet: each has its screen's name,
// id and the menu items that the check-mark procedures reach on it, a caption line and
// a Return button, and routes Resize, Click and Unload as the real screen will.
#include "shell/StandInForms.h"

#include <string>

#include "common/Trace.h"
#include "exploration/KZSampler.h"
#include "exploration/MainOperations.h"
#include "exploration/Quiz.h"
#include "exploration/RagaSelection.h"
#include "exploration/ReviewRagas.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "scaleshift/ScaleShifting.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "shell/VelmoraForm.h"
#include "workshop/Workshop.h"

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

void Script(forms::FormSpec& f) { Items(f.Menu("cMnuScr", "&Script"), {{"cMnuDev", "Devnagari"}, {"cMnuEng", "English"}}); }

void Tonic(forms::FormSpec& f) {
  Items(f.Menu("cMnuTon", "&Tonic"),
        {{"cMnuW7", "White 7 (B)"}, {"cMnuW1", "White 1 (C)"}, {"cMnuB1", "Black 1 (C#)"}, {"cMnuW2", "White 2 (D)"},
         {"cMnuB2", "Black 2 (D#)"}, {"cMnuW3", "White 3 (E)"}, {"cMnuW4", "White 4 (F)"}, {"cMnuB3", "Black 3 (F#)"},
         {"cMnuW5", "White 5 (G)"}, {"cMnuB4", "Black 4 (G#)"}, {"cMnuW6", "White 6 (A)"}, {"cMnuB5", "Black 5 (A#)"}});
}

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

// The composer (id 27).
forms::FormSpec DeclareComposer() {
  forms::FormSpec f = StandIn("Composer", 27);
  Script(f);
  Items(f.Menu("cMnuPal", "&Palette"), {{"cMnuNotForRag", "Notes For Raga Only"}, {"cMnuAllNot", "All Notes"}});
  Trace(f);
  return f;
}

VELMORA_DECLARE_FORM(DeclarePlayComposition1)
VELMORA_DECLARE_FORM(DeclareComposer)

template <forms::FormSpec (*Declare)()>
forms::Form* Bound() {
  static forms::Form form(Declare());
  return &form;
}

}  // namespace

void sBindForms() {
  FormVelmora = &MainForm();
  FormReviewRagas = exploration::ReviewRagasForm();
  FormScaleShifting = scaleshift::ScaleShiftingForm();
  FormRagaSelection1 = exploration::RagaSelectionForm();
  FormPlayComposition1 = Bound<DeclarePlayComposition1>();
  FormRagaInfoSummary = exploration::RagaInfoSummaryForm();
  FormQuiz = exploration::QuizForm();
  FormWorkshop = workshop::WorkshopForm();
  FormKZSampler = exploration::KZSamplerForm();
  FormComposer = Bound<DeclareComposer>();
  FormMainOperations = exploration::MainOperationsForm();
}

void OpenStandInForm(int16_t id) {
  common::ProcTrace t("OpenStandInForm");
  sEnterForm(id);
  int16_t hideParent = 1;
  sShowForm(hideParent);
}

}  // namespace shell
