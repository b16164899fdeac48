// Events: what the program's own property sets raise, what user actions raise, and
// every handler running through the event boundary.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "FormsTest.h"

namespace {

using formstest::FormsTest;
using formstest::Seen;
using Seq = std::vector<std::string>;

void ClickWidget(QWidget* w, QPoint at = QPoint(2, 2)) {
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

TEST_F(FormsTest, SelectingAnOptionFromCodeRaisesClickOnlyWhenItWasNotSelected) {
  auto& learn = form->Ctl("cLearn");
  Seen.clear();
  learn.SetValue(1);
  learn.SetValue(1);  // already selected: no second Click
  EXPECT_EQ(Seen, Seq{"cLearn:Click"});
  form->Ctl("cPractice").SetValue(1);
  EXPECT_EQ(learn.Value(), 0);  // one option of a frame at a time
  EXPECT_EQ(form->Ctl("cPractice").Value(), 1);
  EXPECT_EQ(form->Ctl("Option4").Value(), 0);
  EXPECT_EQ(Seen, (Seq{"cLearn:Click", "cPractice:Click"}));
}

TEST_F(FormsTest, OptionsInOtherContainersAreNotCleared) {
  form->Ctl("Option4").SetValue(1);
  form->Ctl("cLearn").SetValue(1);
  EXPECT_EQ(form->Ctl("Option4").Value(), 1);
  EXPECT_EQ(form->Ctl("cLearn").Value(), 1);
}

TEST_F(FormsTest, AnOptionGroupCanBeClearedFromCode) {
  form->Ctl("cLearn").SetValue(1);
  Seen.clear();
  form->Ctl("cLearn").SetValue(0);
  EXPECT_EQ(form->Ctl("cLearn").Value(), 0);
  EXPECT_EQ(form->Ctl("cPractice").Value(), 0);
  EXPECT_TRUE(Seen.empty());  // clearing raises nothing
  EXPECT_FALSE(static_cast<QAbstractButton*>(form->Ctl("cLearn").Widget())->isChecked());
  // Cleared, the same option can be selected again and clicks again.
  form->Ctl("cLearn").SetValue(1);
  EXPECT_EQ(Seen, Seq{"cLearn:Click"});
}

TEST_F(FormsTest, AUserClickOnASelectedOptionKeepsItSelectedWithoutClick) {
  auto* learn = static_cast<QAbstractButton*>(form->Ctl("cLearn").Widget());
  learn->click();
  learn->click();
  EXPECT_EQ(Seen, (Seq{"form:Load", "cLearn:Click"}));
  EXPECT_TRUE(learn->isChecked());
  EXPECT_EQ(form->Ctl("cLearn").Value(), 1);
}

TEST_F(FormsTest, SettingAListOrComboIndexFromCodeRaisesClick) {
  for (const char* name : {"cRagaList", "cScaleList"}) {
    auto& list = form->Ctl(name);
    Seen.clear();
    list.SetListIndex(1);
    list.SetListIndex(1);   // unchanged: nothing
    list.SetListIndex(-1);  // clearing the selection clicks too
    EXPECT_EQ(Seen, (Seq{std::string(name) + ":Click", std::string(name) + ":Click"})) << name;
    EXPECT_EQ(list.ListIndex(), -1);
  }
  auto& ragas = form->Get<forms::ListBox>("cRagaList");
  ragas.SetListIndex(2);
  EXPECT_EQ(ragas.Text(), "Kafi");
}

TEST_F(FormsTest, AUserChoiceInAListRaisesClickWithTheNewIndex) {
  auto& ragas = form->Get<forms::ListBox>("cRagaList");
  int16_t seenIndex = -2;
  ragas.On(forms::Event::Click, [&] { seenIndex = ragas.ListIndex(); });
  static_cast<QListWidget*>(ragas.Widget())->setCurrentRow(1);
  EXPECT_EQ(seenIndex, 1);
  EXPECT_EQ(ragas.Text(), "Yaman");
}

TEST_F(FormsTest, AListClickThatClearsItsOwnSelectionRunsTwiceAndStops) {
  auto& ragas = form->Get<forms::ListBox>("cRagaList");
  std::vector<int16_t> indexes;
  ragas.On(forms::Event::Click, [&] {
    indexes.push_back(ragas.ListIndex());
    if (ragas.ListIndex() != -1) ragas.SetListIndex(-1);  // so the same line can be chosen again
  });
  static_cast<QListWidget*>(ragas.Widget())->setCurrentRow(0);
  EXPECT_EQ(indexes, (std::vector<int16_t>{0, -1}));
}

TEST_F(FormsTest, AMouseChoiceThatTheProgramClearsLeavesNoLineHighlighted) {
  auto& ragas = form->Get<forms::ListBox>("cRagaList");
  ragas.On(forms::Event::Click, [&] {
    if (ragas.ListIndex() != -1) ragas.SetListIndex(-1);
  });
  auto* list = static_cast<QListWidget*>(ragas.Widget());
  list->resize(300, 200);
  const QPoint at = list->visualItemRect(list->item(1)).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(at), QPointF(list->viewport()->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &event);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(ragas.ListIndex(), -1);
  EXPECT_TRUE(list->selectedItems().isEmpty());
}

// Focus passed to a list from the keyboard or by the program (a button hidden under it)
// chooses nothing: no Click, no line.
TEST_F(FormsTest, AListThatGetsTheFocusWithoutAClickChoosesNoLine) {
  auto& ragas = form->Get<forms::ListBox>("cRagaList");
  auto* list = static_cast<QListWidget*>(ragas.Widget());
  form->Show();
  for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::BacktabFocusReason, Qt::OtherFocusReason}) {
    SCOPED_TRACE(reason);
    Seen.clear();
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(list, &out);
    QFocusEvent in(QEvent::FocusIn, reason);
    QCoreApplication::sendEvent(list, &in);
    QCoreApplication::processEvents();
    EXPECT_EQ(Seen, Seq{});
    EXPECT_EQ(ragas.ListIndex(), -1);
    EXPECT_TRUE(list->selectedItems().isEmpty());
  }
}

