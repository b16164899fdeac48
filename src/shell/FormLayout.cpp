#include "shell/FormLayout.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "common/Trace.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/Layout.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"

namespace shell {

namespace {

// Gives the form the shared geometry and returns the layout size W x H: a minimised
// state is laid out like the normal one, so a window left minimised comes back usable.
void ApplySharedGeometry(forms::Form& form, double& W, double& H, int16_t& state) {
  if (FormState == forms::vbNormal || FormState == forms::vbMinimized) {
    state = forms::vbNormal;
    form.SetWindowState(state);
    // A saved size below the window's smallest is the smallest.
    FormW = static_cast<float>(std::max<double>(FormW, form.MinimumWidth()));
    FormH = static_cast<float>(std::max<double>(FormH, form.MinimumHeight()));
    SetClientGeometry(form, {FormL, FormT, FormW, FormH});
    W = FormW;
    H = FormH;
  } else if (FormState == forms::vbMaximized) {
    state = forms::vbMaximized;
    form.SetWindowState(state);
    W = MaxFormW;
    H = MaxFormH;
  }
}

// The form's rows of "KZFormControls", from its "KZForms" row.
std::vector<forms::LayoutRow> ReadLayoutRows(const std::string& formName) {
  dao::Recordset forms = DatabaseA.OpenRecordset("KZForms", dao::dbOpenTable);
  forms.SetIndex("Form Name");
  forms.Seek("=", {formName});
  const int16_t formId = forms.Fields("Form Id").ToInt();
  const int16_t count = forms.Fields("TotalControlCount").ToInt();
  forms.Close();

  std::vector<forms::LayoutRow> rows;
  dao::Recordset controls = DatabaseA.OpenRecordset("KZFormControls", dao::dbOpenTable);
  controls.SetIndex("PrimaryKey");
  controls.Seek("=", {formId, int16_t{0}});
  for (int16_t i = 0; i < count; ++i) {
    forms::LayoutRow r;
    r.FormId = formId;
    r.ControlNumber = i;
    r.LocRatX = controls.Fields("LocRatX").ToDouble();
    r.LocRatY = controls.Fields("LocRatY").ToDouble();
    r.SizRatWidth = controls.Fields("SizRatWidth").ToDouble();
    r.SizRatHeight = controls.Fields("SizRatHeight").ToDouble();
    rows.push_back(r);
    if (i + 1 < count) controls.MoveNext();
  }
  controls.Close();
  return rows;
}

// Places the form's members for a window of W x H twips: the members lie on the client
// surface below the menu bar, so the height they share is the window's less the bar's.
void LayOutMembers(forms::Form& form, double W, double H) {
  const std::vector<forms::LayoutRow> rows = ReadLayoutRows(form.Name());
  forms::ApplyLayout(form, rows, W, std::max(0.0, H - form.MenuBarHeight()));
}

// One pixel in twips: geometries that differ by less are the same.
constexpr double kPixel = 15.0;

int16_t DrawPictureNumber() {
  static std::mt19937 generator(std::random_device{}());
  return static_cast<int16_t>(std::uniform_int_distribution<int>(1, 8)(generator));
}

}  // namespace

void LoadBackgroundPicture(forms::Form& form) {
  PictureFile = vb::JoinPath(ShareFolder, "kz" + std::to_string(PictureNumber) + ".jpg");
  try {
    form.SetPicture(PictureFile);
  } catch (const vb::VbError& e) {
    // A picture is decoration: its loss is recorded and the form goes on without one.
    vb::Signal(vb::kOverflow, "Background picture '" + PictureFile + "' could not be loaded (error " +
                                  std::to_string(e.err().Number) + "); the form is shown without a picture");
    form.SetPicture("");
  }
}

void sShowForm(int16_t& hideParent) {
  common::ProcTrace t("sShowForm");
  if (CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  forms::Form& form = *CurrForm;
  double W = 0, H = 0;
  int16_t state = form.WindowState();
  BeginOwnLayout();
  struct End {
    forms::Form& form;
    int16_t& state;
    ~End() { EndOwnLayout(form, state); }
  } end{form, state};
  ApplySharedGeometry(form, W, H, state);
  LayOutMembers(form, W, H);

  LoadBackgroundPicture(form);
  PictureNumber = DrawPictureNumber();
  form.Show();
  if (hideParent == 1 && PrevForm != nullptr && PrevForm != &form) PrevForm->SetVisible(false);
}

void RelayOutForm(forms::Form& form) {
  common::ProcTrace t("RelayOutForm");
  if (!form.Loaded() || !form.LaidOutFromRows()) return;  // shown as declared: nothing to redo
  const int16_t state = form.WindowState();
  if (state == forms::vbMinimized) return;
  double W = 0, H = 0;
  if (state == forms::vbMaximized && !form.Visible()) {
    W = MaxFormW;  // a hidden window gets its maximised size only when it is shown
    H = MaxFormH;
  } else {
    const ClientRect r = ClientGeometry(form);
    W = r.Width;
    H = r.Height;
    if (state == forms::vbMaximized) {
      // The screens size what they place themselves by the maximised geometry: it is the
      // size the window has now.
      MaxFormW = static_cast<float>(W);
      MaxFormH = static_cast<float>(H);
    }
  }
  BeginOwnLayout();
  try {
    LayOutMembers(form, W, H);
  } catch (...) {
    EndOwnLayout(form, state);
    throw;
  }
  EndOwnLayout(form, state);
}

void TakeSharedGeometry(forms::Form& form) {
  common::ProcTrace t("TakeSharedGeometry");
  if (!form.Loaded()) return;
  const int16_t want = FormState == forms::vbMaximized ? forms::vbMaximized : forms::vbNormal;
  bool same = form.WindowState() == want;
  if (same && want == forms::vbNormal) {
    const ClientRect r = ClientGeometry(form);
    same = std::abs(r.Left - FormL) < kPixel && std::abs(r.Top - FormT) < kPixel && std::abs(r.Width - FormW) < kPixel &&
           std::abs(r.Height - FormH) < kPixel;
  }
  if (same) return;
  double W = 0, H = 0;
  int16_t state = want;
  BeginOwnLayout();
  ApplySharedGeometry(form, W, H, state);
  EndOwnLayout(form, state);
  RelayOutForm(form);
}

}  // namespace shell
