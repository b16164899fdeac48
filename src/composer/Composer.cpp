// The Composer's dispatcher and the steps of its dialogue: the raga, the category, a
// new composition's texts, tala and details, starting again with a new category or
// raga, the palette and script menus, and leaving the screen.
#include "composer/Composer.h"

#include <string>
#include <utility>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/LearnersNames.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "common/RagaDisplay.h"
#include "common/RagaTables.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "composer/ComposerActions.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "composer/RowImages.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/Menus.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace composer {

namespace {

constexpr int16_t kTaan = 3;
constexpr int16_t kNewComposition = 4;
constexpr int16_t kExistingComposition = 5;
// The category frame centred under Label1, which stands 2 % of the height below the
// raga's data; placed again at every layout of the form.
void PlaceCategoryChoice(forms::Form& form) {
  const double W = fComposerWidth(form);
  const double H = fComposerHeight(form);
  forms::Control& label = form.Ctl("Label1");
  label.SetTop(form.Get<forms::Line>("cLine1").Y1() + 0.02 * H);
  label.SetLeft((W - label.Width()) / 2);
  forms::Control& frame = form.Ctl("cFMusCat");
  frame.SetTop(label.Top() + label.Height() + 0.01 * H);
  frame.SetLeft((W - frame.Width()) / 2);
}

void ShowCategoryChoice(forms::Form& form) {
  form.Ctl("Label1").SetCaption("Select Musical Category to work with");
  form.Arrange("category choice", [&form] { PlaceCategoryChoice(form); });
  form.Ctl("Label1").SetVisible(true);
  form.Ctl("cFMusCat").SetVisible(true);
}

void UnsetCategoryOptions(forms::Form& form) {
  for (const char* name : {"cOAlap", "cOLayakari", "cOTaan", "cOCompN", "cOCompE"}) form.Ctl(name).SetValue(0);
}

// A control placed 2 % of the height below another, centred across the form, there at
// every layout of the form.
void CentreBelow(forms::Form& form, const char* name, const char* above) {
  form.Arrange(std::string("below ") + name, [&form, name, above] {
    const double W = fComposerWidth(form);
    const double H = fComposerHeight(form);
    const forms::Control& over = form.Ctl(above);
    forms::Control& c = form.Ctl(name);
    c.SetTop(over.Top() + over.Height() + 0.02 * H);
    c.SetLeft((W - c.Width()) / 2);
  });
  form.Ctl(name).SetVisible(true);
}

// The raga chosen in the raga list: its data loaded and shown, the categories offered.
void RagaChosen(forms::Form& form) {
  const std::string name = form.Ctl("cRagaList").Text();
  if (name.empty()) return;
  const int16_t index = common::fGetRagaId(name);
  if (index == 0) return;
  common::CurrRagaName = name;
  common::CurrRagaIndex = index;
  const std::string failure = fTryComposerStep([] {
    common::sDBToTBaseInfo();
    common::sDBToTALTInfo();
  });
  if (!failure.empty()) {
    vb::Message("The raga \"" + name + "\" cannot be used: its data could not be read (" + failure + ").");
    return;
  }
  form.Ctl("cRagaList").SetVisible(false);
  common::sDisplayFromT_RagaBasicData(form);
  ShowCategoryChoice(form);
  sDisplayPromptComposer1();
}

// The tala id of a name of the tala list, looked up in the content database, which the
// program's tala data comes from; 0 when it has no tala of that name.
int16_t KnownTalaId(const std::string& name) {
  auto rs = shell::DatabaseA.OpenRecordset("Tala - Technical Information", dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, "TalaByName", name);
  const int16_t id = rs.NoMatch() ? int16_t{0} : rs.Fields("Tala Id").ToInt();
  rs.Close();
  return id;
}

// The tala chosen for a new composition: its details asked for.
void TalaChosen(forms::Form& form) {
  const std::string tala = form.Ctl("cRagaList").Text();
  if (tala.empty()) return;
  const int16_t id = KnownTalaId(tala);
  if (id == 0) {
    vb::Message("The tala \"" + tala + "\" is not known to this program. Please choose another tala.");
    return;
  }
  common::CurrTalaId = id;
  sound::CompBeatCount = common::fGetBeatCountForTala(id);
  forms::Control& taal = form.Ctl("cTaal");
  taal.SetText(tala);
  form.Get<forms::TextBox>("cTaal").SetLocked(true);
  form.Ctl("Label18").SetVisible(true);
  taal.SetVisible(true);
  form.Ctl("cRagaList").SetVisible(false);
  form.Ctl("Label1").SetVisible(false);
  sShowCompositionDetails();
  form.Ctl("cOK").SetVisible(true);
  form.Get<forms::TextBox>("cMukhada").SetLocked(false);
  form.Ctl("Label8").SetCaption(
      "Enter 'Mukhada' Text, Starting beats for Asthai, Antara, beat duration, and click OK");
  CentreBelow(form, "Label8", "cMukhada");
  CentreBelow(form, "cOK", "Label8");
  form.Ctl("cMukhada").SetFocus();
  sDisplayPromptComposer8();
  ComposerOKStage = 5;
}

// The composition of the user chosen from the list of the raga's compositions: its
// records loaded from the user database and its asthai shown.
void CompositionChosen(forms::Form& form) {
  const std::string name = form.Ctl("cRagaList").Text();
  if (name.empty()) return;
  auto rs = shell::DatabaseB.OpenRecordset("Raga - Additional Information", dao::dbOpenTable);
  common::sSetTablePKRecord3(rs, common::CurrRagaIndex, name, int16_t{2});
  const bool found = !rs.NoMatch();
  rs.Close();
  if (!found) {
    vb::Message("Composition Not Available");
    return;
  }
  const std::string fault = common::fUserCompositionFault(common::CurrRagaIndex, name, common::RowUse::Edit);
  if (!fault.empty()) {
    common::sReportDamagedUserRow(common::fUserCompositionItem(name), fault);
    return;
  }
  common::CurrAddInfo = name;
  sound::CurrMusicItemType = sound::kCompositionItem;
  const std::string failure = fTryComposerStep([&name] {
    common::sDBToTCompInfo(2, 2, name);
    common::sDBToTCompData(2, common::CurrNotationIndex);
    const common::CompDataRec& part = common::TCompData[0].NotationIndex != 0 ? common::TCompData[0] : common::TCompData[1];
    common::CurrTalaId = part.TalaId;
    sound::CompBeatCount = common::fGetBeatCountForTala(part.TalaId);
  });
  if (!failure.empty()) {
    sInitializeCompT();
    vb::Message("The composition \"" + name + "\" cannot be opened: its data could not be read (" + failure + ").");
    return;
  }
  ShownCompPart = 0;
  sDisplayExistingUserCompLayout();
  sDisplayPromptComposer5();
  form.Ctl("cOAsthai").SetValue(1);
  sKeepStoredWork();
}

// The user's compositions of the raga in cRagaList; false, after the message, when the
// raga has none.
bool fLoadAndDisplayCompositionList() {
  common::ProcTrace t("fLoadAndDisplayCompositionList");
  forms::Form& form = ComposerFront();
  auto& list = form.Get<forms::ListControl>("cRagaList");
  common::sPatchSQLStr7(common::CurrRagaIndex, 2);
  auto rs = shell::DatabaseB.OpenRecordset(common::SQLStr7, dao::dbOpenSnapshot);
  list.Clear();
  if (rs.Eof()) {
    rs.Close();
    vb::Message("No User-defined Compositions available");
    return false;
  }
  for (int16_t i = 0; !rs.Eof(); ++i) {
    list.AddItem(rs.Fields("Add Info").ToString(), i);
    rs.MoveNext();
  }
  rs.Close();
  form.Ctl("Label1").SetCaption("Select Composition");
  form.Ctl("Label1").SetVisible(true);
  list.SetVisible(true);
  return true;
}

// The slots of an alap, layakari or taan under the time values and the palette, laid
// out from the user database; how many notes are stored without a duration.
int32_t LayOutPhraseCategory(forms::Form& form) {
  const int16_t type = common::CurrPhraseType;
  form.Ctl("cMnuNotScr").SetEnabled(true);
  sLoadPhraseArea([](forms::Form& f) { return f.Get<forms::Line>("cLine1").Y1() + 0.02 * fComposerHeight(f); });
  const int32_t missing = fTToALTRowImages(type);
  sDisplayRowImages();
  switch (type) {
    case 1: sDisplayPromptComposer2(); break;
    case 2: sDisplayPromptComposer3(); break;
    default: sDisplayPromptComposer4(); break;
  }
  return missing;
}

// What the learner is told of a damaged list laid out as far as it goes.
std::string ShownOfDamagedList(int32_t missing) {
  std::string shown = "What could be read is shown";
  if (missing > 0)
    shown += ": " + (missing == 1 ? std::string("1 note has") : std::to_string(missing) + " notes have") +
             " no duration, as the list holds none for " + (missing == 1 ? "it" : "them");
  return shown + ". Correct the phrases and save them: the damaged list is then replaced.";
}

// A new composition: its texts asked for first.
void AskCompositionTexts(forms::Form& form) {
  sDisplayPromptComposer6();
  SylRowImages.assign(3, "");
  form.Ctl("cRagaList").SetVisible(false);
  form.Ctl("Label1").SetVisible(false);
  for (const char* name : {"Label12", "Label13", "cAsthai", "cAntara"}) form.Ctl(name).SetVisible(true);
  form.Ctl("Label8").SetCaption("Enter Composition Astai and Antara and click 'OK'");
  CentreBelow(form, "Label8", "cAntara");
  CentreBelow(form, "cOK", "Label8");
  form.Ctl("cAsthai").SetFocus();
  form.Ctl("cNewCat").SetVisible(true);
  form.Ctl("cNewRaga").SetVisible(true);
  ComposerOKStage = 2;
}

// The user's compositions of the raga listed; without any, the categories again.
void ListUserCompositions(forms::Form& form) {
  sLocateDisplayList(1);
  if (fLoadAndDisplayCompositionList()) {
    ComposerListMode = 3;
    form.Ctl("Label8").SetVisible(false);
    form.Ctl("cOK").SetVisible(false);
  } else {
    ShowCategoryChoice(form);
  }
}

// Stage 5: the details checked, and the composition's name free in the raga; the new
// composition's records set up and its asthai shown.
void CompositionDetailsGiven(forms::Form& form) {
  const std::string fault = fCheckCompData();
  if (!fault.empty()) {
    vb::Message(fault);
    return;
  }
  common::NameFault nameFault = common::NameFault::None;
  const std::string mukhada = common::fLearnersName(form.Ctl("cMukhada").Text(), nameFault);
  if (nameFault != common::NameFault::None) {
    vb::Message(common::fNameFaultMessage(nameFault));
    return;
  }
  form.Ctl("cMukhada").SetText(mukhada);  // the name as it is compared and stored
  if (fCompositionNameTaken(mukhada)) {
    vb::Message("The raga already has a composition named '" + mukhada + "'. Please choose another Mukhada.");
    return;
  }
  sDisplayPromptComposer5();
  form.Ctl("cOK").SetVisible(false);
  form.Ctl("Label8").SetVisible(false);
  sSetInitialValuesInCompT();
  common::CurrAddInfo = common::TCompInfo.AddInfo;
  forms::Control& name = form.Ctl("cMukhada");
  name.SetText(common::TCompInfo.AddInfo);
  form.Get<forms::TextBox>("cMukhada").SetLocked(true);
  ComposerOKStage = 0;
  sDisplayCompTemplate();
  form.Ctl("Frame1").SetVisible(true);
  ShownCompPart = 0;
  form.Ctl("cOAsthai").SetValue(1);
  sKeepStoredWork();
}

// Stage 2: both texts given (blanks alone are no text), the tala asked for.
void CompositionTextsGiven(forms::Form& form) {
  const auto blank = [&form](const char* name) { return common::fRmvAllChar(form.Ctl(name).Text(), " ").empty(); };
  if (blank("cAntara") || blank("cAsthai")) {
    vb::Message("You must specify at least some text (need not be complete) for both Asthai and Antara");
    return;
  }
  sDisplayPromptComposer7();
  sLocateDisplayList(2);
  sLoadAndDisplayTalaList();
  ComposerListMode = 2;
  form.Ctl("Label8").SetVisible(false);
  form.Ctl("cOK").SetVisible(false);
}

}  // namespace