TEST_F(FormsTest, ClickingAMenuItemLeavesItsCheckMarkToTheProgram) {
  auto& rag = form->Get<forms::MenuItem>("cMnuRag");
  auto& tha = form->Get<forms::MenuItem>("cMnuTha");
  rag.Action()->trigger();
  tha.Action()->trigger();
  EXPECT_FALSE(rag.Checked());
  EXPECT_FALSE(rag.Action()->isChecked());
  EXPECT_TRUE(tha.Checked());
  EXPECT_TRUE(tha.Action()->isChecked());
  EXPECT_EQ(Seen.back(), "cMnuRag:Click");
  rag.SetChecked(true);
  EXPECT_TRUE(rag.Action()->isChecked());
}

// As menus are drawn: a separator is a line without its "-", and only a checked item
// carries a mark (no empty box beside the others).
TEST_F(FormsTest, AMenuShowsMarksOnlyOnCheckedItemsAndSeparatorsWithoutText) {
  auto& rag = form->Get<forms::MenuItem>("cMnuRag");
  auto& line = form->Get<forms::MenuItem>("cMnuLin1");
  auto& tha = form->Get<forms::MenuItem>("cMnuTha");
  EXPECT_TRUE(line.Action()->isSeparator());
  EXPECT_TRUE(line.Action()->text().isEmpty());
  EXPECT_EQ(line.Caption(), "-");
  EXPECT_FALSE(rag.Action()->isCheckable());
  EXPECT_TRUE(tha.Action()->isCheckable() && tha.Action()->isChecked());
  rag.SetChecked(true);
  tha.SetChecked(false);
  EXPECT_TRUE(rag.Action()->isCheckable() && rag.Action()->isChecked());
  EXPECT_FALSE(tha.Action()->isCheckable());
  rag.SetCaption("-");
  EXPECT_TRUE(rag.Action()->isSeparator());
  EXPECT_FALSE(rag.Action()->isCheckable());
  rag.SetCaption("Raga");
  EXPECT_EQ(rag.Action()->text(), "Raga");
  EXPECT_FALSE(rag.Action()->isSeparator());
  EXPECT_FALSE(form->Get<forms::MenuItem>("cMnuHel").Action()->isCheckable()) << "a menu of the bar";
}

TEST_F(FormsTest, AMenuWithoutItemsClicksLikeAnItem) {
  form->Get<forms::MenuItem>("cMnuRagInf").Action()->trigger();
  EXPECT_EQ(Seen.back(), "cMnuRagInf:Click");
}

TEST_F(FormsTest, DisabledAndHiddenMenusFollowTheProgram) {
  auto& help = form->Get<forms::MenuItem>("cMnuHel");
  help.SetEnabled(false);
  help.SetVisible(false);
  EXPECT_FALSE(help.Action()->isEnabled());
  EXPECT_FALSE(help.Action()->isVisible());
  EXPECT_FALSE(help.Enabled());
}

