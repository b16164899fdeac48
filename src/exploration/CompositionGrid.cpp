// The composition player's grid: one row per cycle of the tala and one column per
// beat, each beat a syllable cell (cMatra) over a note cell (cNote); a header row of
// beat numbers (cBeat) and the row numbers (cRow). Cell k is row k / beats + 1, beat
// k mod beats + 1.
#include <algorithm>
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

// A note cell in the note colour, its caption readable on it.
void ShowAsNoteCell(forms::Label& cell) {
  cell.SetBackColor(sound::kOtherCellColour);
  cell.SetForeColor(forms::TextColourOn(sound::kOtherCellColour));
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

namespace {

// The grid's room: from under the composition's text down to the frames, the speed
// labels and the slider below it, which no cell ever covers.
double GridBottom(forms::Form& form) {
  double bottom = form.ScaleHeight();
  for (const char* name : {"Frame1", "Frame2", "Label10", "cSlider", "Label11", "cPlay"})
    bottom = std::min(bottom, form.Ctl(name).Top());
  return bottom - 60;
}

// Places the grid for the form's present size: the cells take their sizes from the
// width and height (as element 0 of each array did when the grid was built), shrink
// to the height of their text when the rows would not fit, and when even then they do
// not, the rows that fit are shown, from GridTopRow, which moves so that the current
// cell's row is always among them.
void PlaceGrid(forms::Form& form) {
  const double W = fLayoutWidth(form);
  const double H = fLayoutHeight(form);
  const int16_t beats = GridBeatCount;
  const int16_t rows = sound::CompCycleCount;
  if (beats < 1 || rows < 1) return;
  forms::Control& row0 = form.Ctl("cRow", 0);
  const double x0 = W / 100 + row0.Width();
  const double header = Step30(W * 0.025);
  // Every beat of a row fits across the form.
  const double cellWidth = std::min(Step30(W * 0.045), Step30((W - x0 - W / 100) / beats - 30));
  forms::Control& beat0 = form.Ctl("cBeat", 0);
  forms::Control& matra0 = form.Ctl("cMatra", 0);
  forms::Control& note0 = form.Ctl("cNote", 0);
  // A note cell is taller than a syllable cell: the notation fonts (bold 12 and 16
  // points) do not fit into 3% of the height.
  double cellHeight = Step30(H * 0.03);
  double noteHeight = Step30(H * 0.045);
  const forms::Control& text = form.Ctl("cComposition");
  const double top = text.Top() + text.Height() + 150;
  const double room = GridBottom(form) - top - header;
  if (rows * (cellHeight + noteHeight + 60) - 60 > room) {
    // The least a cell may take: its text's height.
    const double leastCell = std::min(cellHeight, std::ceil(matra0.LineHeight() / 15) * 15 + 15);
    const double leastNote = std::min(noteHeight, std::ceil(note0.LineHeight() / 15) * 15 + 15);
    const double scale = (room + 60) / rows / (cellHeight + noteHeight + 60);
    cellHeight = std::max(leastCell, Step30(cellHeight * scale));
    noteHeight = std::max(leastNote, Step30(noteHeight * scale));
  }
  const double pitch = cellHeight + noteHeight + 60;
  const auto inView = static_cast<int16_t>(std::clamp((room + 60) / pitch, 1.0, static_cast<double>(rows)));
  const auto currentRow = static_cast<int16_t>(std::clamp<int32_t>(GridCurrentCell / beats, 0, rows - 1));
  if (currentRow < GridTopRow) GridTopRow = currentRow;
  if (currentRow >= GridTopRow + inView) GridTopRow = static_cast<int16_t>(currentRow - inView + 1);
  GridTopRow = std::clamp<int16_t>(GridTopRow, 0, static_cast<int16_t>(rows - inView));

  beat0.SetWidth(header);
  beat0.SetHeight(header);
  for (int16_t i = 0; i < beats; ++i)
    form.Ctl("cBeat", i).Move(x0 + i * (cellWidth + 30), top, header, header);
  double y = top + header;
  for (int16_t r = 0; r < rows; ++r) {
    const bool shown = r >= GridTopRow && r < GridTopRow + inView;
    forms::Control& row = form.Ctl("cRow", r);
    row.SetVisible(shown);
    if (shown) row.Move(W / 100, y, row0.Width(), cellHeight + noteHeight);
    for (int16_t b = 0; b < beats; ++b) {
      const auto k = static_cast<int16_t>(r * beats + b);
      forms::Control& matra = form.Ctl("cMatra", k);
      forms::Control& note = form.Ctl("cNote", k);
      matra.SetVisible(shown);
      note.SetVisible(shown);
      if (!shown) continue;
      const double left = x0 + b * (cellWidth + 30);
      matra.Move(left, y, cellWidth, cellHeight);
      note.Move(left, y + cellHeight, cellWidth, noteHeight);
    }
    if (shown) y += pitch;
  }
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
  GridTopRow = 0;
  GridCurrentCell = 0;

  forms::Control& beat0 = form.Ctl("cBeat", 0);
  beat0.SetCaption("1");
  beat0.SetVisible(true);
  for (int16_t i = 1; i < GridBeatCount; ++i) {
    forms::Control& b = Element(form, "cBeat", i);
    b.SetCaption(vb::Str(i + 1));
    b.SetVisible(true);
  }
  int32_t first = 0;  // the row's first cell
  for (int16_t r = 1; r <= sound::CompCycleCount; ++r, first += GridBeatCount) {
    Element(form, "cRow", static_cast<int16_t>(r - 1)).SetCaption(std::to_string(r));
    for (int32_t k = first; k < first + GridBeatCount; ++k) {
      const auto index = static_cast<int16_t>(k);
      Element(form, "cMatra", index);
      common::sAdjustFont(Element(form, "cNote", index));
    }
  }
  // Every layout of the form places the grid again at its new size.
  form.Arrange("grid", [&form] { PlaceGrid(form); });
}

void sMarkGridCell(forms::Form& form, int32_t cell, int32_t previous, int32_t cellCount) {
  auto note = [&form, cellCount](int32_t k) -> forms::Label* {
    if (k < 0 || k >= cellCount || k > INT16_MAX || !form.HasElement("cNote", static_cast<int16_t>(k))) return nullptr;
    return &form.Get<forms::Label>("cNote", static_cast<int16_t>(k));
  };
  if (forms::Label* before = note(previous)) ShowAsNoteCell(*before);
  forms::Label* current = note(cell);
  if (current == nullptr) return;
  // It stands out against the cells beside it and the syllable cell above it.
  std::vector<forms::Colour> around{sound::kOtherCellColour};
  for (int32_t k : {cell - 1, cell + 1})
    if (forms::Label* beside = note(k)) around.push_back(beside->BackColor());
  if (form.HasElement("cMatra", static_cast<int16_t>(cell)))
    around.push_back(form.Ctl("cMatra", static_cast<int16_t>(cell)).BackColor());
  const forms::Colour mark = forms::StandingOut(sound::kCurrentCellColour, around, 3.0);
  current->SetBackColor(mark);
  current->SetForeColor(forms::TextColourOn(mark));
  // The grid keeps the beat being heard in view: out of view, the rows move on.
  if (GridBeatCount < 1 || !form.Arranges("grid")) return;
  GridCurrentCell = cell;
  const int32_t row = cell / GridBeatCount;
  const auto index = static_cast<int16_t>(std::min<int32_t>(row, INT16_MAX));
  if (row < GridTopRow || !form.HasElement("cRow", index) || !form.Ctl("cRow", index).Visible()) PlaceGrid(form);
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
    if (forms::Label* cell = Cell(form, "cNote", k)) ShowAsNoteCell(*cell);
  }
}

void sSetCompNotationSlotsToDefaultColor() {
  common::ProcTrace t("sSetCompNotationSlotsToDefaultColor");
  forms::Form* form = shell::FormPlayComposition1;
  if (form == nullptr || !form->Loaded()) return;
  const int32_t cells = static_cast<int32_t>(sound::CompCycleCount) * sound::CompBeatCount;
  for (int32_t k = 0; k < cells && k <= INT16_MAX; ++k) {
    const auto index = static_cast<int16_t>(k);
    if (form->HasElement("cNote", index)) ShowAsNoteCell(form->Get<forms::Label>("cNote", index));
  }
}

}  // namespace exploration
