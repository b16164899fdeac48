// The exploration screens whole at every size a learner gives their window, the
// composition player's grid for a long composition (fitted, scrolled with the beat,
// the beat standing out), a resize while it plays, and the raga grid and the item
// list from the keyboard alone.
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMainWindow>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PlayerTest.h"
#include "platform/forms/Colour.h"
#include "support/LayoutChecks.h"

namespace explorationtest {
namespace {

using testsupport::FaultsAtEverySize;
using testsupport::LayoutFaults;

// A learner's composition of 80 matras in Teentaal: five full cycles of one syllable
// and one note a beat (and so six rows), with a short antara.
std::string LongComposition() {
  std::string syllables, notes, ones;
  const char* const scale[] = {"S", "R", "G", "M", "P", "D", "N", "S>"};
  for (int k = 0; k < 80; ++k) {
    const std::string sep = k == 0 ? "" : " ";
    syllables += sep + "ta";
    notes += sep + scale[k % 8];
    ones += sep + "1";
  }
  return "INSERT INTO \"Raga - Additional Information\" VALUES (1, 'Eighty Matras', 2, 3);\n"
         "INSERT INTO \"Raga - Composition Notations\" VALUES\n"
         "  (3, 1, 1, 'Eighty', 1, 2, 'Five cycles', '" + syllables + "', '" + ones + "', '" + notes + "', '" + ones +
         "', 1, 1, 50),\n"
         "  (3, 2, 1, 'Eighty', 1, 2, 'Short', 'la', '4', 'P', '4', 1, 1, 50);\n";
}

void Key(QWidget* widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
  testsupport::SettleLayout();
}

class ScreenLayoutTest : public PlayerTest {
 protected:
  // PlayerTest's screens, with the long composition among the user's.
  void SetUp() override {
    SetUpDatabases(Content::Fixture);
    AddRows(ScaleSetRows(5, 5) + kGridCompositions, std::string(kUserComposition) + LongComposition());
    SetUpPlaying();
    shell::DelayPC = 10;
    sound::Theka = 2;
    OpenGrid();
    ClickRaga("Yaman");
    ASSERT_EQ(shell::CurrFormId, 28);
  }

  void PlayToTheEnd() {
    const int before = Ends();
    PlayFor(std::chrono::seconds(90), [&] { return Player().Mode() != mci::mciModePlay && Ends() > before; });
    ASSERT_EQ(Ends(), before + 1);
  }

  void OpenLong(const char* mode = "Option2") {
    Open("Eighty Matras", mode, "cUserIllusList");
    ASSERT_EQ(shell::CurrFormId, 14);
    ASSERT_EQ(sound::CompCycleCount, 6);
  }

