#include "exploration/Screens.h"

#include <array>
#include <limits>
#include <utility>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/Menus.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"

namespace exploration {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 12> kTonicMenuItems{{
    {"cMnuW7", "White 7 (B)"}, {"cMnuW1", "White 1 (C)"}, {"cMnuB1", "Black 1 (C#)"}, {"cMnuW2", "White 2 (D)"},
    {"cMnuB2", "Black 2 (D#)"}, {"cMnuW3", "White 3 (E)"}, {"cMnuW4", "White 4 (F)"}, {"cMnuB3", "Black 3 (F#)"},
    {"cMnuW5", "White 5 (G)"}, {"cMnuB4", "Black 4 (G#)"}, {"cMnuW6", "White 6 (A)"}, {"cMnuB5", "Black 5 (A#)"}}};

}  // namespace

forms::Form& FrontForm() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *shell::CurrForm;
}

double fLayoutWidth(forms::Form& form) {
  double width = shell::FormState == 2 ? shell::MaxFormW : shell::FormW;
  if (width <= 0) width = form.ScaleWidth();
  if (width <= 0) width = form.Spec().Design.Width;
  return width;
}

double fLayoutHeight(forms::Form& form) {
  double height = shell::FormState == 2 ? shell::MaxFormH : shell::FormH;
  if (height <= 0) height = form.ScaleHeight();
  if (height <= 0) height = form.Spec().Design.Height;
  return height;
}

forms::MenuMember DeclareMenu(forms::FormSpec& f, const char* name, const char* caption,
                              std::initializer_list<MenuChoice> items) {
  forms::MenuMember menu = f.Menu(name, caption);
  for (const MenuChoice& item : items) menu.Item(item.name, item.caption).OnClick(item.click);
  return menu;
}

void DeclareTonicMenu(forms::FormSpec& f, void (*chosen)(int16_t key)) {
  forms::MenuMember tonics = f.Menu("cMnuTonKey", "&Tonic Note");
  for (size_t k = 0; k < kTonicMenuItems.size(); ++k) {
    const auto key = static_cast<int16_t>(k + 1);
    tonics.Item(kTonicMenuItems[k].first, kTonicMenuItems[k].second).OnClick([chosen, key] { chosen(key); });
  }
}

RagaDataBoxes DeclareRagaData(forms::FormSpec& f, double top, double step, double height) {
  forms::Member caption = f.Label("Label2", "Raga", {240, 120, 900, 360});
  caption.Hidden();
  f.TextBox("cRaga", {1200, 120, 3600, 360}).Locked().Hidden();
  f.Label("Label5", "Vadi", {5100, 120, 800, 360}).Hidden();
  f.TextBox("cVadi", {5900, 120, 1400, 360}).Locked().Hidden();
  f.Label("Label6", "Samvadi", {7500, 120, 1000, 360}).Hidden();
  f.TextBox("cSamvadi", {8500, 120, 1400, 360}).Locked().Hidden();
  auto row = [&f, height](const char* label, const char* caption, const char* box, double y) {
    f.Label(label, caption, {240, y, 900, 360}).Hidden();
    forms::Member member = f.TextBox(box, {1200, y, 10500, height});
    member.Locked().Hidden();
    return member;
  };
  forms::Member aroha = row("Label3", "Aroha", "cAroha", top);
  forms::Member avroha = row("Label4", "Avroha", "cAvroha", top + step);
  forms::Member pakad = row("Label7", "Pakad", "cPakad", top + 2 * step);
  return {aroha, avroha, pakad, caption};
}

void StepDelay(int16_t& delay, int16_t by) {
  if (by < 0 && delay <= 0) return;
  if (by > 0 && delay == std::numeric_limits<int16_t>::max()) return;
  delay = static_cast<int16_t>(delay + by);
}

bool fPrepareScaleSeeds(const ScaleInUse& before) {
  common::ProcTrace t("fPrepareScaleSeeds");
  if (sound::fCreateNoteSeedsForUse() == 1) return true;
  sound::CurrTonicNoteId = before.tonic;
  sound::CurrMusicSetId = before.setId;
  sound::CurrMusicSetName = before.setName;
  shell::sMnuTonicNoteCheck();
  sound::fCreateNoteSeedsForUse();
  vb::Message("Error Creating Mote Seeds");
  return false;
}

void sStopAndClosePlayer(forms::Form& form) {
  if (mci::MMControl* player = shell::MMControlOf(form, "cMM")) shell::sStopAndClosePlayer(*player);
}

}  // namespace exploration
