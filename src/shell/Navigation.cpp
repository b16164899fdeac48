#include "shell/Navigation.h"

#include <QMainWindow>
#include <QRect>

#include <algorithm>
#include <string>

#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace shell {

namespace {

forms::Form& Front() {
  if (CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *CurrForm;
}

forms::Form* FormOfId(int16_t id) {
  switch (id) {
    case 1: return FormVelmora;
    case 3: return FormReviewRagas;
    case 7: return FormScaleShifting;
    case 9: return FormRagaSelection1;
    case 13: return FormWorkshop;
    case 14: return FormPlayComposition1;
    case 15: return FormRagaInfoSummary;
    case 20: return FormQuiz;
    case 22: return FormKZSampler;
    case 27: return FormComposer;
    case 28: return FormMainOperations;
    default: return nullptr;
  }
}

// The forms that carry the trace menu items.
bool CarriesTraceItems(int16_t id) {
  constexpr int16_t kIds[] = {1, 7, 9, 13, 14, 20, 22, 27, 28};
  return std::find(std::begin(kIds), std::end(kIds), id) != std::end(kIds);
}

// Which of Resize, Click and Unload each screen routes to the navigation.
struct Routing {
  int16_t id;
  bool resize, click, unload;
};
constexpr Routing kRouting[] = {
    {1, true, true, false},    // closing the main window shuts the program down instead
    {9, true, true, true},   {20, true, true, true}, {3, true, true, true},
    {15, true, true, true},  {13, true, true, true}, {7, true, true, true},
    {14, true, false, true},   // the composition player's surface click does nothing
    {28, false, false, true}, {27, false, false, true}, {22, false, false, true},
};

// The last layout the program itself gave a form: a resize event that reports this
// size and state is the echo of that layout, not the user's doing.
struct OwnLayout {
  const forms::Form* form = nullptr;
  QSize size;
  int16_t state = 0;
};
OwnLayout g_ownLayout;
int g_ownLayoutDepth = 0;

// A maximised window may reach its size after the change of state: a size the program's
// layout was not given is the user's, whatever the state.
bool EchoOfOwnLayout(forms::Form& form) {
  if (g_ownLayout.form != &form || form.WindowState() != g_ownLayout.state) return false;
  return form.Window()->size() == g_ownLayout.size;
}

// The user changed the window of the form in front: the size reached becomes the
// shared geometry, and the form is laid out again at once. A change the program's own
// layout caused is not the user's.
void FollowWindowChange(forms::Form& form) {
  if (&form != CurrForm || g_ownLayoutDepth > 0 || EchoOfOwnLayout(form)) return;
  if (form.WindowState() == forms::vbMinimized) return;
  ResizePending = 0;
  sSetFormParameters();
  RelayOutForm(form);
}

struct FollowerInstaller {
  FollowerInstaller() { forms::SetWindowChangeFollower(&FollowWindowChange); }
} g_followerInstaller;

// ParentFormId is indexed by form id - 1.
void CheckFormId(int16_t id) {
  if (id < 1 || id > static_cast<int16_t>(ParentFormId.size()))
    vb::Raise(vb::kSubscript, "Subscript out of range (form id " + std::to_string(id) + ")");
}

}  // namespace

void sSetCurrFormById() {
  common::ProcTrace t("sSetCurrFormById");
  if (forms::Form* form = FormOfId(CurrFormId)) CurrForm = form;
  if (CarriesTraceItems(CurrFormId)) sMnuTraceCheck();
}

void sRevertToParentForm() {
  common::ProcTrace t("sRevertToParentForm");
  PrevForm = CurrForm;
  CheckFormId(CurrFormId);
  CurrFormId = ParentFormId[CurrFormId - 1];
  sSetCurrFormById();
  if (CurrFormId == 28) sound::CallbackCode = 12;
  if (PrevForm != nullptr) PrevForm->SetVisible(false);
  // The parent comes back at the size the screen left had, not at its old one.
  TakeSharedGeometry(Front());
  Front().SetVisible(true);
}

void sStructuredTermination(int16_t& levels) {
  common::ProcTrace t("sStructuredTermination");
  for (int16_t level = 1; level <= levels; ++level) {
    TerminatingForm = 1;
    sSetFormParameters();
    sRevertToParentForm();
    if (PrevForm != nullptr) PrevForm->Unload();
  }
}

void sSetFormParameters() {
  common::ProcTrace t("sSetFormParameters");
  forms::Form& form = Front();
  const int16_t state = form.WindowState();
  if (state == forms::vbNormal) {
    FormState = 0;
    const ClientRect r = ClientGeometry(form);
    FormL = static_cast<float>(r.Left);
    FormT = static_cast<float>(r.Top);
    FormW = static_cast<float>(r.Width);
    FormH = static_cast<float>(r.Height);
  } else {
    FormState = state;
  }
}

void sResizeForm() {
  common::ProcTrace t("sResizeForm");
  if (ResizePending != 1) return;
  ResizePending = 0;
  sSetFormParameters();
  int16_t keepParent = 0;
  sShowForm(keepParent);
}

void sEnterForm(int16_t id) {
  common::ProcTrace t("sEnterForm");
  if (id == 28 || id == 14 || id == 15) sSetFormParameters();
  CheckFormId(id);
  PrevForm = CurrForm;
  ParentFormId[id - 1] = CurrFormId;
  CurrFormId = id;
  sSetCurrFormById();
}

void OnScreenResize() {
  if (CurrForm == nullptr) return;  // before the start-up made a form current
  forms::Form& form = *CurrForm;
  if (g_ownLayoutDepth > 0 || EchoOfOwnLayout(form)) return;
  FormState = form.WindowState();
  ResizePending = 1;
}

void OnScreenClick() { sResizeForm(); }

void OnScreenUnload() {
  if (TerminatingForm != 1) {
    sSetFormParameters();
    sRevertToParentForm();
  } else {
    TerminatingForm = 0;
  }
}

void RouteScreenEvents(forms::FormSpec& f) {
  for (const Routing& r : kRouting) {
    if (r.id != f.Id()) continue;
    if (r.resize) f.OnResize(OnScreenResize);
    if (r.click) f.OnClick(OnScreenClick);
    if (r.unload) f.OnUnload(OnScreenUnload);
  }
}

ClientRect ClientGeometry(forms::Form& form) {
  const QRect g = form.Window()->geometry();
  return {forms::PixelsToTwips(g.x()), forms::PixelsToTwips(g.y()), forms::PixelsToTwips(g.width()),
          forms::PixelsToTwips(g.height())};
}

void SetClientGeometry(forms::Form& form, const ClientRect& r) {
  form.Window()->setGeometry(forms::TwipsToPixels(r.Left), forms::TwipsToPixels(r.Top),
                             std::max(1, forms::TwipsToPixels(r.Width)), std::max(1, forms::TwipsToPixels(r.Height)));
}

void BeginOwnLayout() { ++g_ownLayoutDepth; }

void EndOwnLayout(forms::Form& form, int16_t state) {
  if (g_ownLayoutDepth > 0) --g_ownLayoutDepth;
  if (form.Loaded()) g_ownLayout = {&form, form.Window()->size(), state};
}

}  // namespace shell
