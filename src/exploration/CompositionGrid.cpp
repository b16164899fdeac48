// The composition player's grid: one row per cycle of the tala and one column per
// beat, each beat a syllable cell (cMatra) over a note cell (cNote); a header row of
// beat numbers (cBeat) and the row numbers (cRow). Cell k is row k / beats + 1, beat
// k mod beats + 1.
#include <cmath>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaCounts.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/PlayCompositions.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

using common::notation::Words;

constexpr forms::Colour kSyllableCellColour = 0xC0C0FF;

// Lengths of the grid in the form's units, rounded down to a multiple of 30.
double Step30(double length) { return std::floor(length / 30) * 30; }

const common::CompDataRec& CurrentPart() {
  return common::TCompData[sound::CurrCompPart == 2 ? 1 : 0];
}

int32_t CellCount() { return static_cast<int32_t>(sound::CompCycleCount) * GridBeatCount; }

// Element `index` of an array: the design element, or one created now.
forms::Control& Element(forms::Form& form, const char* name, int16_t index) {
  return form.HasElement(name, index) ? form.Ctl(name, index) : form.LoadElement(name, index);
}

// A cell of the grid when it exists; cells outside the grid are passed over.
forms::Label* Cell(forms::Form& form, const char* name, int32_t k) {
  if (k < 0 || k >= CellCount() || k > INT16_MAX || !form.HasElement(name, static_cast<int16_t>(k))) return nullptr;
  return &form.Get<forms::Label>(name, static_cast<int16_t>(k));
}

void Place(forms::Control& c, double left, double top) {
  c.SetLeft(left);
  c.SetTop(top);
  c.SetVisible(true);
}

// The words of a part's text appended to the captions of its cells: a word starts at
// the cell of its position, the part's first at its Starting Beat, and each moves the
// position on by its duration in beats. Several words within one beat share a cell;
// a word of two beats leaves the next cell empty. Words that fall outside the grid (a
// user's durations adding up to more than the notes') are left out.
void PlaceWords(forms::Form& form, const char* array, const std::vector<std::string>& words,
                const std::string& durations, double startingBeat) {
  const std::vector<std::string> beats = Words(durations, " ");
  double pos = startingBeat - 1;
  for (size_t k = 0; k < words.size(); ++k) {
    if (forms::Label* cell = Cell(form, array, static_cast<int32_t>(std::floor(pos))))
      cell->SetCaption(cell->Caption() + words[k]);
    pos += k < beats.size() ? vb::Val(beats[k]) : 0.0;
  }
}

// The part's notes as shown, one display word for each stored note word so that the
// words stay in step with their durations.
std::vector<std::string> ShownNotes(const std::string& notation) {
  const std::string played = shell::GraceNotes == common::kGraceNotesNone ? common::fRemoveGlides(notation) : notation;
  std::vector<std::string> words = Words(played, " ");
  if (shell::NotationScript == common::kScriptDevnagari) {
    for (std::string& word : words) word = word == "," ? "" : word == ":" ? ":" : common::fGetDevForEng(word);
  }
  return words;
}

}  // namespace

