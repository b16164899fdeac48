// Showing, hiding, unloading and reloading a form; timers; background pictures.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QTimer>

#include <fstream>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FormsTest.h"

namespace {

using formstest::FormsTest;
using formstest::Seen;
using Seq = std::vector<std::string>;

// Lets the event loop run until `done` or a generous limit (no timing is asserted).
template <class F>
bool WaitFor(F done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

TEST_F(FormsTest, UnloadFromCodeRaisesQueryUnloadWithModeOneThenUnload) {
  form->Show();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->Unload());
  EXPECT_FALSE(form->Loaded());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(Seen, (Seq{"form:Load", "form:QueryUnload1", "form:Unload"}));
}

TEST_F(FormsTest, AReloadedFormStartsFromItsDeclaration) {
  form->Ctl("cPlay").SetCaption("Changed");
  form->Ctl("cRagaList").SetListIndex(1);
  form->Unload();
  formstest::Settle();
  EXPECT_EQ(form->Ctl("cPlay").Caption(), "&Play");
  EXPECT_EQ(form->Ctl("cRagaList").ListIndex(), -1);
  EXPECT_EQ(std::count(Seen.begin(), Seen.end(), "form:Load"), 2);
}

TEST_F(FormsTest, TheCloseBoxUnloadsWithModeZero) {
  form->Show();
  form->Window()->close();
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(Seen, (Seq{"form:Load", "form:QueryUnload0", "form:Unload"}));
}

TEST_F(FormsTest, QueryUnloadOrUnloadCanKeepTheForm) {
  for (forms::Event e : {forms::Event::QueryUnload, forms::Event::Unload}) {
    form->On(e, [](forms::EventArgs& a) { a.Cancel = 1; });
    form->Show();
    EXPECT_FALSE(form->Unload());
    form->Window()->close();
    EXPECT_TRUE(form->Loaded());
    EXPECT_TRUE(form->Visible());
    form->On(e, [](forms::EventArgs&) {});
  }
}

TEST_F(FormsTest, AFormUnloadedByItsOwnButtonIsDeletedAfterTheEvent) {
  form->On("cPlay", forms::Event::Click, [this] { form->Unload(); });
  form->Show();
  form->Ctl("cPlay").RaiseFromUser(forms::Event::Click);
  formstest::Settle();
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(halts, 0);
}

TEST_F(FormsTest, ResizingTheWindowRaisesResize) {
  int resizes = 0;
  form->On(forms::Event::Resize, [&] { ++resizes; });
  form->Show();
  formstest::Settle();
  resizes = 0;
  form->SetWidth(form->Width() + 1440);
  formstest::Settle();
  EXPECT_GE(resizes, 1);
}

TEST_F(FormsTest, TheRunEndsWhenTheLastFormIsUnloaded) {
  bool timedOut = false;
  QTimer::singleShot(0, [this] {
    form->Show();
    form->Unload();
  });
  QTimer guard;  // stops waiting if the run did not end; gone with the test
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timedOut = true;
    QCoreApplication::quit();
  });
  guard.start(5000);
  QCoreApplication::exec();
  EXPECT_FALSE(timedOut);
}

TEST_F(FormsTest, AModalFormWaitsUntilItsOwnButtonUnloadsIt) {
  bool accepted = false;
  form->On("cPlay", forms::Event::Click, [&] {
    accepted = true;
    form->Unload();
  });
  QTimer::singleShot(0, [this] { form->Ctl("cPlay").RaiseFromUser(forms::Event::Click); });
  form->Show(true);
  EXPECT_TRUE(accepted);
  EXPECT_FALSE(form->Loaded());
}

TEST_F(FormsTest, AHaltWhileAModalFormIsOpenUnwindsTheEventThatShowedIt) {
  form->On("cPlay", forms::Event::Click, [] { vb::Raise(vb::kObjectNotSet); });
  QTimer::singleShot(0, [this] { form->Ctl("cPlay").RaiseFromUser(forms::Event::Click); });
  QTimer::singleShot(0, [this] { form->Hide(); });
  bool ranOn = false;
  common::RunEvent([&] {
    form->Show(true);
    ranOn = true;
  });
  EXPECT_FALSE(ranOn);
  EXPECT_EQ(halts, 1);
}

TEST_F(FormsTest, HideKeepsTheFormLoaded) {
  form->Show();
  form->Hide();
  EXPECT_TRUE(form->Loaded());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(std::count(Seen.begin(), Seen.end(), "form:Load"), 1);
}