std::string fTryComposerStep(const std::function<void()>& work) {
  std::string failure;
  common::fRunOrTell(work, [&failure](const vb::ErrObject& err) {
    failure = err.Description.empty() ? vb::DefaultDescription(err.Number) : err.Description;
  });
  return failure;
}

void sComposer(int16_t& action) {
  common::ProcTrace t("sComposer");
  sound::CallbackCode = 11;
  if (action != 0 && !ComposerInFront()) return;  // the play loop's call-backs after the screen has gone
  switch (action) {
    case 0: sOpenComposer(); break;
    case 1: sComposerListChoice(); break;
    case 2: sComposerCategoryChosen(); break;
    case 3: sComposerOK(); break;
    case 4: sComposerPalletNoteChosen(); break;
    case 5: sComposerTimeValueChosen(); break;
    case 6: sComposerNoteSlotClicked(); break;
    case 7: sComposerGraceSlotClicked(); break;
    case 8: sComposerDurationSlotClicked(); break;
    case 9: sComposerPlay(); break;
    case 11: sComposerMoveRows(1); break;
    case 12: sComposerMoveRows(-1); break;
    case 13: sComposerNewCategory(); break;
    case 14: sComposerNewRaga(); break;
    case 15: sComposerSyllableTyped(); break;
    case 16: sComposerSave(); break;
    case 17: sComposerShowPart(1); break;
    case 18: sComposerShowPart(2); break;
    case 19: sComposerEndOfPlaying(); break;
    case 20: sComposerLeave(); break;
    case 21: sPlayNotationSlot(); break;
    case 22:
    case 23: sComposerPalletChanged(); break;
    case 24: sComposerScriptChanged(); break;
    default: break;
  }
}

