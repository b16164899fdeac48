// A form unloaded while an event waits in a nested event loop (a message box, a
// modal form, a wait for a play to end): its members live on until the event that
// started the loop has finished, since that event may still hold them.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include "FormsTest.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/NestedLoop.h"
#include "platform/mci/MMControl.h"
#include "platform/mci/MciTestSupport.h"
#include "platform/vb/Interaction.h"

namespace {

using formstest::FormsTest;

// Runs `inside` as the first event of the next event loop, then `end` as an event
// queued behind whatever `inside` queued (the deferred deletion among it).
void Inside(std::function<void()> inside, std::function<void()> end) {
  QTimer::singleShot(0, [inside, end] {
    inside();
    QTimer::singleShot(0, end);
  });
}

void CloseMessageBox() {
  if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->reject();
}

enum class Loop { MessageBox, ModalForm, WaitWhilePlaying };

class NestedLoopTest : public FormsTest, public ::testing::WithParamInterface<Loop> {
 protected:
  // Runs the nested loop of the parameter, with `inside` as an event inside it.
  void RunNested(const std::function<void()>& inside) {
    switch (GetParam()) {
      case Loop::MessageBox:
        forms::InstallMessageBoxes();
        Inside(inside, &CloseMessageBox);
        vb::MsgBox("Wait", vb::vbInformation, "Message");
        break;
      case Loop::ModalForm: {
        forms::Form modal(formstest::DeclareTestForm());
        Inside(inside, [&modal] { modal.Hide(); });
        modal.Show(true);
        modal.Unload();
        break;
      }
      case Loop::WaitWhilePlaying: {
        mcitest::WriteTone(folder_ / "long.wav", 440, 5000);
        mci::MMControl player;
        player.setAudioOutput(mci::AudioOutput::Silent);
        player.setFileName(Path("long.wav"));
        player.setCommand("Open");
        player.setCommand("Play");
        ASSERT_EQ(player.Mode(), mci::mciModePlay);
        Inside(inside, [&player] { player.setCommand("Stop"); });
        mci::WaitWhilePlaying(player);
        break;
      }
    }
    EXPECT_EQ(forms::NestedLoop::Depth(), 0);
  }
};

TEST_P(NestedLoopTest, MembersOfAFormUnloadedMeanwhileLiveUntilTheEventEnds) {
  form->Show();
  forms::Control& play = form->Ctl("cPlay");
  QPointer<QWidget> widget(play.Widget());
  ASSERT_FALSE(widget.isNull());
  RunNested([this] { form->Unload(); });
  ASSERT_FALSE(form->Loaded());
  ASSERT_FALSE(widget.isNull()) << "deleted while the event still held the member";
  EXPECT_EQ(play.Caption(), "&Play");
  formstest::Settle();
  EXPECT_TRUE(widget.isNull()) << "deleted once the event has finished";
  EXPECT_EQ(halts, 0);
}

INSTANTIATE_TEST_SUITE_P(Loops, NestedLoopTest,
                         ::testing::Values(Loop::MessageBox, Loop::ModalForm, Loop::WaitWhilePlaying),
                         [](const ::testing::TestParamInfo<Loop>& info) {
                           switch (info.param) {
                             case Loop::MessageBox: return "MessageBox";
                             case Loop::ModalForm: return "ModalForm";
                             case Loop::WaitWhilePlaying: return "WaitWhilePlaying";
                           }
                           return "";
                         });

// A message box shown from a modal form: the end of the inner loop is not yet the
// end of the event that showed the modal form.
TEST_F(FormsTest, OnlyTheEndOfTheOutermostNestedLoopDeletesTheUnloaded) {
  forms::InstallMessageBoxes();
  form->Show();
  QPointer<QWidget> widget(form->Ctl("cPlay").Widget());
  forms::Form modal(formstest::DeclareTestForm());
  bool aliveAfterBox = false;
  QTimer::singleShot(0, [&] {
    Inside([this] { form->Unload(); }, &CloseMessageBox);
    vb::MsgBox("Wait", vb::vbInformation, "Message");
    formstest::Settle();  // still inside the modal form's loop
    aliveAfterBox = !widget.isNull();
    modal.Hide();
  });
  modal.Show(true);
  EXPECT_TRUE(aliveAfterBox);
  EXPECT_FALSE(widget.isNull());
  modal.Unload();
  formstest::Settle();
  EXPECT_TRUE(widget.isNull());
}

}  // namespace
