// A busy form: while a screen plays locked, waits for a play to end or waits for a
// timer, the learner's input reaches only the members declared live; every other member
// refuses it before anything changes and looks disabled. Input to a disabled member (or
// one in a disabled frame) is refused the same way, however it arrives.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FormsTest.h"

namespace {

using formstest::Seen;
using Seq = std::vector<std::string>;

forms::Handler Note(std::string what) {
  return [what](forms::EventArgs& e) {
    Seen.push_back(what + (e.Index >= 0 ? "[" + std::to_string(e.Index) + "]" : ""));
  };
}

forms::FormSpec DeclareBusyForm() {
  using forms::Event;
  forms::FormSpec f("BusyForm", "Busy Form", 98, {0, 0, 12000, 9000});
  f.Button("cPlay", "Play", {240, 240, 1200, 400}).On(Event::Click, Note("cPlay:Click"));
  f.Button("cStop", "Stop", {1600, 240, 1200, 400}).LiveWhileBusy().On(Event::Click, Note("cStop:Click"));
  f.TextBox("cItem", {240, 800, 6000, 300}).On(Event::Change, Note("cItem:Change"));
  f.Label("Label1", "Playing", {240, 1100, 2000, 300});
  f.TextBox("cPrompts", {2400, 1100, 3000, 300}).Locked();
  auto frame = f.Frame("Frame1", "Question", {6600, 240, 3000, 1200});
  frame.Option("cO1", "Once", {120, 300, 2000, 300}).On(Event::Click, Note("cO1:Click"));
  frame.Option("cO2", "Series", {120, 700, 2000, 300}).On(Event::Click, Note("cO2:Click"));
  auto playing = f.Frame("Frame2", "Playing", {6600, 1600, 3000, 1200});
  playing.Button("cStopCur", "Stop Current", {120, 300, 2000, 400}).LiveWhileBusy().On(Event::Click,
                                                                                        Note("cStopCur:Click"));
  playing.Button("cNext", "Next", {120, 760, 2000, 400}).On(Event::Click, Note("cNext:Click"));
  f.CheckBox("cOScale", "Scale", {240, 1300, 1200, 300}).On(Event::Click, Note("cOScale:Click"));
  f.List("cList", {240, 1800, 3000, 2000}).Items({"Bhairav", "Yaman", "Kafi"}).On(Event::Click, Note("cList:Click"));
  f.Slider("cSlider", {3600, 1800, 3000, 500}).Range(1, 17).Value(9).On(Event::Change, Note("cSlider:Change"));
  f.Label("cL", "", {600, 6000, 300, 300}).Index(0).On(Event::Click, Note("cL:Click"));
  f.Timer("cWait").OneShot().BusyWhileRunning().Interval(4000).Disabled().On(Event::Timer, Note("cWait:Timer"));
  f.Timer("cPoll").Interval(100).Disabled().On(Event::Timer, Note("cPoll:Timer"));
  auto drone = f.Menu("cMnuDro", "Drone");
  drone.Item("cMnuDroLou", "Louder").On(Event::Click, Note("cMnuDroLou:Click"));
  auto sync = f.Menu("cMnuSyn", "Synchronization");
  sync.Item("cMnuSlo", "Slow Down").LiveWhileBusy().On(Event::Click, Note("cMnuSlo:Click"));
  sync.Item("cMnuRagInf", "Raga Info").On(Event::Click, Note("cMnuRagInf:Click"));
  return f;
}

class BusyFormTest : public testsupport::ScratchTest {
 public:
  void SetUp() override {
    ScratchTest::SetUp();
    forms::Timer::HoldTimers(true);
    form = std::make_unique<forms::Form>(DeclareBusyForm());
    form->Show();
    form->LoadElement("cL", 1).SetVisible(true);
    Seen.clear();
  }
  void TearDown() override {
    form.reset();
    forms::Timer::HoldTimers(false);
    formstest::Settle();
    ScratchTest::TearDown();
  }
  forms::Control& Ctl(const char* name) { return form->Ctl(name); }
  bool LooksEnabled(const char* name) {
    forms::Control& c = Ctl(name);
    if (auto* item = dynamic_cast<forms::MenuItem*>(&c)) return item->Action()->isEnabled();
    return c.Widget()->isEnabled();
  }
  std::string ItemText() { return Ctl("cItem").Text(); }