void sOpenComposer() {
  common::ProcTrace t("sOpenComposer");
  sInitComposer();
  InsertSlotPending = DeleteSlotPending = false;
  SelectedPalletNote = PrevPalletNote = SelectedTimeValue = PrevTimeValue = -1;
  ComposerOKStage = 0;
  SavedItemKind = 0;
  sInitializeCompT();
  sLocateDisplayList(1);
  sLoadAndDisplayRagaList();
  forms::Form& form = ComposerFront();
  form.Ctl("Label1").SetCaption("Select Raga");
  form.Ctl("Label1").SetVisible(true);
  ComposerListMode = 1;
  form.Ctl("cRagaList").SetFocus();
  sDisplayPromptComposer0();
  sKeepStoredWork();
}

void sComposerListChoice() {
  common::ProcTrace t("sComposerListChoice");
  forms::Form& form = ComposerFront();
  switch (ComposerListMode) {
    case 1: RagaChosen(form); break;
    case 2: TalaChosen(form); break;
    case 3: CompositionChosen(form); break;
    default: break;
  }
}

void sComposerCategoryChosen() {
  common::ProcTrace t("sComposerCategoryChosen");
  forms::Form& form = ComposerFront();
  if (SlotLayoutPresent) return;  // a category is laid out already: New Category first
  const int16_t type = common::CurrPhraseType;
  // A damaged list is laid out as far as it goes, so that the learner can mend it.
  const std::string fault = type >= 1 && type <= kTaan
                                ? common::fUserALTRowFault(common::CurrRagaIndex, type, common::RowUse::Edit)
                                : std::string();
  form.Ctl("cFMusCat").SetVisible(false);
  form.Ctl("Label1").SetVisible(false);
  NotesRowImages.assign(3, "");
  DurRowImages.assign(3, "");
  UnsetCategoryOptions(form);
  int32_t missing = 0;
  switch (common::CurrPhraseType) {
    case kNewComposition: AskCompositionTexts(form); break;
    case kExistingComposition: ListUserCompositions(form); break;
    default: missing = LayOutPhraseCategory(form); break;
  }
  form.Ctl("Frame2").SetVisible(true);
  form.Ctl("cOIns").SetValue(0);
  form.Ctl("cODel").SetValue(0);
  sKeepStoredWork();
  if (!fault.empty())
    common::sReportPartlyShownUserRow(common::fUserALTItem(type, common::CurrRagaName), fault,
                                      ShownOfDamagedList(missing));
}

