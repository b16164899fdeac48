// Choosing and playing the illustration screen's items: what a chosen line means in
// the operation mode, the set-ups of the play loop, stopping, stepping through the
// phrases, and playing the phrase of cCurrentItem in learning and practice mode.
#include <algorithm>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaReaders.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/IllustrationActions.h"
#include "exploration/MainOperations.h"
#include "exploration/PlayCompositions.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayButtons.h"
#include "sound/PlayLoop.h"
#include "sound/ReedLighting.h"
#include "sound/Render.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr int16_t kDemo = 1;
constexpr int16_t kPractice = 3;

mci::MMControl& Player() {
  mci::MMControl* player = shell::MMControlOf(FrontForm(), "cMM");
  if (player == nullptr) vb::Raise(vb::kObjectNotSet, "The form in front has no player");
  return *player;
}

forms::Control& CurrentItem() { return FrontForm().Ctl("cCurrentItem"); }

void PointerDefault() { FrontForm().SetMousePointer(forms::vbDefault); }

// Demo mode from code: when Option1 was not selected its click runs first (the mode
// prompts), as the learner's click would.
void SelectDemoMode() {
  FrontForm().Ctl("Option1").SetValue(1);
  sound::CurrOperationMode = kDemo;
}

// The demo of a scale, pakad or ALT item: every phrase, built ahead while one plays.
void PlayDemo() {
  if (sound::sSetUpForDemoModeIllustrations() != 1) {
    PointerDefault();
    return;
  }
  sDisplayMOControls();
  sDisableF28Selections();
  sPlayF28Phrases();
}

// Learning and practice: the item's phrases loaded (practice with its segment marks)
// and the first shown in cCurrentItem; nothing plays until Play.
void ShowFirstPhrase() {
  sound::sLoadMNFromT(sound::CurrOperationMode == kPractice ? 1 : 2);
  common::sLoadScriptFromMN(CurrentItem(), 1);
}

void ShowItemControls() {
  sDisplayMOControls();
  sSetCurrItemDesc();
  PointerDefault();
}

// A part whose row is missing (a damaged database: both parts are always stored) is
// refused before its tala is looked up for a row that names none. A composition of the
// learner's may have one part stored still empty: it plays the other.
bool PartsPresent() {
  if (sound::CurrMusicItemType == sound::kCompositionItem)
    return common::TCompData[0].NotationIndex != 0 && common::TCompData[1].NotationIndex != 0 &&
           (sound::fCompPartHasNotes(1) || sound::fCompPartHasNotes(2));
  const size_t parts = sound::CurrMusicItemType == sound::kFilmSongItem ? 1 : 2;
  bool complete = true;
  for (size_t p = 0; p < parts; ++p) complete = complete && !common::TCompData[p].Notation.empty();
  return complete;
}

void RefuseParts() { vb::MsgBox("Error creating music files", vb::vbExclamation, "Message"); }

// The music files of a composition, film song or similar raga pair, rendered in one go.
bool RenderParts() {
  if (PartsPresent() && sound::fCreateCompositionMusicFilesFromT() == 1) return true;
  RefuseParts();
  return false;
}

// The play set of the parts rendered: phrases first to last of count.
void PlayParts(int16_t count, int16_t first, int16_t last) {
  sound::PhraseSetRec& set = sound::TPlayInfo;
  set.PhraseCount = count;
  set.CurrPhrase = first;
  set.RestartPhrase = first;
  set.LastPhrase = last;
  sDisplayMOControls();
  sDisableF28Selections();
  sPlayF28Phrases();
}

// Demo replay of one part: phrase p plays alone from slot p - 1, from the file
// rendered for it.
void ReplayPart(int16_t part) {
  sound::PhraseSetRec& set = sound::TPlayInfo;
  set.CurrPhrase = set.RestartPhrase = set.LastPhrase = part;
  sound::NotesList[static_cast<size_t>(part - 1)].CurrNote = 1;
  sound::sEnablePlayStopButtons();
  sPlayF28Phrases();
}

// Play refused before anything was locked: a loop asked for by Start Looping is not kept.
void RefusePlay(const std::string& message) {
  sound::LoopFlag = 0;
  vb::Message(message);
}

}  // namespace

