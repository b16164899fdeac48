// Screens opening over their parents and leaving back to them, the shared geometry,
// resize routing and the background pictures, on a started program.
#include <QMainWindow>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "platform/vb/Files.h"
#include "shell/FormLayout.h"
#include "shell/Navigation.h"
#include "shell/ScreenForms.h"
#include "support/LayoutChecks.h"

namespace shelltest {
namespace {

forms::Form* FormOf(int16_t id) {
  switch (id) {
    case 1: return shell::FormVelmora;
    case 3: return shell::FormReviewRagas;
    case 7: return shell::FormScaleShifting;
    case 9: return shell::FormRagaSelection1;
    case 13: return shell::FormWorkshop;
    case 14: return shell::FormPlayComposition1;
    case 15: return shell::FormRagaInfoSummary;
    case 20: return shell::FormQuiz;
    case 22: return shell::FormKZSampler;
    case 27: return shell::FormComposer;
    case 28: return shell::FormMainOperations;
    default: return nullptr;
  }
}

// One pixel is 15 twips at the logical DPI of the tests.
constexpr double kPixel = 15.0;

void ExpectAtSharedGeometry(forms::Form& form) {
  const shell::ClientRect r = shell::ClientGeometry(form);
  EXPECT_NEAR(r.Left, shell::FormL, kPixel) << form.Name();
  EXPECT_NEAR(r.Top, shell::FormT, kPixel) << form.Name();
  EXPECT_NEAR(r.Width, shell::FormW, kPixel) << form.Name();
  EXPECT_NEAR(r.Height, shell::FormH, kPixel) << form.Name();
}

class NavigationTest : public ShellRunTest {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    shell::CommandLineText = "1";
    ASSERT_TRUE(Start());
    ASSERT_EQ(shell::CurrFormId, 1);
  }

  void Open(int16_t id) {
    common::RunEvent([id] { shell::OpenScreenForm(id); });
    Settle();
  }

  void Leave(int16_t levels = 1) {
    common::RunEvent([levels] {
      int16_t n = levels;
      shell::sStructuredTermination(n);
    });
    Settle();
  }