void sComposerOK() {
  common::ProcTrace t("sComposerOK");
  forms::Form& form = ComposerFront();
  if (ComposerOKStage == 2) {
    CompositionTextsGiven(form);
  } else if (ComposerOKStage == 5) {
    CompositionDetailsGiven(form);
  }
}

void sComposerShowPart(int16_t part) {
  common::ProcTrace t("sComposerShowPart");
  if (RestoringPartOption || !SlotLayoutPresent) return;
  if (common::CurrPhraseType != kNewComposition && common::CurrPhraseType != kExistingComposition) return;
  forms::Form& form = ComposerFront();
  if (ShownCompPart != 0 && ShownCompPart != part) {
    // The part left keeps its edits; when they cannot be kept, it stays on the screen.
    sound::CurrCompPart = ShownCompPart;
    if (!fUpdateCompTFromRowImages(true)) {
      RestoringPartOption = true;
      form.Ctl(ShownCompPart == 1 ? "cOAsthai" : "cOAntara").SetValue(1);
      RestoringPartOption = false;
      return;
    }
  }
  sound::CurrCompPart = part;
  ShownCompPart = part;
  form.Ctl("cMnuNotScr").SetEnabled(true);
  sDisplayCompPartNotationFromT(part);
}

void sComposerNewCategory() {
  common::ProcTrace t("sComposerNewCategory");
  if (!fCheckForComp(1)) return;
  sInitCompInfo();
  forms::Form& form = ComposerFront();
  form.Ctl("cMnuNotScr").SetEnabled(false);
  sUnloadPhraseArrayElements();
  sHidePhraseDisplayControls();
  RowImageCount = 0;
  sKeepStoredWork();
  ShowCategoryChoice(form);
  form.Ctl("Frame2").SetVisible(false);
  sDisplayPromptComposer1();
}

