// The workbench's note sets chosen by the learner: a thata or a raga from cRagaList, or
// a scale of 5, 6 or 7 notes picked on the keyboard's middle octave.
#include <array>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"
#include "workshop/ScaleNotes.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr int16_t kThataList = 1;  // ListContent values
constexpr int16_t kRagaList = 3;
constexpr int16_t kUserPatternList = 4;

// The picked notes of the middle octave, "r" to "N": the other form of the same note
// name ("R" for "r", "r" for "R"; "P" has none, -1).
int16_t OtherForm(int16_t n) {
  switch (n) {
    case 6: return 7;
    case 7: return 6;
    case 8: return 9;
    case 9: return 8;
    case 10: return 11;
    case 11: return 10;
    case 13: return 14;
    case 14: return 13;
    case 15: return 16;
    case 16: return 15;
    default: return -1;
  }
}

void HideLabelOf(forms::Form& form, int16_t note) {
  const auto label = static_cast<int16_t>(sound::CurrTonicNoteId + 4 + note);
  if (form.HasElement("cL", label)) form.Ctl("cL", label).SetVisible(false);
}

// The patterns wait (their menu disabled) while there is no scale to lay them over, or
// they act again once there is; the lock after a play restores the menus as they are now.
void PatternsWaitForTheScale(forms::Form& form, bool wait) {
  form.Ctl("cMnuMusPat").SetEnabled(!wait);
  sCaptureMenuBarItemStatus();
}

void EmptyAndHideList(forms::Form& form) {
  form.Get<forms::ListControl>("cRagaList").Clear();
  form.Ctl("cRagaList").SetVisible(false);
}

void ThataChosen(forms::Form& form, const std::string& name) {
  // A damaged content database: the thata listed has no row, or no notes in it.
  if (!sSetScaleNotesForThata()) {
    vb::Message("The scale of thata '" + name + "' is not available");
    return;
  }
  sSetModeDisplay();
  sHideUnselectedNoteLabels();
  sShowSelectedNotes();
  form.Ctl("cScaleType").SetText("Scale for Thata '" + name + "'");
  EmptyAndHideList(form);
  sSetDroneType(1);
  ShowPrompt("40,87,35");
}

// A raga of the list becomes the current raga, its notes the note set. A raga whose
// technical data or notes are missing (a damaged database) leaves the raga in use.
void RagaChosenFromList(forms::Form& form, const std::string& name) {
  const int16_t id = common::fGetRagaId(name);
  if (id == 0) return;
  const int16_t before = common::CurrRagaIndex;
  const std::string beforeName = common::CurrRagaName;
  common::CurrRagaIndex = id;
  common::CurrRagaName = name;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, id);
  const bool technical = !rs.NoMatch();
  if (!technical) vb::Message("The data of raga '" + name + "' is not available");
  if (!technical || fLoadRagaNotesInVector().empty()) {
    rs.Close();
    common::CurrRagaIndex = before;
    common::CurrRagaName = beforeName;
    return;
  }
  sound::sAdjustDroneType(rs);
  rs.Close();
  RagaChosen = -1;
  sShowUserData(3);
  sAugmentScaleNotes();
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);
  sHideUnselectedNoteLabels();
  form.Ctl("cScaleType").SetText("Notes for raga '" + common::fGetRagaName(common::CurrRagaIndex) + "'");
  EmptyAndHideList(form);
  sSetModeDisplay();
  ShowPrompt("40,91,92,35");
}

// The picked scale is complete: the drone's second string follows it, its notes are
// copied an octave down and up, and only their key labels stay.
void CompleteScale(forms::Form& form) {
  sSetDroneType(NoteMarks[12] == 1 ? 1 : NoteMarks[10] == 1 ? 2 : 3);
  form.Ctl("cScaleType").SetText(fScaleTypeText(ScaleType));
  sAugmentScaleNotes();
  sound::sKeyBoardDisplayOn(form, 1);
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);
  sHideUnselectedNoteLabels();
  KeyLabelPurpose = 2;
  PatternsWaitForTheScale(form, false);
  form.Ctl("Label10").SetCaption("Working with Note Scales - Select desired Music Pattern");
  ShowPrompt("40,87,35");
}

}  // namespace

void sPickScaleNote(int16_t label) {
  common::ProcTrace t("sPickScaleNote");
  forms::Form& form = FrontForm();
  const auto n = static_cast<int16_t>(label - sound::CurrTonicNoteId - 4);
  if (n <= kNoteS || n >= kNoteUpperS || NoteMarks[static_cast<size_t>(n)] != 0) return;
  const int16_t other = OtherForm(n);
  if (other >= 0 && NoteMarks[static_cast<size_t>(other)] != 0) return;
  NoteMarks[static_cast<size_t>(n)] = 1;
  sShowSelectedNotes();
  HideLabelOf(form, n);
  if (other >= 0) HideLabelOf(form, other);
  // The notes picked so far are the note set at every moment (count included).
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);
  if (ScaleNoteCount >= ScaleType + 6) CompleteScale(form);
}

void sListEntryChosen() {
  common::ProcTrace t("sListEntryChosen");
  forms::Form& form = FrontForm();
  auto& list = form.Get<forms::ListControl>("cRagaList");
  if (list.ListIndex() == -1) return;  // a click beside the lines
  const std::string name = list.Text();
  switch (ListContent) {
    case kThataList: ThataChosen(form, name); break;
    case kRagaList: RagaChosenFromList(form, name); break;
    case kUserPatternList: sProcessSelectedUserPattern(); break;
    default: break;
  }
}

void sShowThataList() {
  common::ProcTrace t("sShowThataList");
  forms::Form& form = FrontForm();
  sLoadThataList();
  ListContent = kThataList;
  form.Ctl("Label6").SetCaption("Select Thata");
  for (const char* name : {"cRagaList", "Label6", "Frame1"}) form.Ctl(name).SetVisible(true);
  sHideSlider();
  ShowPrompt("89");
  ScaleType = 2;
}

void sLoadThataList() {
  common::ProcTrace t("sLoadThataList");
  auto& list = FrontForm().Get<forms::ListControl>("cRagaList");
  list.Clear();
  auto rs = shell::DatabaseA.OpenRecordset("ThataScales", dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(vb::NzString(rs.Fields("ThataName")));
  rs.Close();
}

void sStartScalePicking() {
  common::ProcTrace t("sStartScalePicking");
  forms::Form& form = FrontForm();
  form.Ctl("Frame2").SetVisible(false);
  sInitScaleNotes();
  NoteMarks[kNoteS] = 1;
  NoteMarks[kNoteUpperS] = 1;
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);  // "S" and "S>": two notes so far
  KeyLabelPurpose = 1;
  sShowSelectedNotes();
  sDisplayKBForNoteSelection();
  for (const int16_t note : {kNoteS, kNoteUpperS}) HideLabelOf(form, note);
  form.Ctl("Label4").SetVisible(true);
  sSetModeDisplay();
  // Picking is finished (the last note) or cancelled ("Select New Scale", "Switch Mode")
  // before a pattern, the meend demo or a definition can act on the notes.
  PatternsWaitForTheScale(form, true);
  ShowPrompt("38,35");
}

void sClearScaleForChoice() {
  common::ProcTrace t("sClearScaleForChoice");
  forms::Form& form = FrontForm();
  sInitScaleNotes();
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);
  // The pattern items, where a scale before left them shown, wait for the new scale;
  // before the mode's first scale the menu holds the drone alone, which stays.
  if (form.Ctl("cMnuSca").Visible()) PatternsWaitForTheScale(form, true);
}

}  // namespace workshop