void sAdjustDisplayForTala() {
  common::ProcTrace t("sAdjustDisplayForTala");
  forms::Form& form = FrontForm();
  const int16_t tala = CurrentPart().TalaId;
  GridBeatCount = common::fGetBeatCountForTala(tala);
  form.Ctl("Label25").SetCaption("Tala : " + common::fGetTalaName(tala));
  form.Ctl("Label26").SetCaption(std::to_string(GridBeatCount) + " Beats");
  const int16_t lastBeat = common::fGetMatraCountForComposition();
  // A part that fills its last row exactly gets an empty row after it.
  sound::CompCycleCount = static_cast<int16_t>(lastBeat / GridBeatCount + 1);

  const double W = fLayoutWidth(form);
  const double H = fLayoutHeight(form);
  const double header = Step30(W * 0.025);
  const double cellWidth = Step30(W * 0.045);
  const double cellHeight = Step30(H * 0.03);
  // A note cell is taller than a syllable cell: the notation fonts (bold 12 and 16
  // points) do not fit into 3% of the height.
  const double noteHeight = Step30(H * 0.045);
  forms::Control& beat0 = form.Ctl("cBeat", 0);
  beat0.SetWidth(header);
  beat0.SetHeight(header);
  for (const char* array : {"cMatra", "cNote"}) form.Ctl(array, 0).SetWidth(cellWidth);
  form.Ctl("cMatra", 0).SetHeight(cellHeight);
  form.Ctl("cNote", 0).SetHeight(noteHeight);

  const double x0 = W / 100 + form.Ctl("cRow", 0).Width();
  forms::Control& text = form.Ctl("cComposition");
  double y = text.Top() + text.Height() + 150;
  Place(beat0, x0, y);
  beat0.SetCaption("1");
  for (int16_t i = 1; i < GridBeatCount; ++i) {
    forms::Control& b = Element(form, "cBeat", i);
    Place(b, form.Ctl("cBeat", static_cast<int16_t>(i - 1)).Left() + cellWidth + 30, y);
    b.SetCaption(vb::Str(i + 1));
  }
  y += beat0.Height();

  int32_t first = 0;  // the row's first cell
  for (int16_t r = 1; r <= sound::CompCycleCount; ++r, first += GridBeatCount) {
    forms::Control& row = Element(form, "cRow", static_cast<int16_t>(r - 1));
    Place(row, W / 100, y);
    row.SetCaption(std::to_string(r));
    double left = x0;
    for (int32_t k = first; k < first + GridBeatCount; ++k, left += cellWidth + 30) {
      const auto index = static_cast<int16_t>(k);
      Place(Element(form, "cMatra", index), left, y);
      forms::Control& note = Element(form, "cNote", index);
      Place(note, left, y + cellHeight);
      common::sAdjustFont(note);
    }
    y += cellHeight + noteHeight + 60;
  }
}

void sDisplayCompositionData() {
  common::ProcTrace t("sDisplayCompositionData");
  forms::Form& form = FrontForm();
  const common::CompDataRec& part = CurrentPart();
  form.Ctl("cComposition").SetText(part.CompositionText);
  sound::CompStartMatra = vb::CLng(part.StartingBeat);
  CompFirstBeat = vb::CInt(part.StartingBeat);
  sound::CompBeatCount = common::fGetBeatCountForTala(part.TalaId);
  const std::vector<std::string> notes = ShownNotes(part.Notation);
  form.Ctl("cMukhada").SetText(common::CurrAddInfo);

  for (int32_t k = 0; k < CellCount(); ++k) {
    for (const char* array : {"cMatra", "cNote"})
      if (forms::Label* cell = Cell(form, array, k)) cell->SetCaption("");
  }
  PlaceWords(form, "cMatra", Words(part.Syllables, " "), part.SyllableDuration, part.StartingBeat);
  PlaceWords(form, "cNote", notes, part.NotesDuration, part.StartingBeat);
}

void sAdjustFontForDisplay() {
  common::ProcTrace t("sAdjustFontForDisplay");
  forms::Form& form = FrontForm();
  for (int32_t k = 0; k < CellCount(); ++k)
    if (forms::Label* cell = Cell(form, "cNote", k)) common::sAdjustFont(*cell);
}

void sSetDefaultDisplayColors() {
  common::ProcTrace t("sSetDefaultDisplayColors");
  forms::Form& form = FrontForm();
  for (int32_t k = 0; k < CellCount(); ++k) {
    if (forms::Label* cell = Cell(form, "cMatra", k)) {
      cell->SetBackColor(kSyllableCellColour);
      cell->SetBorderStyle(0);
    }
    if (forms::Label* cell = Cell(form, "cNote", k)) cell->SetBackColor(sound::kOtherCellColour);
  }
}

void sSetCompNotationSlotsToDefaultColor() {
  common::ProcTrace t("sSetCompNotationSlotsToDefaultColor");
  forms::Form* form = shell::FormPlayComposition1;
  if (form == nullptr || !form->Loaded()) return;
  const int32_t cells = static_cast<int32_t>(sound::CompCycleCount) * sound::CompBeatCount;
  for (int32_t k = 0; k < cells && k <= INT16_MAX; ++k) {
    const auto index = static_cast<int16_t>(k);
    if (form->HasElement("cNote", index)) form->Ctl("cNote", index).SetBackColor(sound::kOtherCellColour);
  }
}

}  // namespace exploration
