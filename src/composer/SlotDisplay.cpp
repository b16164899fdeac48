// Showing the row images in the two display rows of slots: notes (a grace note in the
// slot above its note), durations and syllables, the row numbers and the move buttons.
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"

namespace composer {

namespace {

constexpr int16_t kTaan = 3;
constexpr int16_t kSlotsPerRow = 20;

bool IsComposition(int16_t type) { return type == 4 || type == 5; }

// The words of row `row` (from 1) of a row-image array; none for a row it does not hold.
std::vector<std::string> RowWords(const std::vector<std::string>& images, int16_t row) {
  if (row < 1 || static_cast<size_t>(row) > images.size()) return {};
  return common::notation::Words(images[static_cast<size_t>(row - 1)], " ");
}

// A note name as the current script shows it; a word that names no note is shown as it is.
std::string Shown(const std::string& english) {
  if (shell::NotationScript != common::kScriptDevnagari) return english;
  const std::string devnagari = common::fGetDevnagariStringForNote(english);
  return devnagari.empty() ? english : devnagari;
}

void EnglishFont(forms::Control& c) {
  common::FormNotationControl notation(c);
  common::sSetEnglishFont(notation);
}

void FontForRow(int16_t row, bool devnagari) {
  forms::Form& form = ComposerFront();
  const bool grace = common::CurrPhraseType != kTaan;
  auto setFont = [devnagari](forms::Control& slot) {
    common::FormNotationControl notation(slot);
    if (devnagari) {
      common::sSetDevnagariFont(notation);
    } else {
      common::sSetEnglishFont(notation);
    }
  };
  for (int16_t k = (row - 1) * kSlotsPerRow; k < row * kSlotsPerRow; ++k) {
    setFont(form.Ctl("cNote", k));
    if (grace) setFont(form.Ctl("cGNote", k));
  }
}

}  // namespace

void sClearPhraseDisplay() {
  common::ProcTrace t("sClearPhraseDisplay");
  if (!SlotLayoutPresent) return;
  forms::Form& form = ComposerFront();
  const int16_t type = common::CurrPhraseType;
  for (int16_t k = 0; k < 2 * kSlotsPerRow; ++k) {
    form.Ctl("cNote", k).SetCaption("");
    if (type != kTaan) {
      form.Ctl("cGNote", k).SetCaption("");
      form.Ctl("cTime", k).SetCaption("");
    }
    if (IsComposition(type)) form.Ctl("cCompSyl", k).SetText("");
  }
}

void sResetDevnagariFontForRow(int16_t row) {
  common::ProcTrace t("sResetDevnagariFontForRow");
  FontForRow(row, true);
}

void sResetEnglishFontForRow(int16_t row) {
  common::ProcTrace t("sResetEnglishFontForRow");
  FontForRow(row, false);
}

void sDisplayRowImages() {
  common::ProcTrace t("sDisplayRowImages");
  if (!SlotLayoutPresent) return;
  forms::Form& form = ComposerFront();
  const int16_t type = common::CurrPhraseType;
  sClearPhraseDisplay();
  for (int16_t row = 1; row <= 2; ++row) {
    if (shell::NotationScript == common::kScriptDevnagari) {
      sResetDevnagariFontForRow(row);
    } else {
      sResetEnglishFontForRow(row);
    }
  }
  const int16_t shown = RowImageCount <= TopRowIndex ? int16_t{1} : int16_t{2};
  for (int16_t r = 1; r <= shown; ++r) {
    const auto row = static_cast<int16_t>(TopRowIndex + r - 1);
    const int16_t first = (r - 1) * kSlotsPerRow;
    // A display row takes at most its 20 slots, whatever its image holds.
    const std::vector<std::string> notes = RowWords(NotesRowImages, row);
    for (size_t i = 0; i < notes.size() && i < kSlotsPerRow; ++i) {
      const auto k = static_cast<int16_t>(first + i);
      const std::string& token = notes[i];
      forms::Control& note = form.Ctl("cNote", k);
      if (token == "_") continue;
      if (token == ",") {
        EnglishFont(note);
        note.SetCaption(",");
        continue;
      }
      const size_t glide = token.find('\'');
      if (glide != std::string::npos && type != kTaan) {
        form.Ctl("cGNote", k).SetCaption(Shown(token.substr(0, glide)));
        const std::string main = token.substr(glide + 1);
        if (main == "_") continue;  // a grace note still waiting for its note
        note.SetCaption(Shown(main));
      } else {
        note.SetCaption(Shown(token));
      }
      if (common::fIsEnglishNote(note.Caption()) == 0 && common::fIsDevnagriNote(note.Caption()) == 0)
        EnglishFont(note);  // a word that names no note, shown as it stands
    }
    if (type != kTaan) {
      const std::vector<std::string> durations = RowWords(DurRowImages, row);
      for (size_t i = 0; i < durations.size() && i < kSlotsPerRow; ++i) {
        if (durations[i] != "_") form.Ctl("cTime", static_cast<int16_t>(first + i)).SetCaption(durations[i]);
      }
    }
    if (IsComposition(type)) {
      const std::vector<std::string> syllables = RowWords(SylRowImages, row);
      for (size_t i = 0; i < syllables.size() && i < kSlotsPerRow; ++i) {
        if (syllables[i] != "_") form.Ctl("cCompSyl", static_cast<int16_t>(first + i)).SetText(syllables[i]);
      }
    }
  }
  const std::string count = "/" + std::to_string(RowImageCount);
  forms::Control& label9 = form.Ctl("Label9");
  label9.SetCaption("Row " + std::to_string(TopRowIndex) + count);
  label9.SetVisible(true);
  forms::Control& label10 = form.Ctl("Label10");
  if (RowImageCount > TopRowIndex) {
    label10.SetCaption("Row " + std::to_string(TopRowIndex + 1) + count);
    label10.SetVisible(true);
  } else {
    label10.SetVisible(false);
  }
  sSetMoveButtons();
}

void sSetMoveButtons() {
  common::ProcTrace t("sSetMoveButtons");
  forms::Form& form = ComposerFront();
  form.Ctl("cMoveU").SetEnabled(!ComposerPlaying && TopRowIndex > 1);
  form.Ctl("cMoveD").SetEnabled(!ComposerPlaying && TopRowIndex < RowImageCount);
}

}  // namespace composer
