// Writing in the slots: choosing a palette note or a time value, putting a note, a grace
// note, a comma or a duration into a slot, inserting and deleting slots, moving the rows,
// syllables, and saving.
#include <string>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "composer/ComposerActions.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "composer/RowImages.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"

namespace composer {

namespace {

constexpr int16_t kTaan = 3;
constexpr int16_t kComma = 32;
constexpr forms::Colour kRed = 255;
constexpr forms::Colour kBlack = 0;

bool IsComposition(int16_t type) { return type == 4 || type == 5; }

// The slot clicked, when the slots exist and nothing plays: its display row (1 or 2).
bool SlotClickAllowed(int16_t& slot, int16_t& displayRow) {
  slot = ComposerSlot;
  if (!SlotLayoutPresent || slot < 0 || slot >= 40) return false;
  displayRow = static_cast<int16_t>(slot / 20 + 1);
  return true;
}

// A pending insert or delete is carried out on the slot clicked, and nothing else.
bool PendingInsertOrDelete(int16_t slot) {
  if (!InsertSlotPending && !DeleteSlotPending) return false;
  const bool insert = InsertSlotPending;
  InsertSlotPending = DeleteSlotPending = false;
  forms::Form& form = ComposerFront();
  form.Ctl("cOIns").SetValue(0);
  form.Ctl("cODel").SetValue(0);
  if (insert) {
    sInsertBlankSlot(slot);
  } else {
    sDeleteCurrentSlot(slot);
  }
  sNoteWorkChanged();
  return true;
}

// The slot's row images read back from the display after an edit of the slot.
void SlotEdited(int16_t slot, int16_t displayRow) {
  if (slot >= PhraseTokenCount) PhraseTokenCount = static_cast<int16_t>(slot + 1);
  sCreateRowImagesFromDisplay(displayRow);
  sNoteWorkChanged();
}

// The chosen entry of a palette or of the time values shown in red, the one before
// back in black.
void MarkChoice(const char* array, int16_t& previous, int16_t selected) {
  forms::Form& form = ComposerFront();
  if (previous != -1 && form.HasElement(array, previous)) form.Ctl(array, previous).SetForeColor(kBlack);
  previous = selected;
  if (selected != -1 && form.HasElement(array, selected)) form.Ctl(array, selected).SetForeColor(kRed);
}

}  // namespace

void sComposerPalletNoteChosen() {
  common::ProcTrace t("sComposerPalletNoteChosen");
  if (!PalletPresent) return;
  MarkChoice("cNotation", PrevPalletNote, SelectedPalletNote);
}

void sComposerTimeValueChosen() {
  common::ProcTrace t("sComposerTimeValueChosen");
  if (!SlotLayoutPresent || common::CurrPhraseType == kTaan) return;
  MarkChoice("cTimeVal", PrevTimeValue, SelectedTimeValue);
}

void sComposerNoteSlotClicked() {
  common::ProcTrace t("sComposerNoteSlotClicked");
  int16_t s = 0, row = 0;
  if (!SlotClickAllowed(s, row) || PendingInsertOrDelete(s)) return;
  forms::Form& form = ComposerFront();
  const bool taan = common::CurrPhraseType == kTaan;
  forms::Control& note = form.Ctl("cNote", s);
  // A note or an empty slot takes no "," duration: the comma's goes with it.
  const auto dropCommaDuration = [&form, s, taan] {
    if (!taan && form.Ctl("cTime", s).Caption() == ",") form.Ctl("cTime", s).SetCaption("");
  };
  if (SelectedPalletNote == -1) {
    note.SetCaption("");
    dropCommaDuration();
  } else if (SelectedPalletNote == kComma) {
    common::FormNotationControl notation(note);
    common::sSetEnglishFont(notation);
    note.SetCaption(",");
    if (!taan) {
      form.Ctl("cTime", s).SetCaption(",");
      form.Ctl("cGNote", s).SetCaption("");
    }
  } else {
    // One note per slot: the note replaces what the slot held.
    common::sAdjustFont(note);
    note.SetCaption(common::fGetStringForNote(SelectedPalletNote));
    dropCommaDuration();
  }
  SlotEdited(s, row);
}

void sComposerGraceSlotClicked() {
  common::ProcTrace t("sComposerGraceSlotClicked");
  int16_t s = 0, row = 0;
  if (!SlotClickAllowed(s, row) || common::CurrPhraseType == kTaan || PendingInsertOrDelete(s)) return;
  forms::Form& form = ComposerFront();
  forms::Control& grace = form.Ctl("cGNote", s);
  // The comma is no grace note: it clears the grace slot.
  if (SelectedPalletNote == -1 || SelectedPalletNote == kComma) {
    grace.SetCaption("");
  } else if (form.Ctl("cNote", s).Caption() == ",") {
    vb::Message("A \",\" ends a phrase and takes no grace note.");
    return;
  } else {
    common::sAdjustFont(grace);
    grace.SetCaption(common::fGetStringForNote(SelectedPalletNote));
  }
  SlotEdited(s, row);
}

void sComposerDurationSlotClicked() {
  common::ProcTrace t("sComposerDurationSlotClicked");
  int16_t s = 0, row = 0;
  if (!SlotClickAllowed(s, row) || common::CurrPhraseType == kTaan || PendingInsertOrDelete(s)) return;
  forms::Form& form = ComposerFront();
  forms::Control& time = form.Ctl("cTime", s);
  if (SelectedTimeValue == -1) {
    time.SetCaption("");
  } else {
    const std::string value = form.Ctl("cTimeVal", SelectedTimeValue).Caption();
    const std::string held = time.Caption();
    if (held.empty() || held == ",") {
      time.SetCaption(value);
    } else {
      // Clicking again adds the value again.
      const float sum = static_cast<float>(vb::Val(held)) + static_cast<float>(vb::Val(value));
      time.SetCaption(vb::FormatGeneralSingle(sum));
    }
  }
  SlotEdited(s, row);
}

void sComposerMoveRows(int16_t by) {
  common::ProcTrace t("sComposerMoveRows");
  if (!SlotLayoutPresent) return;
  const auto top = static_cast<int16_t>(TopRowIndex + by);
  if (top < 1 || top > RowImageCount) return;
  TopRowIndex = top;
  sDisplayRowImages();
}

void sComposerSyllableTyped() {
  common::ProcTrace t("sComposerSyllableTyped");
  int16_t s = 0, row = 0;
  if (!SlotClickAllowed(s, row) || !IsComposition(common::CurrPhraseType)) return;
  sCreateSylRowImageFromDisplay(row);
  sNoteWorkChanged();
}

void sComposerSave() {
  common::ProcTrace t("sComposerSave");
  if (!SlotLayoutPresent) return;
  const bool ready = IsComposition(common::CurrPhraseType) ? fPrepareCompositionForSave() : fUpdateALTTFromRowImages();
  if (!ready) return;
  if (!sSaveMusicToDatabase()) return;
  sKeepStoredWork();
  vb::Message("Music Saved");
}

}  // namespace composer