void sPlayF28Phrases() {
  common::ProcTrace t("sPlayF28Phrases");
  if (!sound::fPlayMusicPhrases()) vb::Message("Error Playing Music Phrases");
}

void sForgetLastLearningPlay() {
  common::ProcTrace t("sForgetLastLearningPlay");
  LastPlayedItemText.clear();
  LastPlayedSpeed = 0;
}

void sStopAndCloseF28Player() {
  common::ProcTrace t("sStopAndCloseF28Player");
  // The list ends here even when no file is open.
  sound::TPlayInfo.CurrPhrase = static_cast<int16_t>(sound::TPlayInfo.PhraseCount + 1);
  shell::sStopAndClosePlayer(Player());
}

void sIllustrationItemChosen(int16_t database) {
  common::ProcTrace t("sIllustrationItemChosen");
  forms::Form& form = FrontForm();
  auto& list = form.Get<forms::ListControl>(database == 1 ? "cKZIllusList" : "cUserIllusList");
  if (list.ListIndex() == -1) return;
  common::CurrDBSelector = database;
  form.Ctl("cNotes").SetVisible(false);
  if (database == 1) form.Ctl("Frame2").SetVisible(false);
  const std::string line = list.Text();
  const bool named = sSetMusicParameters(line, database);
  list.SetListIndex(-1);  // so that the same line can be chosen again
  if (!named) return;
  int16_t action = 0;
  switch (sound::CurrItemKind) {
    case sound::kScaleKind:
    case sound::kPakadKind: action = 5; break;
    case sound::kFirstALTKind:
    case sound::kFirstALTKind + 1:
    case sound::kLastALTKind: action = 6; break;
    case sound::kCompositionKind: action = 7; break;
    case sound::kComparisonKind: action = 8; break;
    default: return;
  }
  sMainOperations(action);
}

void sPlayScaleOrPakad() {
  common::ProcTrace t("sPlayScaleOrPakad");
  sForgetLastLearningPlay();
  if (sound::CurrOperationMode == kDemo) {
    PlayDemo();
    return;
  }
  ShowFirstPhrase();
  if (sound::CurrOperationMode == kPractice) {
    sound::sSetUpForPracticeModeIllustrations1();
  } else {
    sound::sSetUpForLearningModeIllustration();
  }
  ShowItemControls();
}

void sPlayALTItem() {
  common::ProcTrace t("sPlayALTItem");
  sForgetLastLearningPlay();
  FrontForm().SetMousePointer(forms::vbHourglass);
  if (sound::CurrOperationMode == kDemo) {
    PlayDemo();
    return;
  }
  ShowFirstPhrase();
  ShowItemControls();
}

void sPlayCompositionItem() {
  common::ProcTrace t("sPlayCompositionItem");
  sForgetLastLearningPlay();
  const bool composition = sound::CurrMusicItemType == sound::kCompositionItem;
  if (composition && sound::CurrOperationMode != kDemo) {
    // Learning and practice of a composition belong to the composition player.
    if (!PartsPresent()) {
      RefuseParts();
      return;
    }
    sound::CurrCompPart = sound::fCompPartHasNotes(1) ? 1 : 2;
    sClearNotationBox();
    sHideMOControls();
    int16_t open = 0;
    sPlayCompositions(open);
    return;
  }
  SelectDemoMode();
  sound::Theka = composition ? 1 : 2;
  sound::CurrItemKind = sound::kCompositionKind;
  if (!RenderParts()) return;
  if (!composition) {
    PlayParts(1, 1, 1);
    return;
  }
  // Only the parts that have notes.
  PlayParts(2, sound::fCompPartHasNotes(1) ? 1 : 2, sound::fCompPartHasNotes(2) ? 2 : 1);
}

