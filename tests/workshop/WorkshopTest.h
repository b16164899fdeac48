// Fixture of the workbench: the Workshop opened over a plain main form on a small
// content database (ragas with their notes, the thatas, the prompts, the reed colours and
// the layout rows) and a small user database, driven through its form events and its
// dispatcher as the learner drives it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "support/ScreenFixture.h"
#include "support/SoundLibDouble.h"

namespace workshoptest {

// Yaman (1): an aroha that starts below S; Bhupali (2): five notes; Bhairav (3);
// Malkauns (4): listed, but without technical data; Kedar (5): without a notes row.
extern const char* const kWorkbenchRagas;

class WorkshopTest : public testsupport::ScreenFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The workbench opened as the main menu opens it (action 0).
  void Open();
  void Dispatch(int16_t action);

  forms::Form& Screen() const;
  forms::Control& Ctl(const char* name) const { return Screen().Ctl(name); }
  bool Shown(const char* name) const { return Ctl(name).Visible(); }
  bool Enabled(const char* name) const { return Ctl(name).Enabled(); }
  std::string Text(const char* name) const { return Ctl(name).Text(); }
  std::string Caption(const char* name) const { return Ctl(name).Caption(); }

  // The learner's doings: a click on a button, an option, a menu item, a key label, a list line.
  void Press(const char* button);
  void Answer(int option);  // cO1 to cO3 of the question on show
  void Menu(const char* item);
  void ClickKey(int16_t label);
  void ClickKeyOf(int16_t workbenchNote);  // the key label of workbench note 0 ("P<") to 24 ("P>")
  void Choose(const std::string& line);  // a line of cRagaList
  std::vector<std::string> ListLines() const { return testsupport::ListLines(Screen(), "cRagaList"); }

  // The captions of the key labels shown, from reed 1 to 40.
  std::vector<std::string> ShownKeyLabels() const;

  testsupport::SoundLibDouble soundLib;
};

}  // namespace workshoptest
