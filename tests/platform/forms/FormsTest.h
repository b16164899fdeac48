// Fixtures of the forms tests: one QApplication for the test program (offscreen),
// a small test form that carries one member of every kind, and helpers that let
// posted events and deferred deletions run.
#pragma once

#include <QApplication>
#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "support/Scratch.h"

namespace formstest {

// Runs posted events (deferred deletions included) until none are left.
inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The test form: 12000 x 9000 twips, one member of every kind, the frame Frame1
// holding two option buttons, control arrays cR and cL, and two menus.
forms::FormSpec DeclareTestForm();

// What the test form's handlers saw: "member:event[index]" in order.
inline std::vector<std::string> Seen;

class FormsTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    Seen.clear();
    form = std::make_unique<forms::Form>(DeclareTestForm());
  }
  void TearDown() override {
    form.reset();
    Settle();
    ScratchTest::TearDown();
  }
  std::unique_ptr<forms::Form> form;
};

}  // namespace formstest
