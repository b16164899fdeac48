// The composition player's dispatcher: opening and leaving, the part files and what
// they were made with, playing a part, the beat marking, the end of playing and the
// menus that change what the parts sound like.
#include "exploration/PlayCompositions.h"

#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/PhraseRecords.h"
#include "sound/PlayLoop.h"
#include "sound/ReedLighting.h"
#include "sound/Render.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr int16_t kCompositionPlayer = 3;  // CallbackCode
constexpr int16_t kPractice = 3;           // CurrOperationMode
constexpr int16_t kIllustrationScreen = 28;
constexpr int32_t kAsthaiHelpTopic = 51;  // the help topics of the two parts
constexpr int32_t kAntaraHelpTopic = 52;

void PointerDefault() { FrontForm().SetMousePointer(forms::vbDefault); }

size_t PartIndex() { return sound::CurrCompPart == 2 ? 1 : 0; }

// True when the tala of each part is a tala of the content database with at least
// one beat: the grid and the practice bounds divide by its beat count.
bool TalaUsable() {
  auto rs = shell::DatabaseA.OpenRecordset("Tala - Technical Information", dao::dbOpenTable);
  const size_t parts = sound::CurrMusicItemType == sound::kFilmSongItem ? 1 : 2;
  bool usable = true;
  for (size_t p = 0; p < parts && usable; ++p) {
    common::sSetTablePKRecord(rs, common::TCompData[p].TalaId);
    usable = !rs.NoMatch() && vb::NzDouble(rs.Fields("Beat Count")) >= 1;
  }
  rs.Close();
  return usable;
}

// Renders both part files for the settings in use and records what they were made
// with; "C.wav" is to be cut again. When the rendering fails (the renderer has said
// so) no file is trusted any more, so the next Play renders again rather than play a
// file of another composition, tonic or theka.
bool RenderPartFiles() {
  if (sound::fCreateCompositionMusicFilesFromT() != 1) {
    CompSegments = {};
    return false;
  }
  for (size_t slot : {0u, 1u}) sound::NotesList[slot].GridOffset = 0;
  sInitCS(2);
  sInitCS(3);
  return true;
}

bool RenderPartFilesWaiting() {
  FrontForm().SetMousePointer(forms::vbHourglass);
  const bool rendered = RenderPartFiles();
  PointerDefault();
  return rendered;
}

void ShowModePrompts() {
  if (sound::CurrOperationMode == kPractice) {
    sDisplayPracticeModePromptsForCompositions();
  } else {
    sDisplayLearningModePromptsForCompositions();
  }
}

void PlayPhrases() {
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
}

// The play set of the part in hand: phrase 1 the asthai from slot 0, 2 the antara
// from slot 1.
void PlayWholePart() {
  common::ProcTrace t("sPlayF14WholePart");
  sDisableF14Selections();
  sound::PhraseSetRec& set = sound::TPlayInfo;
  set.CurrPhrase = set.RestartPhrase = set.LastPhrase = sound::CurrCompPart;
  shell::AlternateFlag = -1;
  sound::LookAhead = 2;
  PlayPhrases();
}

void Play() {
  common::ProcTrace t("sPlayF14Composition");
  CompFilesRegenerated = 0;
  if (fCompSpeedFactor() != CompSegments[PartIndex()].SpeedFactor) {
    if (!RenderPartFilesWaiting()) {
      sound::LoopFlag = 0;  // nothing plays: a loop asked for is not kept
      return;
    }
    CompFilesRegenerated = -1;
  }
  if (sound::CurrOperationMode == kPractice) {
    sPlayF14Segment();
  } else {
    PlayWholePart();
  }
}

void PartChosen() {
  common::ProcTrace t("sF14PartChosen");
  sSetupForCurrCompPart();
  sDisplayCompositionData();
}

void ModeChosen() {
  common::ProcTrace t("sF14ModeChosen");
  if (sound::CurrOperationMode == kPractice) {
    sDisplayPracticeParams();
  } else {
    sHidePracticeParams();
  }
  ShowModePrompts();
}

// The tonic chosen in the menu, with the program's scale set of that key. Seeds that
// fail leave the tonic, the set and the check mark in use, and the part files as
// they are.
void TonicChosen() {
  common::ProcTrace t("sF14TonicChosen");
  const ScaleInUse before;
  sound::CurrTonicNoteId = sound::NewTonicNoteId;
  sound::CurrMusicSetId = sound::CurrTonicNoteId;
  shell::sMnuTonicNoteCheck();
  FrontForm().SetMousePointer(forms::vbHourglass);
  const bool prepared = fPrepareScaleSeeds(before);
  PointerDefault();
  if (!prepared) return;
  ShowModePrompts();
  RenderPartFilesWaiting();
}