  std::string IgnoredErrors() const {
    if (!vb::FileExists(Data("ignoerr.txt"))) return "";
    std::string all;
    for (const auto& line : vb::ReadLines(Data("ignoerr.txt"))) all += line + "\n";
    return all;
  }
};

TEST_F(NavigationTest, EveryChainOpensOverItsParentAndLeavesBackToIt) {
  const std::vector<std::vector<int16_t>> chains = {{9, 28, 14}, {20, 28}, {3, 15}, {3}, {7}, {13}, {15}, {22}, {27}};
  for (const auto& chain : chains) {
    std::vector<int16_t> path{1};
    for (int16_t id : chain) {
      Open(id);
      ASSERT_FALSE(common::ProgramHalted());
      EXPECT_EQ(shell::CurrFormId, id);
      EXPECT_EQ(shell::ParentFormId[id - 1], path.back());
      EXPECT_EQ(shell::CurrForm, FormOf(id));
      EXPECT_TRUE(FormOf(id)->Visible());
      EXPECT_FALSE(FormOf(path.back())->Visible()) << "the parent is hidden";
      EXPECT_EQ(shell::ResizePending, 0) << "the program's own layout is no user resize";
      ExpectAtSharedGeometry(*FormOf(id));
      path.push_back(id);
    }
    while (path.size() > 1) {
      const int16_t leaving = path.back();
      path.pop_back();
      sound::CallbackCode = -1;
      Leave();
      EXPECT_EQ(shell::CurrFormId, path.back());
      EXPECT_EQ(shell::CurrForm, FormOf(path.back()));
      EXPECT_FALSE(FormOf(leaving)->Loaded()) << "the form left is unloaded";
      EXPECT_TRUE(FormOf(path.back())->Visible());
      EXPECT_EQ(sound::CallbackCode, path.back() == 28 ? 12 : -1);
      EXPECT_EQ(shell::TerminatingForm, 0);
    }
    EXPECT_EQ(shell::CurrFormId, 1);
  }
}

TEST_F(NavigationTest, TheGeometryOfTheScreenLeftBecomesTheSharedOne) {
  Open(9);
  FormOf(9)->Window()->setGeometry(100, 80, 900, 650);
  Settle();
  Leave();
  EXPECT_EQ(shell::FormState, 0);
  EXPECT_NEAR(shell::FormL, 100 * kPixel, kPixel);
  EXPECT_NEAR(shell::FormT, 80 * kPixel, kPixel);
  EXPECT_NEAR(shell::FormW, 900 * kPixel, kPixel);
  EXPECT_NEAR(shell::FormH, 650 * kPixel, kPixel);
  Open(20);
  ExpectAtSharedGeometry(*FormOf(20));
}

TEST_F(NavigationTest, AWindowOpenedAndLeftManyTimesKeepsItsSize) {
  const float width = shell::FormW, height = shell::FormH;
  for (int i = 0; i < 5; ++i) {
    Open(13);
    Leave();
  }
  EXPECT_NEAR(shell::FormW, width, kPixel);
  EXPECT_NEAR(shell::FormH, height, kPixel);
}

TEST_F(NavigationTest, ClosingAScreensWindowGoesBackAsItsReturnDoes) {
  Open(9);
  Open(28);
  FormOf(28)->CloseFromUser();
  Settle();
  EXPECT_EQ(shell::CurrFormId, 9);
  EXPECT_FALSE(FormOf(28)->Loaded());
  EXPECT_TRUE(FormOf(9)->Visible());
  EXPECT_EQ(shell::TerminatingForm, 0);
  FormOf(9)->CloseFromUser();
  Settle();
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_TRUE(Main().Visible());
  EXPECT_FALSE(common::ProgramHalted());
}

TEST_F(NavigationTest, StructuredTerminationLeavesAsManyLevelsAsAsked) {
  Open(9);
  Open(28);
  Open(14);
  Leave(0);
  EXPECT_EQ(shell::CurrFormId, 14) << "no level for 0";
  Leave(2);
  EXPECT_EQ(shell::CurrFormId, 9);
  EXPECT_FALSE(FormOf(14)->Loaded());
  EXPECT_FALSE(FormOf(28)->Loaded());
  EXPECT_EQ(sound::CallbackCode, 12) << "set on the way through the illustration screen";
  Leave(1);
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(shell::TerminatingForm, 0);
}

TEST_F(NavigationTest, AScreenOpenedAgainRecordsItsNewParent) {
  Open(9);
  Open(28);
  Leave(2);
  Open(20);
  Open(28);
  EXPECT_EQ(shell::ParentFormId[28 - 1], 20);
  Leave();
  EXPECT_EQ(shell::CurrFormId, 20);
}

TEST_F(NavigationTest, AMaximisedScreenLeftKeepsTheLastNormalGeometry) {
  const float l = shell::FormL, w = shell::FormW;
  Open(9);
  FormOf(9)->SetWindowState(forms::vbMaximized);
  Settle();
  Leave();
  EXPECT_EQ(shell::FormState, 2);
  EXPECT_EQ(shell::FormL, l);
  EXPECT_EQ(shell::FormW, w);
  Open(20);
  EXPECT_EQ(FormOf(20)->WindowState(), forms::vbMaximized) << "the next screen opens maximised";
}

TEST_F(NavigationTest, AMinimisedStateIsLaidOutLikeTheNormalOne) {
  shell::FormState = forms::vbMinimized;
  Open(9);
  EXPECT_EQ(FormOf(9)->WindowState(), forms::vbNormal);
  ExpectAtSharedGeometry(*FormOf(9));
  EXPECT_GT(FormOf(9)->Ctl("cReturn").Width(), 0);
  EXPECT_GT(FormOf(9)->Ctl("cReturn").Height(), 0);
}

// Every screen, whether or not it routes its own resize, is laid out again as soon as
// its window is resized, and the size reached is the shared geometry.
TEST_F(NavigationTest, EveryScreenIsLaidOutAgainAsSoonAsItsWindowIsResized) {
  for (const int16_t id : {9, 14, 28, 22, 27}) {
    Open(id);
    forms::Form& form = *FormOf(id);
    const double before = form.Ctl("cReturn").Left();
    form.Window()->resize(form.Window()->width() * 3 / 2, form.Window()->height() * 3 / 2);
    Settle();
    EXPECT_EQ(shell::ResizePending, 0) << id;
    EXPECT_NEAR(form.Ctl("cReturn").Left(), before * 3 / 2, 2 * kPixel) << id;
    ExpectAtSharedGeometry(form);
    const double after = form.Ctl("cReturn").Left();
    form.RaiseFromUser(forms::Event::Click);
    Settle();
    EXPECT_EQ(form.Ctl("cReturn").Left(), after) << "a click has nothing left to do";
    Leave();
  }
}

// The main menu at the sizes a user gives it: laid out at once after a resize alone,
// everything inside the window and nothing on top of another.
TEST_F(NavigationTest, TheMainMenuKeepsItsLayoutAtEverySizeFrom800x600Up) {
  for (const QSize size : {QSize(800, 600), QSize(1000, 700), QSize(1600, 1000)}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    Main().Window()->resize(size);
    Settle();
    EXPECT_EQ(testsupport::LayoutFaults(Main()), std::vector<std::string>{});
    EXPECT_NEAR(shell::FormW, size.width() * kPixel, kPixel);
    EXPECT_NEAR(shell::FormH, size.height() * kPixel, kPixel);
  }
}

// The main menu and every screen as it opens, at every size a learner gives the window:
// inside it, in order, on top of nothing, every caption whole.
TEST_F(NavigationTest, EveryScreenIsWholeAtEverySizeAsItOpens) {
  EXPECT_EQ(testsupport::FaultsAtEverySize(Main()), std::vector<std::string>{});
  for (const int16_t id : {9, 28, 20, 3, 15, 13, 7, 22, 27}) {
    SCOPED_TRACE(id);
    Open(id);
    EXPECT_EQ(testsupport::FaultsAtEverySize(*FormOf(id)), std::vector<std::string>{});
    Leave();
  }
}

// 800x600 is the smallest window: a drag below it stops there, and a smaller size saved
// by an earlier run opens at it.
TEST_F(NavigationTest, NoWindowIsSmallerThan800x600) {
  Main().Window()->resize(640, 480);
  Settle();
  EXPECT_EQ(Main().Window()->size(), QSize(800, 600));
  EXPECT_NEAR(shell::FormW, 800 * kPixel, kPixel);
  shell::FormW = 500 * kPixel;
  shell::FormH = 300 * kPixel;
  Open(9);
  EXPECT_EQ(FormOf(9)->Window()->size(), QSize(800, 600));
  EXPECT_NEAR(shell::FormW, 800 * kPixel, kPixel);
  EXPECT_NEAR(shell::FormH, 600 * kPixel, kPixel);
  EXPECT_EQ(testsupport::LayoutFaults(*FormOf(9)), std::vector<std::string>{});
}

// Go Back after a resize: the parent comes back at the size reached, laid out for it.
TEST_F(NavigationTest, GoBackAfterAResizeKeepsTheSize) {
  Open(9);
  Open(28);
  FormOf(28)->Window()->resize(1000, 700);
  Settle();
  Leave();
  ASSERT_EQ(shell::CurrFormId, 9);
  EXPECT_EQ(FormOf(9)->Window()->size(), QSize(1000, 700));
  EXPECT_NEAR(FormOf(9)->Ctl("cReturn").Left(), 9900.0 / 12000 * 1000 * kPixel, kPixel);
  Leave();
  EXPECT_EQ(Main().Window()->size(), QSize(1000, 700));
  EXPECT_NEAR(Main().Ctl("cExit").Left(), 10000.0 / 12000 * 1000 * kPixel, kPixel);
}

TEST_F(NavigationTest, AMissingBackgroundPictureIsRecordedAndShownAsNone) {
  shell::PictureNumber = 5;  // the scratch installation holds only pictures 3 and 6
  Open(9);
  EXPECT_FALSE(common::ProgramHalted());
  EXPECT_EQ(shell::CurrFormId, 9);
  EXPECT_TRUE(FormOf(9)->Visible());
  EXPECT_EQ(FormOf(9)->Picture(), "");
  EXPECT_NE(IgnoredErrors().find("kz5.jpg"), std::string::npos) << IgnoredErrors();
  EXPECT_GE(shell::PictureNumber, 1);
  EXPECT_LE(shell::PictureNumber, 8);
}

TEST_F(NavigationTest, EachShowingGetsThePictureDrawnAtTheShowingBefore) {
  shell::PictureNumber = 3;
  Open(9);
  EXPECT_EQ(FormOf(9)->Picture(), Share("kz3.jpg"));
  EXPECT_EQ(shell::PictureFile, Share("kz3.jpg"));
}

TEST_F(NavigationTest, AnIdWithoutAFormLeavesTheFormInFront) {
  forms::Form* before = shell::CurrForm;
  shell::CurrFormId = 5;
  shell::sSetCurrFormById();
  EXPECT_EQ(shell::CurrForm, before);
  shell::CurrFormId = 0;
  EXPECT_THROW(shell::sRevertToParentForm(), vb::VbError) << "an id outside 1 to 28 is a program error";
  shell::CurrFormId = 1;
}

}  // namespace
}  // namespace shelltest