void sPlaySimilarRagaPair() {
  common::ProcTrace t("sPlaySimilarRagaPair");
  sForgetLastLearningPlay();
  SelectDemoMode();
  sound::CurrItemKind = sound::kComparisonKind;
  sound::CurrCompPart = 1;
  SimilarRagaName = common::CurrAddInfo;
  // Slot 0 holds the similar raga's phrase: it is heard first.
  FrontForm().Ctl("cInfo").SetText("Playing comparison of Ragas " + common::CurrRagaName + " and " +
                                   common::CurrAddInfo + ". Currently playing " + common::CurrAddInfo);
  if (!RenderParts()) return;
  PlayParts(2, 1, 2);
}

void sStopF28Playing() {
  common::ProcTrace t("sStopF28Playing");
  sStopAndCloseF28Player();
  sClearNotationBox();
}

void sStopF28CurrentPhrase() {
  common::ProcTrace t("sStopF28CurrentPhrase");
  mci::MMControl& mm = Player();
  // The file stays open; its Done goes on with the next phrase.
  if (mm.Mode() == mci::mciModePlay) sound::PlayOnAfterStop = -1;
  mm.setNotify(false);
  mm.setWait(true);
  mm.setCommand("Stop");
  sound::sSetAllReedLabelColorToDefault(FrontForm());
}

void sStepOrReplayF28Item() {
  common::ProcTrace t("sStepOrReplayF28Item");
  forms::Form& form = FrontForm();
  if (sound::CurrOperationMode != kDemo) {
    sShowF28ItemBoxes();
    common::sLoadScriptFromMN(CurrentItem(), ScriptStep);
    sSetCurrItemDesc();
    return;
  }
  int16_t part = 0;
  if (sound::CurrItemKind == sound::kComparisonKind) {
    // The current raga's phrase is in slot 1 (phrase 2), the similar raga's in slot 0.
    part = CurrPairRaga == 1 ? 2 : 1;
  } else if (sound::CurrItemKind == sound::kCompositionKind && sound::CurrMusicItemType == sound::kCompositionItem) {
    part = sound::CurrCompPart == 2 ? 2 : 1;
  } else {
    return;  // only a composition or a pair has parts to replay
  }
  sDisableF28Selections();
  form.Ctl("Frame2").SetEnabled(false);
  sShowF28ItemBoxes();
  ReplayPart(part);
}

void sPlayF28EditedItem() {
  common::ProcTrace t("sPlayF28EditedItem");
  if (sound::CurrOperationMode == kDemo) return;  // demo plays its items as they are chosen
  forms::Form& form = FrontForm();
  CurrItemText = CurrentItem().Text();
  const std::vector<std::string> words = common::notation::Words(CurrItemText, " ");
  if (words.empty()) {
    RefusePlay("Please select an item to play");
    return;
  }
  // A phrase of segment marks alone has nothing to play.
  const bool notes = std::any_of(words.begin(), words.end(), [](const std::string& word) {
    return !common::notation::SplitColon(word).Core.empty();
  });
  if (!notes || common::fIsLegalNotationPhrase(CurrItemText) == 0) {
    RefusePlay("One or more changes you made are not allowable. Please check and correct errors.");
    return;
  }
  const auto speed = static_cast<int16_t>(form.Ctl("cSlider").Value());
  if (sound::CurrOperationMode == kPractice) {
    if (sound::sSetUpForPracticeModeIllustrations1() != 1) {
      sound::LoopFlag = 0;
      return;
    }
  } else if (CurrItemText != LastPlayedItemText || speed != LastPlayedSpeed) {
    sForgetLastLearningPlay();
    if (sound::sSetUpForLearningModeIllustration() != 1) {
      sound::LoopFlag = 0;
      return;
    }
    LastPlayedSpeed = speed;
    LastPlayedItemText = CurrItemText;
  }
  form.Ctl("Option4").SetValue(0);
  sClearNotationBox();
  sShowF28ItemBoxes();
  const bool looping = sound::LoopFlag != 0;
  form.Ctl("cPlay").SetEnabled(false);
  form.Ctl("cStartLoop").SetEnabled(false);
  form.Ctl("cStop").SetEnabled(!looping);
  form.Ctl("cStopLoop").SetEnabled(looping);
  form.SetMousePointer(forms::vbHourglass);
  sDisableF28Selections();
  sPlayF28Phrases();
}

}  // namespace exploration