void GraceNotesChanged() {
  common::ProcTrace t("sF14GraceNotesChanged");
  sDisplayCompositionData();
  common::sAdjustNotation(FrontForm());
  RenderPartFilesWaiting();
}

void ScriptChanged() {
  common::ProcTrace t("sF14ScriptChanged");
  sAdjustFontForDisplay();
  sDisplayCompositionData();
  common::sAdjustNotation(FrontForm());
}

void DroneChanged() {
  common::ProcTrace t("sF14DroneChanged");
  // A failure has shown "Error in Building DroneData" already.
  if (sound::fAdjustDroneVolume() != 1) return;
  RenderPartFilesWaiting();
}

void StopPlaying() {
  common::ProcTrace t("sStopF14Playing");
  mci::MMControl* mm = shell::MMControlOf(FrontForm(), "cMM");
  if (mm == nullptr || mm->Mode() == mci::mciModeNotOpen) return;
  mm->setNotify(false);
  mm->setWait(true);
  mm->setCommand("Stop");
}

// One step of the red cell per notification at most: to the next beat once the
// player's position has reached that beat's start, less the allowance for every beat
// already passed. A part counts its beats, a segment its cells; the beat table is
// never read past its end.
void MarkBeat() {
  common::ProcTrace t("sMarkF14Progress");
  if (sound::CurrSlot < 0 || sound::CurrSlot >= static_cast<int16_t>(sound::NotesList.size())) return;
  sound::NotesListRec& rec = sound::NotesList[static_cast<size_t>(sound::CurrSlot)];
  const int32_t c = rec.CurrNote;
  const int32_t beats = sound::CurrOperationMode == kPractice ? rec.NoteCount : rec.BeatCount;
  if (c < 1 || c >= beats || static_cast<size_t>(c) >= rec.Positions.size()) return;
  mci::MMControl* mm = shell::MMControlOf(FrontForm(), "cMM");
  if (mm == nullptr || mm->Position() < rec.Positions[static_cast<size_t>(c)] - c * shell::DelayPC) return;
  rec.CurrNote = c + 1;
  sound::sPlayCurrBol1Alt(rec, static_cast<int32_t>(sound::CompCycleCount) * sound::CompBeatCount);
}

void EndOfPlaying() {
  common::ProcTrace t("sF14EndOfPlaying");
  sSetDefaultDisplayColors();
  if (sound::LoopFlag == 0) {
    sEnableF14Selections();
    return;
  }
  sound::PhraseSetRec& set = sound::TPlayInfo;
  const int16_t phrase = sound::CurrOperationMode == kPractice ? int16_t{1} : sound::CurrCompPart;
  set.CurrPhrase = set.RestartPhrase = set.LastPhrase = phrase;
  PlayPhrases();
}

// Back on the illustration screen: it keeps the mode it had, and takes over a script
// or grace-note setting changed here (its notation, fonts and check marks) and a
// tonic or scale set changed here (it applies the key now in use, not merely the last
// one chosen, which may have failed).
void HandOverSettings() {
  common::ProcTrace t("sF14HandOverSettings");
  if (shell::CurrFormId != kIllustrationScreen) return;
  sound::CurrOperationMode = EntryOperationMode;
  if (shell::NotationScript != EntryNotationScript || shell::GraceNotes != EntryGraceNotes) {
    shell::sMnuNotationScriptCheck();
    shell::sMnuGraceNotesCheck();
    int16_t notation = 15;
    sMainOperations(notation);
  }
  if (sound::CurrTonicNoteId == EntryTonicNoteId && sound::CurrMusicSetId == EntryMusicSetId) return;
  sound::NewTonicNoteId = sound::CurrTonicNoteId;
  int16_t tonic = 14;
  sMainOperations(tonic);
  shell::sMnuTonicNoteCheck();
}

}  // namespace

void sPlayCompositions(int16_t& action) {
  common::ProcTrace t("sPlayCompositions");
  if (action != 0 && (shell::CurrForm == nullptr || shell::CurrForm != shell::FormPlayComposition1)) return;
  const int16_t callback = sound::CallbackCode;
  sound::CallbackCode = kCompositionPlayer;
  switch (action) {
    case 0:
      if (!sInitPlayCompositions()) {
        sound::CallbackCode = callback;  // the screen in front hears its own end of playing
        return;
      }
      FrontForm().Ctl(sound::CurrCompPart == 2 ? "cAntara" : "cAsthai").SetValue(1);
      RenderPartFilesWaiting();
      break;
    case 1: Play(); break;
    case 2: PartChosen(); break;
    case 3: ModeChosen(); break;
    case 4: TonicChosen(); break;
    case 5: GraceNotesChanged(); break;
    case 8: ScriptChanged(); break;
    case 9: RenderPartFilesWaiting(); break;
    case 10: DroneChanged(); break;
    case 11: StopPlaying(); break;
    case 12: MarkBeat(); break;
    case 19: EndOfPlaying(); break;
    case 20: sTerminatePlayCompositions(); break;
    default: break;  // the speed slider's 7 and every other code
  }
}