  std::unique_ptr<forms::Form> form;
};

// Each kind of input, as the learner gives it, and the state it would change.
struct InputCase {
  const char* what;
  std::function<void(BusyFormTest&)> give;
  std::function<std::string(BusyFormTest&)> state;  // what the input changes when taken
};

const InputCase kInputs[] = {
    {"a button", [](BusyFormTest& t) { t.Ctl("cPlay").RaiseFromUser(forms::Event::Click); },
     [](BusyFormTest&) { return std::string(); }},
    {"an option answer", [](BusyFormTest& t) { t.form->Get<forms::OptionButton>("cO1").Select(); },
     [](BusyFormTest& t) { return std::to_string(t.Ctl("cO1").Value()); }},
    {"a list click",
     [](BusyFormTest& t) { static_cast<QListWidget*>(t.Ctl("cList").Widget())->setCurrentRow(1); },
     [](BusyFormTest& t) {
       return std::to_string(t.Ctl("cList").ListIndex()) + "/" +
              std::to_string(static_cast<QListWidget*>(t.Ctl("cList").Widget())->currentRow());
     }},
    {"a check box", [](BusyFormTest& t) { static_cast<QAbstractButton*>(t.Ctl("cOScale").Widget())->click(); },
     [](BusyFormTest& t) { return std::to_string(t.Ctl("cOScale").Value()); }},
    {"a key click", [](BusyFormTest& t) { t.form->Ctl("cL", 1).RaiseFromUser(forms::Event::Click); },
     [](BusyFormTest&) { return std::string(); }},
    {"typing", [](BusyFormTest& t) {
       auto* edit = static_cast<QLineEdit*>(t.Ctl("cItem").Widget());
       edit->setFocus();
       QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
       QApplication::sendEvent(edit, &press);
     },
     [](BusyFormTest& t) { return t.ItemText() + "|" + static_cast<QLineEdit*>(t.Ctl("cItem").Widget())->text().toStdString(); }},
    {"the slider", [](BusyFormTest& t) { static_cast<QSlider*>(t.Ctl("cSlider").Widget())->setValue(3); },
     [](BusyFormTest& t) {
       return std::to_string(t.Ctl("cSlider").Value()) + "/" +
              std::to_string(static_cast<QSlider*>(t.Ctl("cSlider").Widget())->value());
     }},
    {"a menu item", [](BusyFormTest& t) { t.Ctl("cMnuDroLou").RaiseFromUser(forms::Event::Click); },
     [](BusyFormTest&) { return std::string(); }},
    {"a button in a frame with a live one", [](BusyFormTest& t) { t.Ctl("cNext").RaiseFromUser(forms::Event::Click); },
     [](BusyFormTest&) { return std::string(); }},
    {"a menu item beside a live one", [](BusyFormTest& t) { t.Ctl("cMnuRagInf").RaiseFromUser(forms::Event::Click); },
     [](BusyFormTest&) { return std::string(); }},
};

// The ways a form becomes busy; `end` makes it idle again.
struct BusyCase {
  const char* what;
  std::function<void(BusyFormTest&)> begin;
  std::function<void(BusyFormTest&)> end;
};

const BusyCase kBusyStates[] = {
    {"locked while playing", [](BusyFormTest& t) { t.form->SetBusy(true); },
     [](BusyFormTest& t) { t.form->SetBusy(false); }},
    {"waiting for a play to end", [](BusyFormTest& t) { t.form->BeginWait(); },
     [](BusyFormTest& t) { t.form->EndWait(); }},
    {"waiting for a timer", [](BusyFormTest& t) { t.Ctl("cWait").SetEnabled(true); },
     [](BusyFormTest& t) { t.form->Get<forms::Timer>("cWait").Tick(); }},
};

TEST_F(BusyFormTest, EveryInputOfABusyFormIsRefusedBeforeItChangesAnythingAndWorksAfterwards) {
  for (const BusyCase& busy : kBusyStates) {
    for (const InputCase& input : kInputs) {
      SCOPED_TRACE(std::string(busy.what) + ": " + input.what);
      const std::string before = input.state(*this);
      Seen.clear();
      busy.begin(*this);
      ASSERT_TRUE(form->Busy());
      input.give(*this);
      EXPECT_TRUE(Seen.empty()) << "no handler runs";
      EXPECT_EQ(input.state(*this), before) << "nothing is taken";
      busy.end(*this);
      ASSERT_FALSE(form->Busy());
      Seen.clear();
      input.give(*this);
      EXPECT_EQ(Seen.size(), 1u) << "the same input acts once the form is idle";
      // Back as it was for the next row.
      form->Get<forms::OptionButton>("cO1").SetValue(0);
      form->Get<forms::ListControl>("cList").SetListIndex(-1);
      form->Get<forms::CheckBox>("cOScale").SetValue(0);
      Ctl("cItem").SetText("");
      Ctl("cSlider").SetValue(9);
    }
  }
}

TEST_F(BusyFormTest, WhatCannotActLooksDisabledAndTheProgramsOwnEnabledComesBack) {
  Ctl("cPlay").SetEnabled(false);  // the program's own choice, kept through the busy time
  form->SetBusy(true);
  for (const char* name : {"cPlay", "cItem", "Frame1", "cO1", "cList", "cSlider", "cMnuDro", "cMnuDroLou", "cNext",
                           "cMnuRagInf"})
    EXPECT_FALSE(LooksEnabled(name)) << name;
  EXPECT_FALSE(form->Ctl("cL", 1).Widget()->isEnabled());
  for (const char* name : {"cStop", "Frame2", "cStopCur", "cMnuSyn", "cMnuSlo"}) EXPECT_TRUE(LooksEnabled(name)) << name;
  for (const char* name : {"Label1", "cPrompts"}) EXPECT_TRUE(LooksEnabled(name)) << name << ": nothing to act on";
  EXPECT_TRUE(Ctl("cItem").Enabled()) << "Enabled reads what the program set";
  form->LoadElement("cL", 2).SetVisible(true);
  EXPECT_FALSE(form->Ctl("cL", 2).Widget()->isEnabled()) << "an element made while busy";
  Ctl("cStop").RaiseFromUser(forms::Event::Click);
  Ctl("cStopCur").RaiseFromUser(forms::Event::Click);
  Ctl("cMnuSlo").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(Seen, (Seq{"cStop:Click", "cStopCur:Click", "cMnuSlo:Click"}));
  form->SetBusy(false);
  EXPECT_FALSE(LooksEnabled("cPlay"));
  for (const char* name : {"cItem", "cO1", "cList", "cMnuDroLou", "cNext"}) EXPECT_TRUE(LooksEnabled(name)) << name;
  EXPECT_TRUE(form->Ctl("cL", 2).Widget()->isEnabled());
}

TEST_F(BusyFormTest, TheBusyCausesAddUpAndEachEndsOnlyItsOwn) {
  form->SetBusy(true);
  {
    forms::BusyWait wait(form.get());
    forms::BusyWait inner(form.get());
    form->SetBusy(false);
    EXPECT_TRUE(form->Busy()) << "still waiting";
  }
  EXPECT_FALSE(form->Busy());
  Ctl("cWait").SetEnabled(true);
  Ctl("cPoll").SetEnabled(true);  // a poll is no wait
  form->EndWait();                // an end without a beginning changes nothing
  EXPECT_TRUE(form->Busy());
  Ctl("cWait").SetEnabled(false);
  EXPECT_FALSE(form->Busy());
  Ctl("cWait").SetEnabled(true);
  form->Get<forms::Timer>("cWait").Tick();
  EXPECT_FALSE(form->Busy()) << "a one-shot wait ends with its tick";
  EXPECT_EQ(Seen, Seq{"cWait:Timer"});
}

TEST_F(BusyFormTest, AWaitThatOutlivesItsFormEndsNothingOfTheNextLoad) {
  auto wait = std::make_unique<forms::BusyWait>(form.get());
  ASSERT_TRUE(form->Busy());
  form->Unload();
  EXPECT_FALSE(form->Busy());
  form->Show();
  form->SetBusy(true);
  wait.reset();
  EXPECT_TRUE(form->Busy());
}

// A disabled member, or a member of a disabled frame, takes no input however it comes
// (a queued event, a click reaching a watcher): nothing runs and nothing is taken.
TEST_F(BusyFormTest, ADisabledMemberTakesNoInputHoweverItArrives) {
  Ctl("Frame1").SetEnabled(false);
  Ctl("cList").SetEnabled(false);
  form->Ctl("cL", 1).SetEnabled(false);
  form->Get<forms::OptionButton>("cO2").Select();
  static_cast<QListWidget*>(Ctl("cList").Widget())->setCurrentRow(2);
  form->Ctl("cL", 1).RaiseFromUser(forms::Event::Click);
  EXPECT_TRUE(Seen.empty());
  EXPECT_EQ(Ctl("cO2").Value(), 0);
  EXPECT_EQ(Ctl("cList").ListIndex(), -1);
  EXPECT_EQ(static_cast<QListWidget*>(Ctl("cList").Widget())->currentRow(), -1);
  Ctl("cWait").SetEnabled(true);
  form->Get<forms::Timer>("cWait").Tick();
  EXPECT_EQ(Seen, Seq{"cWait:Timer"}) << "a timer's tick is no input";
}

}  // namespace
