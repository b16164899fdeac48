// What a screen places itself kept with its form and placed again at every layout; the
// window's smallest size; one-line boxes showing their start; lists, grids and the labels
// that take a click from the keyboard; colours that stand out.
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTableWidget>

#include <algorithm>

#include <gtest/gtest.h>

#include "FormsTest.h"
#include "platform/forms/Colour.h"
#include "platform/forms/Control.h"
#include "platform/forms/Layout.h"

namespace {

using formstest::FormsTest;
using formstest::Seen;

// A row of run-time reeds from element 0, as a screen lays it out: each one element 0's
// width right of the one before.
void PlaceReeds(forms::Form& form, int16_t count) {
  const forms::Control& first = form.Ctl("cR", 0);
  for (int16_t i = 1; i <= count; ++i)
    form.Ctl("cR", i).Move(first.Left() + i * first.Width(), first.Top(), first.Width(), first.Height());
}

TEST_F(FormsTest, AKeptStepPlacesRunTimeElementsAgainAtEveryLayout) {
  const auto rows = forms::LayoutRows(form->Spec());
  forms::ApplyLayout(*form, rows, 12000, 9000);
  for (int16_t i = 1; i <= 3; ++i) form->LoadElement("cR", i);
  int runs = 0;
  form->Arrange("reeds", [&] {
    ++runs;
    PlaceReeds(*form, 3);
  });
  EXPECT_EQ(runs, 1) << "placed at once";
  EXPECT_DOUBLE_EQ(form->Ctl("cR", 3).Left(), 600 + 3 * 300);

  forms::ApplyLayout(*form, rows, 24000, 18000);  // twice the size
  EXPECT_EQ(runs, 2);
  EXPECT_DOUBLE_EQ(form->Ctl("cR", 0).Left(), 1200);
  EXPECT_DOUBLE_EQ(form->Ctl("cR", 3).Left(), 1200 + 3 * 600) << "from element 0 at its new place";
  EXPECT_DOUBLE_EQ(form->Ctl("cR", 3).Height(), 3000);

  // Kept again under its key: replaced, not added.
  form->Arrange("reeds", [&] {
    ++runs;
    PlaceReeds(*form, 2);
  });
  forms::ApplyLayout(*form, rows, 12000, 9000);
  EXPECT_EQ(runs, 4);
}

TEST_F(FormsTest, KeptStepsRunInTheOrderTheyWereLastKept) {
  const auto rows = forms::LayoutRows(form->Spec());
  forms::ApplyLayout(*form, rows, 12000, 9000);
  std::vector<std::string> order;
  auto& label = form->Ctl("Label1");
  form->Arrange("a", [&] {
    order.push_back("a");
    label.SetTop(100);
  });
  form->Arrange("b", [&] {
    order.push_back("b");
    label.SetTop(200);
  });
  form->Arrange("a", [&] {
    order.push_back("a");
    label.SetTop(100);
  });
  order.clear();
  forms::ApplyLayout(*form, rows, 12000, 9000);
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a"}));
  EXPECT_DOUBLE_EQ(label.Top(), 100) << "the step kept last places last";
}

TEST_F(FormsTest, AForgottenStepLeavesItsMembersAtTheirRowPlaces) {
  const auto rows = forms::LayoutRows(form->Spec());
  forms::ApplyLayout(*form, rows, 12000, 9000);
  form->Arrange("moved", [&] { form->Ctl("cPlay").SetLeft(5000); });
  EXPECT_DOUBLE_EQ(form->Ctl("cPlay").Left(), 5000);
  EXPECT_TRUE(form->Arranges("moved"));
  form->Unarrange("moved");
  EXPECT_FALSE(form->Arranges("moved"));
  EXPECT_DOUBLE_EQ(form->Ctl("cPlay").Left(), 240) << "back where its row puts it";
  // A step that arranges while the kept steps run keeps nothing more: each layout runs
  // the same steps.
  int runs = 0;
  form->Arrange("outer", [&] {
    ++runs;
    form->Arrange("inner", [&] { ++runs; });
  });
  for (int layout = 0; layout < 2; ++layout) {
    const int before = runs;
    forms::ApplyLayout(*form, rows, 12000, 9000);
    EXPECT_EQ(runs - before, 3) << "outer, the inner step it runs, and inner as kept";
  }
  // Unloading forgets every step.
  form->Unload();
  formstest::Settle();
  form->Load();
  EXPECT_FALSE(form->Arranges("outer"));
}

TEST_F(FormsTest, TheWindowTakesNoSizeBelow800x600) {
  form->Show();
  QMainWindow* w = form->Window();
  w->resize(500, 400);
  formstest::Settle();
  EXPECT_GE(w->width(), 800);
  EXPECT_GE(w->height(), 600);
  EXPECT_DOUBLE_EQ(form->MinimumWidth(), forms::PixelsToTwips(800));
  EXPECT_DOUBLE_EQ(form->MinimumHeight(), forms::PixelsToTwips(600));
  // A form designed smaller than that takes its own design size as its least.
  forms::FormSpec small("Small", "Small", 98, {0, 0, 6000, 4500});
  forms::Form dialog(small);
  EXPECT_DOUBLE_EQ(dialog.MinimumWidth(), 6000);
  EXPECT_DOUBLE_EQ(dialog.MinimumHeight(), 4500);
}

TEST_F(FormsTest, AOneLineBoxShowsTheStartOfWhatTheProgramPutsInIt) {
  form->Show();
  auto& box = form->Get<forms::TextBox>("cCurrentItem");
  auto* edit = static_cast<QLineEdit*>(box.Widget());
  for (const std::string text : {std::string("S R G"), std::string(300, 'N')}) {
    box.SetText(text);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(edit->cursorPosition(), 0) << "the start is in view, not the end";
    EXPECT_EQ(edit->text().toStdString(), text);
  }
}

void Key(QWidget* w, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

TEST_F(FormsTest, ArrowKeysMoveThroughAListAndEnterSpaceOrAClickChoose) {
  form->Show();
  auto& list = form->Get<forms::ListControl>("cRagaList");
  list.Clear();
  for (const char* line : {"Yaman", "Bhairav", "Bageshri", "Malkauns"}) list.AddItem(line);
  auto* view = static_cast<QListWidget*>(list.Widget());
  view->setFocus();
  Seen.clear();
  Key(view, Qt::Key_Down);
  Key(view, Qt::Key_Down);
  Key(view, Qt::Key_End);
  Key(view, Qt::Key_Up);
  EXPECT_EQ(view->currentRow(), 2);
  EXPECT_EQ(list.ListIndex(), -1) << "moving is not choosing";
  EXPECT_TRUE(Seen.empty());
  Key(view, Qt::Key_Return);
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(Seen, std::vector<std::string>{"cRagaList:Click"});
  Key(view, Qt::Key_Space);
  EXPECT_EQ(Seen.size(), 2u) << "Space chooses the line again";
  // A click on the line the keys reached chooses it.
  Key(view, Qt::Key_Up);
  EXPECT_EQ(list.ListIndex(), 2);
  const QPoint at = view->visualItemRect(view->item(1)).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(view->viewport(), &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(view->viewport(), &release);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(Seen.size(), 3u);
  // A click on another line, and the program's own choice, act at once.
  view->setCurrentRow(3);
  EXPECT_EQ(list.ListIndex(), 3);
  list.SetListIndex(0);
  EXPECT_EQ(Seen.size(), 5u);
}

// A label that takes a click takes the keyboard too: Tab stops at it, Space and Enter
// click it, an arrow key moves to the nearest such label beside it. One that takes no
// click takes no focus, and a busy form's labels take no key. A locked text box that
// takes a click is clicked by Space and Enter too.
TEST_F(FormsTest, WhatIsClickedRatherThanTypedTakesTheKeyboard) {
  form->Show();
  // Two rows of three: 0 1 2 over 3 4 5.
  for (int16_t i = 1; i <= 5; ++i) form->LoadElement("cL", i);
  for (int16_t i = 0; i <= 5; ++i) {
    form->Ctl("cL", i).Move(600 + (i % 3) * 400, 6000 + (i / 3) * 400, 300, 300);
    form->Ctl("cL", i).SetVisible(true);
  }
  const auto widget = [&](int16_t i) { return form->Ctl("cL", i).Widget(); };
  const auto focused = [&] { return widget(0)->window()->focusWidget(); };
  EXPECT_EQ(widget(0)->focusPolicy(), Qt::TabFocus);
  EXPECT_EQ(form->Ctl("Picture1").Widget()->focusPolicy(), Qt::NoFocus) << "no click, no focus";

  widget(0)->setFocus();
  Seen.clear();
  Key(widget(0), Qt::Key_Space);
  Key(widget(0), Qt::Key_Return);
  EXPECT_EQ(Seen, (std::vector<std::string>{"cL:Click[0]", "cL:Click[0]"}));
  struct Step {
    Qt::Key key;
    int16_t reached;
  };
  for (const Step& step : {Step{Qt::Key_Right, 1}, Step{Qt::Key_Down, 4}, Step{Qt::Key_Right, 5},
                           Step{Qt::Key_Right, 5}, Step{Qt::Key_Left, 4}, Step{Qt::Key_Left, 3},
                           Step{Qt::Key_Up, 0}}) {
    Key(focused(), step.key);
    EXPECT_EQ(focused(), widget(step.reached)) << "key " << step.key << " to " << step.reached;
  }
  Key(focused(), Qt::Key_Up);
  EXPECT_EQ(focused(), form->Ctl("Label1").Widget()) << "the label above, which takes a click too";
  Key(focused(), Qt::Key_Up);
  EXPECT_EQ(focused(), form->Ctl("Label1").Widget()) << "nothing above it";
  // A hidden one is passed over.
  form->Ctl("cL", 1).SetVisible(false);
  Key(widget(0), Qt::Key_Right);
  EXPECT_EQ(focused(), widget(2));
  Key(widget(2), Qt::Key_Space);
  EXPECT_EQ(Seen.back(), "cL:Click[2]");

  // Its click taken away, the label takes no focus.
  form->Ctl("cL", 5).SetHandler(forms::Event::Click, {});
  EXPECT_EQ(widget(5)->focusPolicy(), Qt::NoFocus);

  // Busy, the label is disabled and a key on it clicks nothing.
  Seen.clear();
  form->SetBusy(true);
  EXPECT_FALSE(widget(3)->isEnabled());
  Key(widget(3), Qt::Key_Space);
  EXPECT_TRUE(Seen.empty());
  form->SetBusy(false);
  Key(widget(3), Qt::Key_Space);
  EXPECT_EQ(Seen, std::vector<std::string>{"cL:Click[3]"});

  // A locked text box that takes a click is clicked by Space or Enter; one the learner
  // types in takes the key as text.
  Seen.clear();
  form->Ctl("cPrompts").On(forms::Event::Click, [] { Seen.push_back("cPrompts:Click"); });
  form->Ctl("cCurrentItem").On(forms::Event::Click, [] { Seen.push_back("cCurrentItem:Click"); });
  Key(form->Ctl("cPrompts").Widget(), Qt::Key_Return);
  Key(form->Ctl("cPrompts").Widget(), Qt::Key_Space);
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QCoreApplication::sendEvent(form->Ctl("cCurrentItem").Widget(), &space);
  EXPECT_EQ(Seen, (std::vector<std::string>{"cPrompts:Click", "cPrompts:Click", "cCurrentItem:Change"}));
}

TEST_F(FormsTest, TabLeavesAGrid) {
  form->Show();
  auto* table = static_cast<QTableWidget*>(form->Ctl("cRagaListT").Widget());
  EXPECT_FALSE(table->tabKeyNavigation());
}

TEST(Colour, ContrastFollowsRelativeLuminance) {
  EXPECT_NEAR(forms::ContrastRatio(forms::RGB(0, 0, 0), forms::RGB(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(forms::ContrastRatio(forms::RGB(255, 0, 0), forms::RGB(255, 0, 0)), 1.0, 1e-9);
  EXPECT_NEAR(forms::RelativeLuminance(forms::RGB(255, 0, 0)), 0.2126, 1e-4);
  // Plain red on salmon cells is hard to follow.
  EXPECT_LT(forms::ContrastRatio(forms::RGB(255, 0, 0), forms::RGB(255, 128, 128)), 2.0);
}

TEST(Colour, AStandingOutColourReachesItsContrastWhateverItsNeighbours) {
  const std::vector<std::vector<forms::Colour>> neighbours = {
      {forms::RGB(255, 128, 128), forms::RGB(255, 192, 192)},  // salmon and pink cells
      {forms::RGB(40, 0, 0)},                                   // dark cells: a light red
      {forms::RGB(255, 255, 255)},                              // white: red itself stands out
      {forms::RGB(128, 128, 128)},                              // mid grey: a dark red
  };
  for (const auto& around : neighbours) {
    const forms::Colour c = forms::StandingOut(forms::RGB(255, 0, 0), around, 3.0);
    for (forms::Colour a : around) EXPECT_GE(forms::ContrastRatio(c, a), 3.0) << std::hex << a;
    const forms::Colour text = forms::TextColourOn(c);
    EXPECT_GE(forms::ContrastRatio(text, c), 4.5);
  }
  // Where no colour reaches it (dark blue beside pale green), the best one is taken.
  const std::vector<forms::Colour> mixed{forms::RGB(0, 0, 255), forms::RGB(200, 255, 200)};
  const forms::Colour best = forms::StandingOut(forms::RGB(255, 0, 0), mixed, 3.0);
  auto least = [&mixed](forms::Colour c) {
    return std::min(forms::ContrastRatio(c, mixed[0]), forms::ContrastRatio(c, mixed[1]));
  };
  EXPECT_GT(least(best), least(forms::RGB(255, 0, 0)));
  // Where plain red stands out already, it stays.
  EXPECT_EQ(forms::StandingOut(forms::RGB(255, 0, 0), {forms::RGB(0, 0, 0)}, 3.0), forms::RGB(255, 0, 0));
}

}  // namespace