bool sInitPlayCompositions() {
  common::ProcTrace t("sInitPlayCompositions");
  if (!TalaUsable()) {
    vb::Message("The tala of this composition is missing from the database or has no beats");
    return false;
  }
  sound::CurrItemKind = sound::kCompositionKind;
  sound::Theka = 1;
  sound::LoopFlag = 0;
  EntryTonicNoteId = sound::CurrTonicNoteId;
  EntryMusicSetId = sound::CurrMusicSetId;
  EntryOperationMode = sound::CurrOperationMode;
  EntryNotationScript = shell::NotationScript;
  EntryGraceNotes = shell::GraceNotes;
  CompSegments = {};
  CompFilesRegenerated = 0;

  shell::sEnterForm(14);
  forms::Form& form = FrontForm();
  if (shell::DevnagariAvailable == 0) form.Ctl("cMnuDev").SetVisible(false);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuGraceNotesCheck();
  shell::sMnuNotationScriptCheck();
  shell::sMnuThekaCheck();
  shell::sMnuTonicNoteCheck();
  shell::sMnuTraceCheck();
  common::sDisplayRagaBasicData(form);

  const common::CompDataRec& part = common::TCompData[PartIndex()];
  sound::CompStartMatra = vb::CLng(part.StartingBeat);
  sound::CompBeatCount = common::fGetBeatCountForTala(part.TalaId);
  sAdjustDisplayForTala();
  sEnableF14Selections();
  // A film song has no antara to show or play; a part of the learner's composition
  // still empty is not offered.
  const bool composition = sound::CurrMusicItemType == sound::kCompositionItem;
  form.Ctl("cAsthai").SetEnabled(!composition || sound::fCompPartHasNotes(1));
  form.Ctl("cAntara").SetEnabled(sound::CurrMusicItemType != sound::kFilmSongItem &&
                                 (!composition || sound::fCompPartHasNotes(2)));
  form.Ctl(sound::CurrOperationMode == kPractice ? "cPractice" : "cLearn").SetValue(1);
  return true;
}

void sTerminatePlayCompositions() {
  common::ProcTrace t("sTerminatePlayCompositions");
  shell::AlternateFlag = -1;
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
  HandOverSettings();
}

void sUnloadPlayComposition1() {
  common::ProcTrace t("sUnloadPlayComposition1");
  const bool byUser = shell::TerminatingForm != 1 && shell::CurrForm == shell::FormPlayComposition1 &&
                      shell::CurrForm != nullptr;
  if (byUser) {
    if (mci::MMControl* mm = shell::MMControlOf(*shell::CurrForm, "cMM")) shell::sStopAndClosePlayer(*mm);
    sound::LoopFlag = 0;
    shell::AlternateFlag = -1;
  }
  shell::OnScreenUnload();
  if (byUser) HandOverSettings();
}

void sSetupForCurrCompPart() {
  common::ProcTrace t("sSetupForCurrCompPart");
  forms::Control& name = FrontForm().Ctl("Label22");
  if (sound::CurrCompPart == 1) {
    name.SetCaption("Asthai");
    name.SetWhatsThisHelpID(kAsthaiHelpTopic);
  }
  if (sound::CurrCompPart == 2) {
    name.SetCaption("Antara");
    name.SetWhatsThisHelpID(kAntaraHelpTopic);
  }
}

float fCompSpeedFactor() {
  common::ProcTrace t("fCompSpeedFactor");
  return vb::CSng(sound::fGetSpeedFactor());
}

void sInitCS(int16_t mode) {
  common::ProcTrace t("sInitCS");
  if (mode == 2) {
    const float factor = fCompSpeedFactor();
    CompSegments[0] = {.Part = 1, .SpeedFactor = factor};
    CompSegments[1] = {.Part = 2, .SpeedFactor = factor};
  } else if (mode == 3) {
    CompSegments[2] = {};
  }
}

void sUpdateCS(int16_t mode) {
  common::ProcTrace t("sUpdateCS");
  const float factor = fCompSpeedFactor();
  for (size_t k = 0; k < 3; ++k) CompSegments[k].SpeedFactor = factor;
  if (mode != 3) return;
  CompSegmentRec& segment = CompSegments[2];
  segment.Part = sound::CurrCompPart;
  const GridPoint from = fGridPointOf(SegmentBeats[0]);
  const GridPoint to = fGridPointOf(SegmentBeats[1]);
  segment.FromRow = from.Row;
  segment.FromBeat = from.Beat;
  segment.ToRow = to.Row;
  segment.ToBeat = to.Beat;
}


}  // namespace exploration