TEST_F(FormsTest, TheWindowGeometryIsInTwips) {
  form->Move(1440, 720, 15000, 10500);
  EXPECT_NEAR(form->Width(), 15000, 15);
  EXPECT_NEAR(form->Height(), 10500, 15);
  EXPECT_NEAR(form->Left(), 1440, 15);
  EXPECT_GT(form->ScaleHeight(), 0);
  EXPECT_LE(form->ScaleHeight(), form->Height());
  EXPECT_EQ(form->WindowState(), forms::vbNormal);
  EXPECT_GT(forms::ScreenWidth(), 0);
  EXPECT_GT(forms::ScreenHeight(), 0);
}

TEST_F(FormsTest, ARepeatingTimerTicksUntilSwitchedOff) {
  auto& timer = form->Get<forms::Timer>("cTimer");
  int ticks = 0;
  timer.On(forms::Event::Timer, [&] {
    if (++ticks == 3) timer.SetEnabled(false);
  });
  timer.SetInterval(1);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 3; }));
  formstest::Settle();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(FormsTest, AOneShotTimerIsOffWhenItsTickArrives) {
  auto& timer = form->Get<forms::Timer>("cTimer");
  int ticks = 0;
  bool enabledInTick = true;
  timer.On(forms::Event::Timer, [&] {
    ++ticks;
    enabledInTick = timer.Enabled();
  });
  timer.SetOneShot(true);
  timer.SetInterval(1);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 1; }));
  formstest::Settle();
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(enabledInTick);
  // Switching it on again gives one more tick.
  timer.SetEnabled(true);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 2; }));
}

TEST_F(FormsTest, AnUnloadedFormsTimerStops) {
  auto& timer = form->Get<forms::Timer>("cTimer");
  timer.SetInterval(1);
  form->Unload();
  formstest::Settle();
  EXPECT_EQ(std::count(Seen.begin(), Seen.end(), "cTimer:Timer"), 0);
}

// Held timers: time passes without ticks; Tick delivers one only while the timer is on,
// switching a one-shot timer off first.
TEST_F(FormsTest, HeldTimersTickOnlyWhenTold) {
  forms::Timer::HoldTimers(true);
  auto& timer = form->Get<forms::Timer>("cTimer");
  int ticks = 0;
  timer.On(forms::Event::Timer, [&] { ++ticks; });
  timer.SetInterval(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  formstest::Settle();
  EXPECT_EQ(ticks, 0);
  timer.Tick();
  timer.Tick();
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(timer.Enabled());
  timer.SetOneShot(true);
  timer.Tick();
  timer.Tick();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.Enabled());
  timer.SetEnabled(true);
  timer.SetInterval(0);
  timer.Tick();
  EXPECT_EQ(ticks, 3) << "a timer without an interval never ticks";
  forms::Timer::HoldTimers(false);
  timer.SetOneShot(false);
  timer.SetInterval(1);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 4; })) << "released, the timer ticks by itself again";
  timer.SetEnabled(false);
}

TEST_F(FormsTest, AJpegBecomesTheBackgroundPicture) {
  QImage img(32, 24, QImage::Format_RGB32);
  img.fill(QColor(200, 120, 40));
  ASSERT_TRUE(img.save(QString::fromStdString(Path("kz6.jpg")), "JPEG"));
  form->SetPicture(Path("kz6.jpg"));
  EXPECT_EQ(form->Picture(), Path("kz6.jpg"));
  form->Get<forms::Picture>("Picture1").LoadPicture(Path("kz6.jpg"));
  EXPECT_EQ(form->Get<forms::Picture>("Picture1").PictureFile(), Path("kz6.jpg"));
}

TEST_F(FormsTest, AMissingOrDamagedPictureIsAnError) {
  std::ofstream(Path("kz1.jpg")) << "not a picture";
  struct Case {
    std::string file;
    int number;
  } cases[] = {{Path("kz9.jpg"), 53}, {Path("kz1.jpg"), 481}};
  for (const auto& c : cases) {
    try {
      form->SetPicture(c.file);
      ADD_FAILURE() << c.file;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.err().Number, c.number) << c.file;
    }
  }
  EXPECT_EQ(form->Picture(), "");
}

TEST_F(FormsTest, TheMultimediaMemberGetsItsPlayerFromTheFactory) {
  forms::SetMultimediaFactory([](forms::MultimediaMember& m) {
    auto* player = new QObject();
    player->setObjectName(QString::fromStdString(m.Name()));
    return player;
  });
  forms::Form f(formstest::DeclareTestForm());
  auto& mm = f.Get<forms::MultimediaMember>("CMM");
  ASSERT_NE(mm.Object(), nullptr);
  EXPECT_EQ(mm.Object()->objectName(), "cMM");
  int done = 0;
  mm.On(forms::Event::Done, [&](forms::EventArgs& e) { done = e.NotifyCode; });
  mm.RaiseFromUser(forms::Event::Done, forms::EventArgs{.NotifyCode = 4});
  EXPECT_EQ(done, 4);
  forms::SetMultimediaFactory({});
}

}  // namespace
