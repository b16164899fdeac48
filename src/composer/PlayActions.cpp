// Playing in the Composer: the phrases written (or the part of the composition on
// screen, or the raga's aroha, avroha or pakad) played on the play loop, the screen
// locked while anything plays, the slot of the note being heard shown in red with the
// rows following it, and the end of playing.
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "composer/Composer.h"
#include "composer/ComposerActions.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Interaction.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayLoop.h"
#include "sound/Render.h"
#include "sound/SoundState.h"

namespace composer {

namespace {

constexpr int16_t kSlotCount = 40;
constexpr forms::Colour kRed = 255;
constexpr forms::Colour kBlack = 0;

bool IsComposition(int16_t type) { return type == 4 || type == 5; }
bool PlaysScaleOrPakad() {
  return sound::CurrItemKind == sound::kScaleKind || sound::CurrItemKind == sound::kPakadKind;
}

// What a play must not meet: everything the learner can edit or start, but the
// synchronization menu.
void LockForPlaying(bool locked) {
  forms::Form& form = ComposerFront();
  for (const char* name : {"cPlay", "cSave", "cNewCat", "cNewRaga", "cReturn", "cFMusCat", "Frame1", "Frame2", "cAroha",
                           "cAvroha", "cPakad", "cAsthai", "cAntara", "cStartBeatAst", "cStartBeatAnt", "cSpeed",
                           "cMukhada", "cMnuNotScr", "cMnuPal"}) {
    form.Ctl(name).SetEnabled(!locked);
  }
  for (const char* array : {"cNotation", "cTimeVal", "cNote", "cGNote", "cTime", "cCompSyl"}) {
    for (int16_t k : form.Elements(array)) form.Ctl(array, k).SetEnabled(!locked);
  }
  ComposerPlaying = locked;
  form.SetBusy(locked);
  sSetMoveButtons();
}

// The slots (over all rows) of the notes of the phrase now playing.
const std::vector<int16_t>* SlotsOfPlayingPhrase() {
  const size_t phrase = IsComposition(common::CurrPhraseType) ? 0 : static_cast<size_t>(PlayingPhrase - 1);
  if (PlayingPhrase < 1 || phrase >= PhraseNoteSlots.size()) return nullptr;
  return &PhraseNoteSlots[phrase];
}

// Slot `slot` (over all rows) on the display: the rows moved when it lies outside the
// two shown; its display index 0 to 39.
int16_t BringIntoView(int16_t slot) {
  const auto row = static_cast<int16_t>(slot / 20 + 1);
  if (row < TopRowIndex || row > TopRowIndex + 1) {
    // Past display row 2 the rows move on by one, so the note is heard in display row 2.
    TopRowIndex = row > TopRowIndex + 1 ? static_cast<int16_t>(row - 1) : row;
    sDisplayRowImages();
  }
  return static_cast<int16_t>(slot - (TopRowIndex - 1) * 20);
}

void Colour(int16_t displaySlot, forms::Colour colour) {
  forms::Form& form = ComposerFront();
  if (displaySlot >= 0 && displaySlot < kSlotCount && form.HasElement("cNote", displaySlot))
    form.Ctl("cNote", displaySlot).SetForeColor(colour);
}

// The part of the composition on screen rendered alone (the other may still be empty)
// and made the play set.
bool PreparePart() {
  const int16_t part = sound::CurrCompPart;
  sound::CurrMusicItemType = sound::kCompositionItem;
  sound::CurrItemKind = sound::kCompositionKind;
  sound::Theka = 1;
  sound::PlayMode = 1;
  sound::sPreprocCompDataFromT();
  sound::PhraseSetRec& set = sound::TMNInfo;
  set.PhraseCount = set.CurrPhrase = set.RestartPhrase = set.LastPhrase = part;
  sound::TPlayInfo = set;
  const auto slot = static_cast<int16_t>(part - 1);
  sound::CurrSlot = slot;
  sound::NotesList[static_cast<size_t>(slot)].NoteCount = sound::fCreateNotesList1(slot);
  return sound::fPrepareToPlaySelection1(slot) != 0;
}

}  // namespace

void sComposerPlay() {
  common::ProcTrace t("sComposerPlay");
  if (!SlotLayoutPresent) return;
  const bool composition = IsComposition(common::CurrPhraseType);
  // What the slots hold must pass its checks, even for the raga's scale or pakad.
  bool ready = false;
  if (composition) {
    const std::string details = fCheckCompData(sound::CurrCompPart);
    if (!details.empty()) {
      vb::Message(details);
    } else {
      ready = fUpdateCompTFromRowImages(false);
      if (ready) sSetCompDetailsFromBoxes();
    }
  } else {
    ready = fUpdateALTTFromRowImages();
  }
  const bool scaleOrPakad = PlaysScaleOrPakad();
  if (!ready) {
    if (scaleOrPakad) sound::CurrItemKind = SavedItemKind;
    return;
  }
  TopRowIndex = 1;
  if (!scaleOrPakad) sDisplayRowImages();
  LockForPlaying(true);
  if (composition && !scaleOrPakad) {
    if (!PreparePart()) {
      vb::Message("Error creating music files");
      LockForPlaying(false);
      return;
    }
  } else if (sound::sSetUpForDemoModeIllustrations() != 1) {
    LockForPlaying(false);
    if (scaleOrPakad) sound::CurrItemKind = SavedItemKind;
    return;
  }
  if (!sound::fPlayMusicPhrases()) vb::Message("Error Playing Music Phrases");
}

void sComposerEndOfPlaying() {
  common::ProcTrace t("sComposerEndOfPlaying");
  if (PlaysScaleOrPakad()) sound::CurrItemKind = SavedItemKind;
  if (ComposerPlaying) LockForPlaying(false);
  PlayingPhrase = 0;
}

void sComposerStopPlaying() {
  common::ProcTrace t("sComposerStopPlaying");
  if (mci::MMControl* mm = shell::MMControlOf(*ComposerForm(), "cMM")) shell::sStopAndClosePlayer(*mm);
  ComposerPlaying = false;
  PlayingPhrase = 0;
}

void sPlayNotationSlot() {
  common::ProcTrace t("sPlayNotationSlot");
  if (PlaysScaleOrPakad() || !SlotLayoutPresent) return;
  sound::NotesListRec& rec = sound::NotesList.at(static_cast<size_t>(sound::CurrSlot));
  const int32_t cur = rec.CurrNote;
  // At the last note there is nothing more to mark: it stays red to the phrase's end.
  if (cur < 1 || cur >= rec.NoteCount || static_cast<size_t>(cur) >= rec.Positions.size()) return;
  const int32_t threshold = rec.Positions[static_cast<size_t>(cur)] - cur * shell::DelayC;
  mci::MMControl* player = shell::MMControlOf(ComposerFront(), "cMM");
  if (player == nullptr || player->Position() < threshold) return;
  rec.CurrNote = cur + 1;
  const std::vector<int16_t>* noteSlots = SlotsOfPlayingPhrase();
  if (noteSlots == nullptr || static_cast<size_t>(cur) >= noteSlots->size()) return;
  const int16_t previous = (*noteSlots)[static_cast<size_t>(cur - 1)];
  const int16_t now = (*noteSlots)[static_cast<size_t>(cur)];
  Colour(static_cast<int16_t>(previous - (TopRowIndex - 1) * 20), kBlack);
  Colour(BringIntoView(now), kRed);
}

void sSetComposerFormNoteSlotsToDefaultFrontColor() {
  common::ProcTrace t("sSetComposerFormNoteSlotsToDefaultFrontColor");
  forms::Form& form = *ComposerForm();
  if (!form.Loaded()) return;
  for (int16_t k : form.Elements("cNote")) form.Ctl("cNote", k).SetForeColor(kBlack);
}

void sMarkComposerPhraseStart(int16_t phrase) {
  common::ProcTrace t("sMarkComposerPhraseStart");
  if (!ComposerInFront()) return;
  PlayingPhrase = phrase;
  sound::CurrCompNoteSlot = 0;
  sSetComposerFormNoteSlotsToDefaultFrontColor();
  if (PlaysScaleOrPakad() || !SlotLayoutPresent) return;
  const std::vector<int16_t>* noteSlots = SlotsOfPlayingPhrase();
  if (noteSlots == nullptr || noteSlots->empty()) return;
  sound::CurrCompNoteSlot = noteSlots->front();
  Colour(BringIntoView(noteSlots->front()), kRed);
}

}  // namespace composer