void sComposerNewRaga() {
  common::ProcTrace t("sComposerNewRaga");
  if (!fCheckForComp(2)) return;
  sInitCompInfo();
  forms::Form& form = ComposerFront();
  form.Ctl("cMnuNotScr").SetEnabled(false);
  sUnloadPhraseArrayElements();
  sHidePhraseDisplayControls();
  sHideRagaInfoDisplayControls();
  form.Ctl("cFMusCat").SetVisible(false);
  RowImageCount = 0;
  sKeepStoredWork();
  sLocateDisplayList(1);
  sLoadAndDisplayRagaList();
  form.Ctl("Label1").SetCaption("Select Raga");
  form.Ctl("Label1").SetVisible(true);
  form.Ctl("Frame2").SetVisible(false);
  sDisplayPromptComposer0();
  ComposerListMode = 1;
}

void sComposerLeave() {
  common::ProcTrace t("sComposerLeave");
  if (!fCheckForComp(3)) return;
  sInitCompInfo();
  sTerminateComposer();
}

void sComposerPalletChanged() {
  common::ProcTrace t("sComposerPalletChanged");
  if (!PalletPresent) return;  // the palette of the next layout follows NotePallet
  if (NotePallet == 2) {
    sShowAllNotesInPallet();
    return;
  }
  sAdjustNotesPalletForRaga();
  // A note chosen that the raga's palette no longer shows is given up.
  forms::Form& form = ComposerFront();
  if (SelectedPalletNote >= 0 && !form.Ctl("cNotation", SelectedPalletNote).Visible()) {
    form.Ctl("cNotation", SelectedPalletNote).SetForeColor(0);
    SelectedPalletNote = PrevPalletNote = -1;
  }
}

void sComposerScriptChanged() {
  common::ProcTrace t("sComposerScriptChanged");
  forms::Form& form = ComposerFront();
  if (form.Ctl("cRaga").Visible()) common::sDisplayFromT_RagaBasicData(form);
  if (PalletPresent) sLoadPalletNotes();
  if (SlotLayoutPresent) sDisplayRowImages();
}

// True when the composition in hand has a number but no row of its name in the user
// database: it was never saved.
bool NeverSaved() {
  const int32_t number = common::TCompInfo.NotationIndex;
  if (number == 0) return false;
  auto rs = shell::DatabaseB.OpenRecordset("Raga - Additional Information", dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, "CompositionId", number);
  const bool found = !rs.NoMatch();
  rs.Close();
  return !found;
}

bool fCheckForComp(int16_t reason) {
  common::ProcTrace t("fCheckForComp");
  const bool composition = common::CurrPhraseType == kNewComposition || common::CurrPhraseType == kExistingComposition;
  sNoteWorkChanged();
  if (!WorkChanged && !(composition && NeverSaved())) return true;
  std::string question = composition ? "The composition you were working on has not been saved."
                                     : "The phrases you were working on have not been saved.";
  question += " Are you sure you want to";
  switch (reason) {
    case 1: question += " switch category?"; break;
    case 2: question += " switch to another Raga?"; break;
    default: question += " exit Composer?"; break;
  }
  return vb::MsgBox(question, vb::vbYesNo, "Message") == vb::vbYes;
}

void sInitializeCompT() {
  common::ProcTrace t("sInitializeCompT");
  common::TCompInfo = common::CompInfoRec{};
  common::TCompData[0] = common::CompDataRec{};
  common::TCompData[1] = common::CompDataRec{};
}

void sInitCompInfo() {
  common::ProcTrace t("sInitCompInfo");
  common::TCompInfo = common::CompInfoRec{};
  forms::Form& form = ComposerFront();
  for (const char* name : {"cAsthai", "cAntara", "cTaal", "cMukhada", "cStartBeatAst", "cStartBeatAnt", "cSpeed"})
    form.Ctl(name).SetText("");
  form.Get<forms::TextBox>("cMukhada").SetLocked(false);
  form.Ctl("cOAsthai").SetValue(0);
  form.Ctl("cOAntara").SetValue(0);
  ShownCompPart = 0;
}

bool fComposerMayClose() { return fCheckForComp(3); }

void sComposerClosing() {
  common::ProcTrace t("sComposerClosing");
  // Nothing plays on against the parent screen.
  sComposerStopPlaying();
  sRestoreComposerSettings();
}

}  // namespace composer
