#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "KeyboardTest.h"
#include "common/CommonState.h"
#include "common/Notation.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "support/ErrorNumber.h"
#include "support/SqlFixture.h"

namespace keyboardtest {
namespace {

using testsupport::ErrorNumber;

TEST_F(KeyboardTest, ReedColourTableAgreesWithTheContentTable) {
  auto rs = shell::DatabaseA.OpenRecordset("Reed Colors", dao::dbOpenTable);
  int rows = 0;
  for (; !rs.Eof(); rs.MoveNext(), ++rows) {
    const int16_t reed = rs.Fields("Reed Number").ToInt();
    EXPECT_EQ(sound::ReedColorType[reed], rs.Fields("Color Code").ToInt()) << "reed " << reed;
  }
  EXPECT_EQ(rows, 40);
  EXPECT_EQ(sound::ReedColorType[11], sound::kWhiteReed);  // C
  EXPECT_EQ(sound::ReedColorType[12], sound::kBlackReed);  // C#
  EXPECT_EQ(sound::ReedColorType[41], 0);
}

struct TonicCase {
  int16_t tonic;
  int16_t first, last;
  const char* firstCaption;
  const char* lastCaption;
};
void PrintTo(const TonicCase& c, std::ostream* os) { *os << "tonic " << c.tonic; }

class KeyboardTonicTest : public KeyboardTest, public ::testing::WithParamInterface<TonicCase> {};

TEST_P(KeyboardTonicTest, DrawsTheTonicsReedsAsAHarmoniumKeyboard) {
  const TonicCase c = GetParam();
  Draw(c.tonic);
  EXPECT_EQ(sound::FirstReed, c.first);
  EXPECT_EQ(sound::LastReed, c.last);
  EXPECT_EQ(sound::ReedNoteOffset, 3 - c.tonic);

  // Only the tonic's range is shown.
  for (int16_t r = 1; r <= 40; ++r) {
    const bool inRange = r >= c.first && r <= c.last;
    EXPECT_EQ(Reed(r).Visible(), inRange) << "reed " << r;
    EXPECT_EQ(Label(r).Visible(), inRange) << "label " << r;
  }
  EXPECT_EQ(Label(c.first).Caption(), c.firstCaption);
  EXPECT_EQ(Label(c.last).Caption(), c.lastCaption);
  const int16_t sa = static_cast<int16_t>(c.tonic + 9);
  EXPECT_EQ(Label(sa).Caption(), "S");
  // White on the black reed of a black-key tonic, navy on a white reed, where white would not show.
  const bool blackSa = sound::ReedColorType[sa] == sound::kBlackReed;
  EXPECT_EQ(blackSa, c.tonic == 3 || c.tonic == 12);
  EXPECT_EQ(Label(sa).ForeColor(), blackSa ? sound::kSaCaptionColour : sound::kSaCaptionOnWhiteColour);
  EXPECT_EQ(Label(static_cast<int16_t>(sa + 1)).ForeColor(), sound::kCaptionColour);

  // White reeds side by side across the base line, sharing their one-pixel border.
  const auto whites = DrawnReeds(sound::kWhiteReed);
  const auto& line = form->Get<forms::Line>("cLine1");
  const int16_t width = vb::CInt((line.X2() - line.X1()) / static_cast<double>(whites.size()));
  EXPECT_DOUBLE_EQ(Reed(whites.front()).Left(), 30);
  for (size_t i = 0; i < whites.size(); ++i) {
    const auto& reed = Reed(whites[i]);
    EXPECT_DOUBLE_EQ(reed.Top(), line.Y1());
    EXPECT_DOUBLE_EQ(reed.Width(), width);
    EXPECT_DOUBLE_EQ(reed.Height(), 2250);  // a quarter of the saved height
    EXPECT_EQ(reed.BackColor(), sound::kWhiteReedColour);
    if (i > 0) {
      EXPECT_DOUBLE_EQ(reed.Left(), Reed(whites[i - 1]).Left() + width - 15);
    }
    EXPECT_GE(Label(whites[i]).Left(), reed.Left());
    EXPECT_LE(Label(whites[i]).Left() + Label(whites[i]).Width(), reed.Left() + reed.Width());
  }
  EXPECT_LE(Reed(whites.back()).Left() + width, line.X2());

  // Black reeds shorter and narrower, centred over the join with the next white reed.
  const int16_t blackWidth = vb::CInt(width / 1.5);
  for (const int16_t r : DrawnReeds(sound::kBlackReed)) {
    const auto& reed = Reed(r);
    EXPECT_DOUBLE_EQ(reed.Width(), blackWidth) << "reed " << r;
    EXPECT_DOUBLE_EQ(reed.Height(), 1636);  // the saved height / 5.5
    EXPECT_DOUBLE_EQ(reed.Left() + blackWidth / 2.0, Reed(static_cast<int16_t>(r + 1)).Left());
    EXPECT_EQ(reed.BackColor(), sound::kBlackReedColour);
    EXPECT_EQ(Label(r).BackColor(), sound::kBlackReedColour);
    EXPECT_LE(Label(r).Top() + Label(r).Height(), reed.Top() + reed.Height());
  }
}

INSTANTIATE_TEST_SUITE_P(Tonics, KeyboardTonicTest,
                         ::testing::Values(TonicCase{1, 3, 30, "m<", "d>"}, TonicCase{3, 4, 32, "G<", "d>"},
                                           TonicCase{12, 13, 40, "G<", "P>"}),
                         [](const auto& info) { return "Tonic" + std::to_string(info.param.tonic); });

TEST_F(KeyboardTest, CaptionsFollowTheNotationScript) {
  struct Script {
    int16_t script;
    const char* font;
    double size;
  };
  for (const Script s : {Script{1, "Shusha", 16}, Script{2, "Times New Roman", 12}}) {
    Draw(1, s.script);
    for (int16_t r = sound::FirstReed; r <= sound::LastReed; ++r) {
      const std::string& name = s.script == 1 ? common::DevnagariNotes[r + 2] : common::EnglishNotes[r + 2];
      EXPECT_EQ(Label(r).Caption(), name) << "script " << s.script << " reed " << r;
      EXPECT_EQ(Label(r).FontName(), s.font);
      EXPECT_DOUBLE_EQ(Label(r).FontSize(), s.size);
      EXPECT_TRUE(Label(r).FontBold());
    }
    EXPECT_EQ(Label(10).ForeColor(), sound::kSaCaptionOnWhiteColour);
  }
  // Another script value leaves the captions as they were.
  shell::NotationScript = 0;
  sound::sUpdateReedLabelsAlt(*form);
  EXPECT_EQ(Label(10).Caption(), "S");
  EXPECT_EQ(Label(10).FontName(), "Times New Roman");
}

TEST_F(KeyboardTest, ADrawingThatMustNotShowLeavesHiddenReedsHidden) {
  Draw(3);
  sound::sHideKeyboard(*form);
  sound::CurrTonicNoteId = 12;
  sound::sDisplayKeyboardAlt(*form, 2);
  EXPECT_EQ(sound::FirstReed, 13);
  EXPECT_FALSE(Reed(13).Visible());
  EXPECT_FALSE(Label(40).Visible());
  EXPECT_EQ(Label(21).Caption(), "S");
  EXPECT_TRUE(form->Ctl("cLine1").Visible());
}

TEST_F(KeyboardTest, TheWindowWidthSizesTheReedsButNotTheirHeight) {
  Draw(3);
  const double wide = Reed(4).Width();
  const double tall = Reed(4).Height();
  form->SetWidth(18000);
  form->SetHeight(13500);
  Draw(3);
  EXPECT_GT(Reed(4).Width(), wide);
  EXPECT_DOUBLE_EQ(Reed(4).Height(), tall);
  EXPECT_LE(Reed(32).Left() + Reed(32).Width(), form->ScaleWidth());
}

TEST_F(KeyboardTest, ShowingTheKeyboardHidesTheNotationBoxButOnTheWorkbenchAndScaleShifting) {
  for (const int16_t code : {12, 3, 11, 1, 8, 13}) {
    form->Ctl("cNotes").SetVisible(true);
    sound::CallbackCode = code;
    sound::sKeyBoardDisplayOn(*form, 1);
    const bool keeps = code == 1 || code == 8 || code == 13;
    EXPECT_EQ(form->Ctl("cNotes").Visible(), keeps) << "call-back code " << code;
  }
}

TEST_F(KeyboardTest, TheKeyboardSettingShowsOrHidesTheKeyboard) {
  sound::KeyboardDisplay = 1;
  sound::sImplementCurrKBDisplayMode();
  EXPECT_TRUE(Reed(4).Visible());
  Label(12).SetBackColor(sound::kCurrentNoteColour);

  sound::KeyboardDisplay = 3;  // no such setting: nothing changes
  sound::sImplementCurrKBDisplayMode();
  EXPECT_TRUE(Reed(4).Visible());

  sound::KeyboardDisplay = 2;
  sound::sImplementCurrKBDisplayMode();
  for (int16_t r = 1; r <= 40; ++r) {
    EXPECT_FALSE(Reed(r).Visible());
    EXPECT_FALSE(Label(r).Visible());
  }
  EXPECT_FALSE(form->Ctl("cLine1").Visible());
  EXPECT_EQ(Label(12).BackColor(), sound::kBlackReedColour);  // the mark is gone

  shell::CurrForm = nullptr;
  EXPECT_EQ(ErrorNumber([] { sound::sImplementCurrKBDisplayMode(); }), 91);
}

TEST_F(KeyboardTest, LoadingTheReedsTwiceKeepsTheFirstOnes) {
  Draw(3);
  sound::sLoadKBReedsAndLabels(*form);
  EXPECT_TRUE(Reed(4).Visible());
  EXPECT_EQ(form->Elements("cR").size(), 41u);
}

TEST_F(KeyboardTest, ATonicOutsideTheKeysIsRefused) {
  sound::CurrTonicNoteId = 13;
  EXPECT_EQ(ErrorNumber([this] { sound::sDisplayKeyboardAlt(*form, 1); }), 9);
}

TEST_F(KeyboardTest, AReedTableWithoutWhiteReedsDrawsNothingAndIsPassedOver) {
  shell::DatabaseA.Close();
  testsupport::MakeContentFixture(Path("damaged.kzy"), R"sql(INSERT INTO "Reed Colors" VALUES (5, 2), (7, 2);)sql");
  shell::DatabaseA = dao::Database::OpenDatabase(Path("damaged.kzy"), true, true, "MS ACCESS;PWD=x");
  EXPECT_EQ(ErrorNumber([this] { Draw(3); }), 0);
  EXPECT_FALSE(Reed(5).Visible());
  EXPECT_FALSE(Lines("ignoerr.txt").empty());  // the division by zero, passed over
}

TEST_F(KeyboardTest, TonicNamesAndTheScaleLine) {
  const char* names[] = {"",           "White-7 (B)", "White-1 (C)", "Black-1 (C#)", "White-2 (D)",
                         "Black-2 (D#)", "White-3 (E)", "White-4 (F)", "Black-3 (F#)", "White-5 (G)",
                         "Black-4 (G#)", "White-6 (A)", "Black-5 (A#)", ""};
  for (int16_t key = 0; key <= 13; ++key) EXPECT_EQ(sound::fGetTonicNoteName(key), names[key]) << key;
  EXPECT_EQ(sound::fGetTonicNoteName(-1), "");

  sound::CurrTonicNoteId = 3;
  sound::CurrMusicSetId = 3;
  EXPECT_EQ(sound::fGetScaleInfo(), "Using KZ Scale with Black-1 (C#) As 'sA' (Tonic Note)");
  sound::CurrTonicNoteId = 9;
  sound::CurrMusicSetId = 13;
  sound::CurrMusicSetName = "Evening";
  EXPECT_EQ(sound::fGetScaleInfo(), "Using User-defined scale 'Evening' with White-5 (G) as nominal 'sA' (Tonic Note)");
  sound::CurrMusicSetId = 3;
  sound::CurrMusicSetName.clear();
}

}  // namespace
}  // namespace keyboardtest
