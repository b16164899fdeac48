// The raga grid: its order in every sort mode, the header and menu sorting, and the
// click that opens the illustration screen.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ExplorationTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "exploration/RagaSelection.h"
#include "exploration/Screens.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/LayoutChecks.h"

namespace explorationtest {
namespace {

using Names = std::vector<std::string>;

const char* const kSortItems[] = {"cMnuRag", "cMnuTha", "cMnuJat", "cMnuVad", "cMnuSam", "cMnuAppTim"};

class RagaGridTest : public ExplorationTest {
 protected:
  void SetUp() override { SetUpDatabases(Content::Built); }

  forms::Grid& Grid() { return shell::FormRagaSelection1->Get<forms::Grid>("cRagaList"); }
  forms::Grid& Header() { return shell::FormRagaSelection1->Get<forms::Grid>("cRagaListT"); }
  bool Checked(const char* item) { return shell::FormRagaSelection1->Get<forms::MenuItem>(item).Checked(); }
};

TEST_F(RagaGridTest, OpensOverTheMainFormWithEveryRagaAndItsHeaders) {
  OpenGrid();
  EXPECT_EQ(shell::CurrFormId, 9);
  EXPECT_EQ(shell::ParentFormId[8], 1);
  EXPECT_EQ(Grid().Rows(), 70);
  EXPECT_EQ(Front().Ctl("Label1").Caption(), "70 Ragas in Groups 1, 2 and 3");
  EXPECT_EQ(Front().Ctl("cPrompts").Text(), common::fGetPrompts("2"));
  EXPECT_FALSE(Front().Ctl("cPrompts").Text().empty());
  const Names headers = {"Raga", "Thata", "Vadi", "Samvadi", "Jati", "Time"};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(Header().TextMatrix(0, c), headers[c]);
  // The raga rows continue the header row.
  EXPECT_EQ(Grid().Left(), Header().Left());
  EXPECT_EQ(Grid().Top(), Header().Top() + Header().RowHeight(0));
  // Bhupali: Kalyan thata, vadi G, samvadi D.
  for (int32_t r = 0; r < Grid().Rows(); ++r) {
    if (Grid().TextMatrix(r, 0) != "Bhupali") continue;
    EXPECT_EQ(Grid().TextMatrix(r, 1), "Kalyan");
    EXPECT_EQ(Grid().TextMatrix(r, 2), "G");
    EXPECT_EQ(Grid().TextMatrix(r, 3), "D");
  }
}

// The first rows of the built content in each sort mode: by the sort column (vadi and
// samvadi by their note numbers; an empty thata first), then by name.
TEST_F(RagaGridTest, EachSortModeOrdersTheRowsByItsColumnThenByName) {
  struct Case {
    int16_t mode;
    Names first;
  };
  const Case cases[] = {
      {0, {"Abhogi", "Adana", "Ahir Bhairav", "Alhaiya Bilawal"}},
      {1, {"Chandrakauns", "Charukeshi", "Kirwani", "Adana"}},
      {2, {"Abhogi", "Bairagi", "Bhinna Shadja", "Bhupali"}},
      {3, {"Adana", "Basant", "Megh", "Paraj"}},
      {4, {"Abhogi", "Ahir Bhairav", "Bageshree", "Bairagi"}},
      {5, {"Adana", "Bageshree", "Bhinna Shadja", "Chandrakauns"}},
  };
  OpenGrid();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    shell::SortingMode = c.mode;
    SelectRaga(2);
    EXPECT_EQ(FirstGridNames(4), c.first);
    EXPECT_EQ(Grid().Rows(), 70);
    EXPECT_EQ(Grid().Row(), 0);
    EXPECT_EQ(Grid().Col(), 0);
    for (int16_t m = 0; m < 6; ++m) EXPECT_EQ(Checked(kSortItems[m]), m == c.mode) << kSortItems[m];
  }
  // Ragas without a thata show an empty cell.
  shell::SortingMode = 1;
  SelectRaga(2);
  EXPECT_EQ(Grid().TextMatrix(0, 1), "");
  EXPECT_EQ(Grid().TextMatrix(3, 1), "Asavari");
}

TEST_F(RagaGridTest, HeaderClicksSelectTheirColumnsSortMode) {
  const int16_t modeOfColumn[] = {0, 1, 3, 4, 2, 5};
  OpenGrid();
  for (int32_t column = 5; column >= 0; --column) {
    SCOPED_TRACE(column);
    Header().SetCol(column);
    Header().RaiseFromUser(forms::Event::Click);
    EXPECT_EQ(shell::SortingMode, modeOfColumn[column]);
    EXPECT_TRUE(Checked(kSortItems[modeOfColumn[column]]));
  }
  EXPECT_EQ(exploration::fSortModeOfColumn(6), -1);
  EXPECT_EQ(exploration::fSortModeOfColumn(-1), -1);
}

TEST_F(RagaGridTest, SortMenuItemsReorderTheGridAndTheOrderStaysForTheNextOpening) {
  OpenGrid();
  shell::FormRagaSelection1->Ctl("cMnuJat").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(shell::SortingMode, 2);
  EXPECT_EQ(FirstGridNames(2), (Names{"Abhogi", "Bairagi"}));
  EXPECT_TRUE(Checked("cMnuJat"));
  shell::FormRagaSelection1->Ctl("cReturn").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_FALSE(shell::FormRagaSelection1->Loaded());
  OpenGrid();
  EXPECT_EQ(FirstGridNames(2), (Names{"Abhogi", "Bairagi"}));
  EXPECT_TRUE(Checked("cMnuJat"));
}

TEST_F(RagaGridTest, AClickOrDoubleClickOnARagaOpensItsIllustrationScreen) {
  for (const forms::Event event : {forms::Event::Click, forms::Event::DblClick}) {
    OpenGrid();
    ClickRaga("Bhupali", event);
    EXPECT_EQ(shell::CurrFormId, 28);
    EXPECT_EQ(shell::ParentFormId[27], 9);
    EXPECT_EQ(common::CurrRagaName, "Bhupali");
    EXPECT_EQ(common::CurrRagaIndex, 2);
    EXPECT_EQ(Front().Ctl("cRaga").Text(), "Bhupali");
    EXPECT_TRUE(messages.empty());
    // Leaving the illustration screen shows the grid as it was.
    Front().Ctl("cReturn").RaiseFromUser(forms::Event::Click);
    EXPECT_EQ(shell::CurrFormId, 9);
    EXPECT_EQ(Grid().Rows(), 70);
    Front().Ctl("cReturn").RaiseFromUser(forms::Event::Click);
    EXPECT_EQ(shell::CurrFormId, 1);
  }
}

// Minimised, the grid keeps the normal width; a width not known yet falls back to the form's.
TEST_F(RagaGridTest, ColumnWidthsAreNeverZero) {
  struct Case {
    int16_t state;
    float normalWidth;
    float maxWidth;
  };
  for (const Case& c : {Case{0, 10000, 0}, Case{2, 10000, 15000}, Case{1, 10000, 0}, Case{1, 0, 0}}) {
    SCOPED_TRACE(c.state);
    shell::FormState = 0;
    OpenGrid();
    shell::FormState = c.state;
    shell::FormW = c.normalWidth;
    shell::MaxFormW = c.maxWidth;
    SelectRaga(2);
    const double width = exploration::fLayoutWidth(*shell::FormRagaSelection1);
    EXPECT_GT(width, 0);
    if (c.normalWidth > 0) {
      EXPECT_EQ(width, c.state == 2 ? c.maxWidth : c.normalWidth);
    }
    EXPECT_EQ(Grid().ColWidth(0), static_cast<int32_t>(0.24 * width));
    EXPECT_GT(Grid().ColWidth(2), 0);
    shell::FormW = 12000;
    shell::FormState = 0;
    SelectRaga(20);
  }
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void Press(QWidget* widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  Settle();
}

constexpr double kPixel = 15.0;  // twips per pixel in the tests
const QSize kSizes[] = {{800, 600}, {1000, 700}, {1600, 1000}};

std::string SizeText(const QSize& size) { return std::to_string(size.width()) + "x" + std::to_string(size.height()); }

// The grid, then the illustration screen, at the sizes a user gives them: each is laid
// out again after a resize alone, with everything inside the window and nothing on top
// of another; the grid's headings keep a height their text fits, under every column.
TEST_F(RagaGridTest, EachScreenKeepsItsLayoutAtEverySizeFrom800x600Up) {
  OpenGrid();
  for (const QSize& size : kSizes) {
    SCOPED_TRACE(SizeText(size));
    Front().Window()->resize(size);
    Settle();
    EXPECT_EQ(shell::ResizePending, 0);
    EXPECT_NEAR(shell::FormW, size.width() * kPixel, kPixel);
    EXPECT_EQ(testsupport::LayoutFaults(Front()), std::vector<std::string>{});
    auto* heading = static_cast<QTableWidget*>(Header().Widget());
    EXPECT_GE(heading->rowHeight(0), QFontMetrics(heading->font()).height() + 4);
    EXPECT_GE(heading->viewport()->height(), heading->rowHeight(0));
    for (int c = 0; c < 6; ++c) {
      // The middle of each heading cell is that cell: a click there sorts by its column.
      const int x = heading->columnViewportPosition(c) + heading->columnWidth(c) / 2;
      EXPECT_EQ(heading->columnAt(x), c);
      EXPECT_LT(x, heading->viewport()->width());
    }
    EXPECT_EQ(heading->rowAt(heading->rowHeight(0) / 2), 0);
    EXPECT_EQ(Grid().Top(), Header().Top() + Header().RowHeight(0)) << "the raga rows continue the heading";
    EXPECT_NEAR(Grid().ColWidth(0), 0.24 * shell::FormW, kPixel);
  }

  ClickRaga("Bhupali");
  ASSERT_EQ(shell::CurrFormId, 28);
  for (const QSize& size : kSizes) {
    SCOPED_TRACE(SizeText(size));
    Front().Window()->resize(size);
    Settle();
    EXPECT_EQ(testsupport::LayoutFaults(Front()), std::vector<std::string>{});
    // The keyboard is drawn again at the new size, above the prompt line.
    const QRect surface = Front().Surface()->rect();
    const int prompts = Front().Ctl("cPrompts").Widget()->geometry().top();
    for (int16_t r = 1; r <= 40; ++r) {
      if (!Front().HasElement("cR", r) || !Front().Ctl("cR", r).Visible()) continue;
      const QRect reed = Front().Ctl("cR", r).Widget()->geometry();
      EXPECT_TRUE(surface.adjusted(-1, -1, 1, 1).contains(reed)) << "reed " << r;
      EXPECT_LE(reed.bottom(), prompts + 1) << "reed " << r;
    }
  }
}

// Go Back after a resize: the grid comes back at the size the illustration screen had,
// laid out for it.
TEST_F(RagaGridTest, GoBackAfterAResizeKeepsTheSize) {
  OpenGrid();
  ClickRaga("Yaman");
  Front().Window()->resize(1000, 700);
  Settle();
  Front().Ctl("cReturn").RaiseFromUser(forms::Event::Click);
  Settle();
  ASSERT_EQ(shell::CurrFormId, 9);
  EXPECT_EQ(Front().Window()->size(), QSize(1000, 700));
  EXPECT_EQ(testsupport::LayoutFaults(Front()), std::vector<std::string>{});
  EXPECT_NEAR(Grid().ColWidth(0), 0.24 * 1000 * kPixel, kPixel);
}

// The heading of the sort column stands out, whichever way the order was chosen, and a
// new order is shown from its top.
TEST_F(RagaGridTest, TheSortColumnIsMarkedAndANewOrderStartsAtTheTop) {
  OpenGrid();
  auto marked = [this] {
    std::vector<int32_t> columns;
    for (int32_t c = 0; c < 6; ++c) {
      Header().SetCol(c);
      if (Header().CellFontBold()) columns.push_back(c);
    }
    return columns;
  };
  EXPECT_EQ(marked(), std::vector<int32_t>{0});
  Settle();
  struct Step {
    std::function<void()> sort;
    std::vector<int32_t> marked;
  };
  const Step steps[] = {
      {[this] {
         Header().SetCol(4);  // "Jati"
         Header().RaiseFromUser(forms::Event::Click);
       },
       {4}},
      {[this] { shell::FormRagaSelection1->Ctl("cMnuTha").RaiseFromUser(forms::Event::Click); }, {1}},
      {[this] {
         Header().SetCol(2);  // "Vadi"
         Header().RaiseFromUser(forms::Event::Click);
       },
       {2}},
  };
  for (const Step& step : steps) {
    Grid().SetTopRow(40);
    Settle();
    ASSERT_GT(Grid().TopRow(), 0);
    step.sort();
    Settle();
    EXPECT_EQ(marked(), step.marked);
    EXPECT_EQ(Grid().TopRow(), 0);
    EXPECT_EQ(Grid().Row(), 0);
  }
}

// From the keyboard: the arrow keys move through the ragas and Enter opens the one
// chosen, as a click does.
TEST_F(RagaGridTest, EnterOnARowOpensItsRagaAsAClickDoes) {
  OpenGrid();
  const std::string third = FirstGridNames(3)[2];
  QWidget* list = Grid().Widget();
  Press(list, Qt::Key_Down);
  Press(list, Qt::Key_Down);
  EXPECT_EQ(Grid().Row(), 2);
  EXPECT_EQ(shell::CurrFormId, 9) << "moving is not choosing";
  Press(list, Qt::Key_Return);
  EXPECT_EQ(shell::CurrFormId, 28);
  EXPECT_EQ(common::CurrRagaName, third);
  EXPECT_EQ(Front().Ctl("cRaga").Text(), third);
}

// A raga whose tables cannot be set up is not opened: the message says why.
class RagaSetUpFailureTest : public ExplorationTest {
 protected:
  void SetUp() override { SetUpDatabases(Content::Fixture); }
};

TEST_F(RagaSetUpFailureTest, ADamagedRagaRowIsReportedAndTheScreenDoesNotOpen) {
  OpenGrid();
  ClickRaga("Damaged");
  EXPECT_EQ(shell::CurrFormId, 9);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("\"Damaged\" cannot be set up"), std::string::npos) << messages[0].prompt;
  EXPECT_EQ(common::ReportedErrorCount, 0);
}

TEST_F(RagaSetUpFailureTest, NoteSeedsThatCannotBePreparedKeepTheGridInFront) {
  sound::CurrDroneType = 1;  // Yaman's drone type is 3: its seeds are prepared again
  soundLib.failWhen = [](const testsupport::SoundLibCall& call) { return call.entry == "FWavLoadInstrNoteSeeds"; };
  OpenGrid();
  ClickRaga("Yaman");
  EXPECT_EQ(shell::CurrFormId, 9);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, "Error in setting up for current Raga");
  // Once the seeds load, the same click opens the screen.
  soundLib.failWhen = {};
  messages.clear();
  ClickRaga("Yaman");
  EXPECT_EQ(shell::CurrFormId, 28);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace explorationtest
