#include "sound/ReedLighting.h"

#include <cstdint>

#include "common/StringUtil.h"
#include "exploration/PlayCompositions.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

constexpr int16_t kReedCount = 40;

forms::Form& CurrentForm() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet);
  return *shell::CurrForm;
}

// The label of a reed, or nullptr when the form has none for it.
forms::Control* ReedLabel(forms::Form& form, int16_t reed) {
  return form.HasElement("cL", reed) ? &form.Ctl("cL", reed) : nullptr;
}

void PaintReed(forms::Form& form, int16_t reed, forms::Colour colour) {
  if (reed < 1) return;
  if (auto* label = ReedLabel(form, reed)) label->SetBackColor(colour);
}

// The key colour of reed r (types other than white and black are left alone).
void ResetReed(forms::Form& form, int16_t reed) {
  if (reed < 0 || reed > kReedCount) return;
  auto* label = ReedLabel(form, reed);
  if (label == nullptr) return;
  if (ReedColorType[reed] == kWhiteReed) label->SetBackColor(kWhiteReedColour);
  if (ReedColorType[reed] == kBlackReed) label->SetBackColor(kBlackReedColour);
}

void MarkNote(const std::vector<common::PhraseNote>& notes, int32_t noteCount, int32_t currNote, bool withGrace) {
  if (currNote >= 2 && currNote - 2 < static_cast<int32_t>(notes.size())) {
    sSetReedLabelColorToDefault(notes[currNote - 2]);
  }
  if (currNote < 1 || currNote > noteCount || currNote > static_cast<int32_t>(notes.size())) return;
  const common::PhraseNote& note = notes[currNote - 1];
  forms::Form& form = CurrentForm();
  PaintReed(form, fReedOfNote(note.Main), kCurrentNoteColour);
  if (withGrace && note.HasGrace()) PaintReed(form, fReedOfNote(note.Grace), kGraceNoteColour);
}

}  // namespace

int16_t fReedOfNote(int16_t noteCode) {
  common::ProcTrace t("fReedOfNote");
  if (noteCode < 0) return 0;
  const int reed = noteCode - ReedNoteOffset;
  return reed >= 1 && reed <= kReedCount ? static_cast<int16_t>(reed) : 0;
}

void sPlayReedsAlt(const std::vector<common::PhraseNote>& notes, int32_t noteCount, int32_t currNote) {
  common::ProcTrace t("sPlayReedsAlt");
  MarkNote(notes, noteCount, currNote, false);
}

void sPlayReeds1Alt(const std::vector<common::PhraseNote>& notes, int32_t noteCount, int32_t currNote) {
  common::ProcTrace t("sPlayReeds1Alt");
  MarkNote(notes, noteCount, currNote, true);
}

void sSetReedLabelColorToDefault(const common::PhraseNote& note) {
  common::ProcTrace t("sSetReedLabelColorToDefault");
  forms::Form& form = CurrentForm();
  const int16_t main = fReedOfNote(note.Main);
  if (main > 0) ResetReed(form, main);
  if (note.HasGrace()) {
    const int16_t grace = fReedOfNote(note.Grace);
    if (grace > 0) ResetReed(form, grace);
  }
}

void sSetAllReedLabelColorToDefault(forms::Form& form) {
  common::ProcTrace t("sSetAllReedLabelColorToDefault");
  for (int16_t r = 0; r <= kReedCount; ++r) ResetReed(form, r);
}

void sPlayCurrBol1Alt(int32_t currNote, int16_t gridOffset, int16_t startMatra, int32_t cellCount) {
  common::ProcTrace t("sPlayCurrBol1Alt");
  const int32_t cell = currNote + gridOffset + startMatra - 2;
  exploration::sMarkGridCell(CurrentForm(), cell, currNote != 1 ? cell - 1 : -1, cellCount);
}

void sToggleCurrKBNote(int16_t mode, forms::Form& form, const common::PhraseNote& note) {
  common::ProcTrace t("sToggleCurrKBNote");
  const int16_t reed = fReedOfNote(note.Main);
  if (reed <= 0) return;
  auto* label = ReedLabel(form, reed);
  if (label == nullptr) return;
  if (mode == 1) label->SetForeColor(kUnmarkedTextColour);
  if (mode == 2) label->SetForeColor(kMarkedTextColour);
  label->Refresh();
}

void sUnMarkCurrentReeds(forms::Form& form, const std::vector<common::PhraseNote>& notes, int32_t noteCount,
                         int32_t& currNote) {
  common::ProcTrace t("sUnMarkCurrentReeds");
  for (int32_t k = 1; k <= noteCount && k <= static_cast<int32_t>(notes.size()); ++k) {
    currNote = k;
    sToggleCurrKBNote(1, form, notes[k - 1]);
  }
}

void sUnMarkAllReeds(forms::Form& form) {
  common::ProcTrace t("sUnMarkAllReeds");
  for (int16_t r = 1; r <= kReedCount; ++r) {
    if (auto* label = ReedLabel(form, r)) label->SetForeColor(kUnmarkedTextColour);
  }
}

void sMarkNextNoteReached(forms::Form& form, int32_t position, int16_t delay) {
  common::ProcTrace t("sMarkNextNoteReached");
  NotesListRec& rec = NotesList.at(static_cast<size_t>(CurrSlot));
  const int32_t n = rec.CurrNote;
  if (n < 1 || n >= rec.NoteCount) return;  // the last note stays marked
  if (static_cast<size_t>(n) >= rec.Positions.size()) vb::Raise(vb::kSubscript);
  if (position < rec.Positions[static_cast<size_t>(n)] - n * delay) return;
  rec.CurrNote = n + 1;
  forms::Control& item = form.Ctl("cCurrentItem");
  item.SetText(item.Text() + "   " + common::fGetWord1(rec.Text, n + 1, rec.WordStarts, rec.WordLengths));
  item.Refresh();
  if (shell::GraceNotes == 2) {
    sPlayReeds1Alt(rec);
  } else {
    sPlayReedsAlt(rec);
  }
}

}  // namespace sound