TEST_F(FormsTest, TextSliderAndCheckBoxChangesFromCodeRaiseTheirEvents) {
  form->Load();
  Seen.clear();
  form->Ctl("cCurrentItem").SetText("S R G");
  form->Ctl("cCurrentItem").SetText("S R G");  // same text: no Change
  form->Ctl("cSlider").SetValue(12);
  form->Ctl("cSlider").SetValue(40);  // clamped to the maximum
  EXPECT_EQ(form->Ctl("cSlider").Value(), 17);
  EXPECT_EQ(Seen, (Seq{"cCurrentItem:Change", "cSlider:Change", "cSlider:Change"}));
  int clicks = 0;
  form->On("cOScale", forms::Event::Click, [&] { ++clicks; });
  form->Ctl("cOScale").SetValue(1);
  form->Ctl("cOScale").SetValue(1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormsTest, AClickOnTheSurfaceIsTheFormsClickAndALabelKeepsItsOwn) {
  form->Show();
  ClickWidget(form->Surface(), QPoint(5, 400));
  ClickWidget(form->Ctl("Label1").Widget());
  EXPECT_EQ(Seen, (Seq{"form:Load", "form:Click", "Label1:Click"}));
}

TEST_F(FormsTest, AnErrorInsideAnEventReachesTheBoundary) {
  form->On("cPlay", forms::Event::Click, [] {
    common::ProcTrace t("cPlay_Click");
    vb::Raise(vb::kNoCurrentRecord);
  });
  static_cast<QAbstractButton*>(form->Ctl("cPlay").Widget())->click();
  EXPECT_EQ(halts, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("'cPlay_Click'"), std::string::npos);
  EXPECT_EQ(common::CurrProcName, "cPlay_Click");
  // After the halt no event reaches the program.
  Seen.clear();
  form->Get<forms::MenuItem>("cMnuRag").Action()->trigger();
  EXPECT_TRUE(Seen.empty());
}

TEST_F(FormsTest, AHaltInAnEventRaisedByCodeUnwindsTheCallingEvent) {
  form->On("cLearn", forms::Event::Click, [] { vb::Raise(vb::kObjectNotSet); });
  bool ranOn = false;
  const bool ok = common::RunEvent([&] {
    form->Ctl("cLearn").SetValue(1);
    ranOn = true;
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(ranOn);
  EXPECT_EQ(halts, 1);
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(FormsTest, AnIgnorableErrorInAnEventIsPassedOver) {
  form->On("cPlay", forms::Event::Click, [] { vb::Raise(vb::kDivisionByZero); });
  static_cast<QAbstractButton*>(form->Ctl("cPlay").Widget())->click();
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(Lines("ignoerr.txt").empty());
}

}  // namespace

namespace {

using formstest::FormsTest;

// Lines added or removed before the selected one keep the same line selected.
TEST_F(FormsTest, TheSelectedLineFollowsInsertsAndRemovals) {
  for (const char* name : {"cRagaList", "cScaleList"}) {
    auto& list = form->Get<forms::ListControl>(name);
    list.Clear();
    for (const char* item : {"a", "b", "c"}) list.AddItem(item);
    list.SetListIndex(1);
    list.AddItem("first", 0);
    EXPECT_EQ(list.ListIndex(), 2) << name;
    EXPECT_EQ(list.Text(), "b") << name;
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1) << name;
    list.RemoveItem(1);  // the selected line itself
    EXPECT_EQ(list.ListIndex(), -1) << name;
    EXPECT_EQ(list.Text(), "") << name;
    EXPECT_EQ(list.ListCount(), 2) << name;
    EXPECT_EQ(list.List(1), "c") << name;
    EXPECT_EQ(testsupport::ErrorNumber([&] { list.RemoveItem(2); }), 381) << name;
  }
}

}  // namespace

namespace {

using formstest::FormsTest;

// A "Next" option that clears itself when the mouse is let go can be pressed again
// and again.
TEST_F(FormsTest, AnOptionClearedOnMouseUpNeverStaysSelected) {
  auto& next = form->Ctl("Option4");
  int presses = 0;
  next.On(forms::Event::MouseUp, [&] {
    ++presses;
    next.SetValue(0);
  });
  QWidget* w = next.Widget();
  for (int i = 0; i < 3; ++i) {
    const QPoint at(4, w->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }
  EXPECT_EQ(presses, 3);
  EXPECT_EQ(std::count(formstest::Seen.begin(), formstest::Seen.end(), "Option4:Click"), 3);
  EXPECT_EQ(next.Value(), 0);
  EXPECT_FALSE(static_cast<QAbstractButton*>(w)->isChecked());
}

}  // namespace

namespace {

using formstest::FormsTest;

TEST_F(FormsTest, OpeningAMenuIsItsClick) {
  int clicks = 0;
  form->On("cMnuHel", forms::Event::Click, [&] { ++clicks; });
  QMenu* menu = form->Get<forms::MenuItem>("cMnuHel").AsMenu();
  emit menu->aboutToShow();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
