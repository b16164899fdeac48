#include <gtest/gtest.h>

#include <map>
#include <string>

#include "KeyboardTest.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "support/ErrorNumber.h"

namespace keyboardtest {
namespace {

using Colours = std::map<int16_t, forms::Colour>;  // reed -> label BackColor expected

constexpr forms::Colour kRed = sound::kCurrentNoteColour;
constexpr forms::Colour kLightRed = sound::kGraceNoteColour;
constexpr forms::Colour kWhite = sound::kWhiteReedColour;
constexpr forms::Colour kBlack = sound::kBlackReedColour;

class LightingTest : public KeyboardTest {
 protected:
  // The keyboard of a tonic with every label at its key colour, drawn or not.
  void Keyboard(int16_t tonic) {
    Draw(tonic);
    sound::sSetAllReedLabelColorToDefault(*form);
  }
  // Plays the record note by note as the progress handler does and gives, after each
  // step, the label colour of every reed that is not at its key colour.
  std::vector<Colours> Play(PhraseRecord& rec, bool graceNotes) {
    std::vector<Colours> steps;
    for (rec.CurrNote = 1; rec.CurrNote <= rec.NoteCount + 1; ++rec.CurrNote) {
      if (graceNotes) {
        sound::sPlayReeds1Alt(rec);
      } else {
        sound::sPlayReedsAlt(rec);
      }
      steps.push_back(Marked());
    }
    return steps;
  }
  Colours Marked() {
    Colours marked;
    for (int16_t r = 1; r <= 40; ++r) {
      const forms::Colour key = sound::ReedColorType[r] == sound::kWhiteReed ? kWhite : kBlack;
      if (Label(r).BackColor() != key) marked[r] = Label(r).BackColor();
    }
    return marked;
  }
};

TEST_F(LightingTest, EachNoteLightsItsReedAndTheNoteBeforeGoesBack) {
  Keyboard(3);  // reed = note code
  PhraseRecord rec = MakeRecord("S R'G D<'S N>");
  const std::vector<Colours> expected = {
      {{12, kRed}},
      {{16, kRed}, {14, kLightRed}},  // a glide: the note it lands on, and its grace note
      {{12, kRed}, {9, kLightRed}},   // a grace note of a code below 10 is lit too
      {{35, kRed}},
      {},  // past the last note: only the last one is put back
  };
  EXPECT_EQ(Play(rec, true), expected);
}

TEST_F(LightingTest, WithoutGraceNotesAGlideLightsOnlyTheNoteItLandsOn) {
  Keyboard(3);
  PhraseRecord rec = MakeRecord("S R'G P");
  const std::vector<Colours> expected = {{{12, kRed}}, {{16, kRed}}, {{19, kRed}}, {}};
  EXPECT_EQ(Play(rec, false), expected);
}

TEST_F(LightingTest, NotesOffTheKeyboardLightNothingAndRaiseNothing) {
  Keyboard(12);  // note code c lights reed c + 9: upper notes past reed 40
  PhraseRecord high = MakeRecord("n>'N> S P> N>");
  const std::vector<Colours> expectedHigh = {{}, {{21, kRed}}, {{40, kRed}}, {}, {}};
  EXPECT_EQ(Play(high, true), expectedHigh);

  Keyboard(1);  // note code c lights reed c - 2: the lowest notes fall below reed 1
  PhraseRecord low = MakeRecord("S< R< r<'G< S");  // reeds -2, 0, -1 into 2, and 10
  const std::vector<Colours> expectedLow = {{}, {}, {{2, kRed}}, {{10, kRed}}, {}};
  EXPECT_EQ(Play(low, true), expectedLow);
}

TEST_F(LightingTest, AllLabelsGoBackToTheirKeyColours) {
  Keyboard(3);
  for (int16_t r = 0; r <= 40; ++r) Label(r).SetBackColor(r % 2 == 0 ? kRed : kLightRed);
  sound::sSetAllReedLabelColorToDefault(*form);
  EXPECT_EQ(Marked(), Colours{});
  EXPECT_EQ(Label(0).BackColor(), kBlack);  // reed 0 is a black key
}

TEST_F(LightingTest, ResettingOneNotePutsBackItsMainAndGraceReeds) {
  Keyboard(3);
  Label(14).SetBackColor(kLightRed);
  Label(16).SetBackColor(kRed);
  Label(19).SetBackColor(kRed);
  sound::sSetReedLabelColorToDefault(common::PhraseNote{14, 16});
  EXPECT_EQ(Marked(), (Colours{{19, kRed}}));
}

TEST_F(LightingTest, TextMarksOfTheWorkbench) {
  Keyboard(12);
  PhraseRecord rec = MakeRecord("S R'G N>");  // reeds 21, 25 and none
  for (rec.CurrNote = 1; rec.CurrNote <= rec.NoteCount; ++rec.CurrNote) sound::sToggleCurrKBNote(2, *form, rec);
  EXPECT_EQ(Label(21).ForeColor(), sound::kMarkedTextColour);
  EXPECT_EQ(Label(25).ForeColor(), sound::kMarkedTextColour);
  EXPECT_NE(Label(23).ForeColor(), sound::kMarkedTextColour);  // the grace note's text stays

  sound::sUnMarkCurrentReeds(*form, rec);
  EXPECT_EQ(rec.CurrNote, rec.NoteCount);
  EXPECT_EQ(Label(21).ForeColor(), sound::kUnmarkedTextColour);
  EXPECT_EQ(Label(25).ForeColor(), sound::kUnmarkedTextColour);

  // Every label's mark is cleared, up to the highest reed.
  for (int16_t r = 1; r <= 40; ++r) Label(r).SetForeColor(sound::kMarkedTextColour);
  sound::sUnMarkAllReeds(*form);
  for (int16_t r = 1; r <= 40; ++r) EXPECT_EQ(Label(r).ForeColor(), sound::kUnmarkedTextColour) << r;
}

TEST_F(LightingTest, TheCompositionGridMarksTheCurrentCell) {
  // A cell marked as the beat being heard stands out from the note cells by 3:1 at least.
  auto marked = [this](int16_t k) {
    return forms::ContrastRatio(form->Ctl("cNote", k).BackColor(), sound::kOtherCellColour) >= 3.0;
  };
  auto cellColours = [&marked] {
    std::string s;
    for (int16_t k = 0; k < kGridCells; ++k) s += marked(k) ? 'X' : '.';
    return s;
  };
  PhraseRecord part;
  part.StartMatra = 3;  // the first note falls on the third beat
  part.CurrNote = 1;
  sound::sPlayCurrBol1Alt(part, kGridCells);
  EXPECT_EQ(cellColours(), "..X.............");
  part.CurrNote = 2;
  sound::sPlayCurrBol1Alt(part, kGridCells);
  EXPECT_EQ(cellColours(), "...X............");
  EXPECT_EQ(form->Ctl("cNote", 2).BackColor(), sound::kOtherCellColour);
  part.CurrNote = 15;  // its cell would lie past the grid
  sound::sPlayCurrBol1Alt(part, kGridCells);
  part.CurrNote = 16;
  sound::sPlayCurrBol1Alt(part, kGridCells);
  EXPECT_TRUE(marked(3));  // untouched since note 2

  PhraseRecord whole;  // starting on beat 1, the last beat lights the last cell
  whole.CurrNote = kGridCells;
  sound::sPlayCurrBol1Alt(whole, kGridCells);
  EXPECT_TRUE(marked(kGridCells - 1));
  EXPECT_EQ(form->Ctl("cNote", kGridCells - 2).BackColor(), sound::kOtherCellColour);
}

TEST_F(LightingTest, LightingNeedsACurrentForm) {
  shell::CurrForm = nullptr;
  PhraseRecord rec = MakeRecord("S");
  EXPECT_EQ(testsupport::ErrorNumber([&] { sound::sPlayReedsAlt(rec); }), 91);
}

}  // namespace
}  // namespace keyboardtest
