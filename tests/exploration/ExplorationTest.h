// Fixture of the exploration screens: the raga grid and the illustration screen opened
// over a plain main form, on a small content database (every kind of item) or on the
// built content database (the 70 ragas), with a small user database.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "support/Scratch.h"
#include "support/SoundLibDouble.h"

namespace explorationtest {

enum class Content { Fixture, Built };

// The user database's saved scale set, when a test asks for one.
inline constexpr const char* kUserScale =
    R"sql(INSERT INTO "Scale Shift Specs" VALUES (13, 'My Scale', 'c', 5, 100.0, 101.0);)sql";

class ExplorationTest : public testsupport::ScratchTest {
 protected:
  void SetUpDatabases(Content content, bool userScale = false);
  void TearDown() override;

  // The play loop's words back at their start, for a test that plays.
  static void ResetPlayLoop();

  // Dispatcher calls as the form events make them.
  void SelectRaga(int16_t action);
  void MainOperations(int16_t action);
  // Opens the raga grid, then the illustration screen of the raga of that name by a
  // click on its row.
  void OpenGrid();
  void ClickRaga(const std::string& name, forms::Event event = forms::Event::Click);

  forms::Form& Front() const { return *shell::CurrForm; }
  std::vector<std::string> Lines(const char* list) const;
  std::vector<std::string> FirstGridNames(int count) const;
  // The prompt line that the prompt numbers give after the scale information.
  std::string ExpectedPrompts(const std::string& numbers) const;

  std::unique_ptr<forms::Form> mainForm;
  testsupport::SoundLibDouble soundLib;
};

}  // namespace explorationtest