  // Where the grid must stay: above the frames, the slider and the buttons.
  int GridFloor() {
    int floor = Screen().Surface()->height();
    for (const char* name : {"Frame1", "Frame2", "cSlider", "Label10", "cPlay"})
      floor = std::min(floor, Ctl(name).Widget()->geometry().top());
    return floor;
  }
  // The faults of the grid as shown: a visible cell below the grid's floor or outside the
  // window; the lit cell (`lit`, -1 none) not in view.
  std::string GridFaults(int lit) {
    std::string faults;
    const int floor = GridFloor();
    for (int16_t k : Screen().Elements("cNote")) {
      for (const char* array : {"cMatra", "cNote"}) {
        forms::Control& cell = Cell(array, k);
        if (!cell.Visible()) continue;
        if (cell.Widget()->geometry().bottom() >= floor) faults += std::string(" ") + array + std::to_string(k) + " low;";
      }
    }
    if (lit >= 0 && !Cell("cNote", lit).Visible()) faults += " the lit cell " + std::to_string(lit) + " is out of view;";
    return faults;
  }
};

// Each exploration screen, in each of its states, at every size: everything inside the
// window, in order, on top of nothing, every caption whole.
TEST_F(ScreenLayoutTest, EveryScreenIsWholeAtEverySize) {
  auto illustration = [this]() -> forms::Form& { return Illustration(); };
  auto player = [this]() -> forms::Form& { return Screen(); };
  EXPECT_EQ(testsupport::FaultsAtEveryStage({
                {"illustration, demo mode", [] {}, illustration},
                {"illustration, learning mode",
                 [this] { Illustration().Get<forms::OptionButton>("Option2").Select(); }, illustration},
                {"illustration, practice mode",
                 [this] { Illustration().Get<forms::OptionButton>("Option3").Select(); }, illustration},
                {"player, learning mode", [this] { OpenEriAali(); }, player},
                {"player, practice mode", [this] { Select("cPractice"); }, player},
                {"player, antara", [this] { Select("cAntara"); }, player},
                {"player of 80 matras",
                 [this] {
                   Press("cReturn");
                   OpenLong();
                 },
                 player},
                {"raga grid",
                 [this] {
                   Press("cReturn");
                   PressOn(Illustration(), "cReturn");
                 },
                 [this]() -> forms::Form& { return Front(); }},
            }),
            std::vector<std::string>{});
  EXPECT_FALSE(common::ProgramHalted());
  EXPECT_TRUE(messages.empty());
}

// 80 matras in Teentaal at the smallest window: the rows shrink to their text, then
// scroll; while the asthai plays the lit cell is always in view and no cell ever lies
// over a frame or a button; the beat stands out against the cells around it.
TEST_F(ScreenLayoutTest, ALongCompositionPlaysWithItsBeatAlwaysInView) {
  OpenLong();
  testsupport::ResizeAsLearner(Screen(), testsupport::LearnerSizes().front());
  EXPECT_EQ(LayoutFaults(Screen()), std::vector<std::string>{});
  EXPECT_EQ(GridFaults(-1), "");
  EXPECT_TRUE(Cell("cNote", 0).Visible()) << "the grid shows its start";
  EXPECT_FALSE(Cell("cNote", 80).Visible()) << "six rows do not fit at 800x600: the last is out of view";

  std::string faults;
  std::vector<int> litCells;
  double leastContrast = 21;
  const auto watching = QObject::connect(&Player(), &mci::MMControl::StatusUpdate, &Player(), [&] {
    const std::vector<int> lit = Lit();
    if (lit.size() != 1) return;
    if (litCells.empty() || litCells.back() != lit[0]) litCells.push_back(lit[0]);
    faults += GridFaults(lit[0]);
    const forms::Colour mark = Cell("cNote", lit[0]).BackColor();
    std::vector<forms::Colour> around{Cell("cMatra", lit[0]).BackColor()};
    for (int k : {lit[0] - 1, lit[0] + 1})
      if (k >= 0 && k < 96) around.push_back(Cell("cNote", k).BackColor());
    for (forms::Colour c : around) leastContrast = std::min(leastContrast, forms::ContrastRatio(mark, c));
  });
  Press("cPlay");
  PlayToTheEnd();
  QObject::disconnect(watching);
  EXPECT_EQ(faults, "");
  ASSERT_EQ(litCells.size(), 80u) << "every beat lit once";
  EXPECT_EQ(litCells.back(), 79);
  EXPECT_GE(leastContrast, 3.0);
  EXPECT_TRUE(AllCellsDefault());
  EXPECT_EQ(LayoutFaults(Screen()), std::vector<std::string>{});
}

// The window resized and maximised while the part plays: the grid is laid out at once
// at each size, the lit cell in view and in its place (its row and column).
TEST_F(ScreenLayoutTest, AResizeWhilePlayingKeepsTheGridWhole) {
  OpenLong();
  Press("cPlay");
  size_t next = 0;
  std::string faults;
  PlayFor(std::chrono::seconds(60), [&] {
    if (next >= testsupport::LearnerSizes().size()) return true;
    const std::vector<int> lit = Lit();
    if (lit.empty() || lit[0] < static_cast<int>(12 + 14 * next)) return false;
    testsupport::ResizeAsLearner(Screen(), testsupport::LearnerSizes()[next++]);
    for (const std::string& f : LayoutFaults(Screen())) faults += f + "; ";
    const std::vector<int> now = Lit();
    if (now.size() != 1) return false;
    faults += GridFaults(now[0]);
    // In its place: the column of its beat and the row of its cycle.
    const int k = now[0];
    if (Cell("cNote", k).Left() != Cell("cNote", k % 16).Left()) faults += " cell " + std::to_string(k) + " off its beat;";
    if (Cell("cNote", k).Top() != Cell("cMatra", k).Top() + Cell("cMatra", k).Height())
      faults += " cell " + std::to_string(k) + " off its syllable;";
    return false;
  });
  EXPECT_EQ(next, testsupport::LearnerSizes().size()) << "every size was reached while playing";
  EXPECT_EQ(faults, "");
  Press("cStop");
  PlayFor(std::chrono::seconds(2));
  EXPECT_TRUE(Idle());
}

// The illustration screen's item list from the keyboard: the arrow keys move through
// the items and play nothing; Enter plays the item reached, Space the same; Tab goes on.
TEST_F(ScreenLayoutTest, TheItemListIsWalkedWithTheArrowKeysAndPlayedWithEnter) {
  auto& list = Illustration().Get<forms::ListControl>("cKZIllusList");
  auto* view = static_cast<QListWidget*>(list.Widget());
  Illustration().Window()->activateWindow();
  view->setFocus(Qt::TabFocusReason);
  testsupport::SettleLayout();
  ASSERT_EQ(list.ListIndex(), -1) << "the focus alone chooses nothing";
  mci::MMControl& illustrationPlayer = *shell::MMControlOf(Illustration(), "cMM");
  for (int i = 0; i < 3; ++i) Key(view, Qt::Key_Down);
  EXPECT_EQ(view->currentRow(), 2) << "the highlight moved";
  EXPECT_EQ(list.ListIndex(), -1) << "moving is not choosing";
  EXPECT_NE(illustrationPlayer.Mode(), mci::mciModePlay);
  EXPECT_TRUE(list.TakesInput()) << "the list is not locked";
  Key(view, Qt::Key_Up);
  EXPECT_EQ(view->currentRow(), 1);
  Key(view, Qt::Key_Return);
  EXPECT_EQ(illustrationPlayer.Mode(), mci::mciModePlay) << "Enter plays the item reached";
  PlayFor(std::chrono::seconds(120), [&] { return list.TakesInput(); });
  ASSERT_TRUE(list.TakesInput());
  view->setFocus(Qt::TabFocusReason);
  Key(view, Qt::Key_Down);
  Key(view, Qt::Key_Space);
  EXPECT_EQ(illustrationPlayer.Mode(), mci::mciModePlay) << "Space plays too";
}

// The raga grid from the keyboard: Tab leaves the grid (and its heading) for the next
// control, so Go Back is reached without a mouse; Enter on Go Back leaves.
TEST_F(ScreenLayoutTest, TabLeavesTheRagaGridForTheNextControl) {
  PressOn(Illustration(), "cReturn");
  ASSERT_EQ(shell::CurrFormId, 9);
  QMainWindow* window = Front().Window();
  window->activateWindow();
  for (const char* grid : {"cRagaListT", "cRagaList"}) {
    SCOPED_TRACE(grid);
    QWidget* view = Front().Ctl(grid).Widget();
    view->setFocus(Qt::MouseFocusReason);
    testsupport::SettleLayout();
    ASSERT_EQ(window->focusWidget(), view);
    Key(view, Qt::Key_Tab);
    EXPECT_NE(window->focusWidget(), view) << "Tab moved on";
    EXPECT_NE(window->focusWidget(), nullptr);
  }
  // Tabbing on from the grid reaches Go Back, and a key press on it leaves.
  QWidget* back = Front().Ctl("cReturn").Widget();
  Front().Ctl("cRagaList").Widget()->setFocus(Qt::MouseFocusReason);
  for (int i = 0; i < 10 && window->focusWidget() != back; ++i) Key(window->focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(window->focusWidget(), back);
  Key(back, Qt::Key_Space);
  EXPECT_EQ(shell::CurrFormId, 1);
}

}  // namespace
}  // namespace explorationtest
