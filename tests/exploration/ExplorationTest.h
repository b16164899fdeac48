// Fixture of the exploration screens: the raga grid and the illustration screen opened
// over a plain main form, on a small content database (every kind of item) or on the
// built content database (the 70 ragas), with a small user database.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/Clock.h"
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
  // Runs SQL on the closed content and user databases ("" for none) and opens them again.
  void AddRows(const std::string& contentSql, const std::string& userSql);
  // The untuned "ONPR" rows of scale set `set` with tonic key `tonic`.
  static std::string ScaleSetRows(int16_t set, int16_t tonic);

  std::unique_ptr<forms::Form> mainForm;
  testsupport::SoundLibDouble soundLib;
};

// The screens playing: music files rendered into the test's folder with the generated
// seeds, heard on the silent output of a fake clock that the test moves on.
class PlayingScreenTest : public ExplorationTest {
 protected:
  static void SetUpTestSuite();
  // After SetUpDatabases: the music files' folder, the play loop at rest, tracing on
  // (tests count procedure entries) and the fake clock.
  void SetUpPlaying();
  void TearDown() override;

  // Moves time on in steps of 10 ms, the event loop delivering what falls due, for
  // `span` or until `done` holds; Record() after every step.
  void PlayFor(std::chrono::milliseconds span, const std::function<bool()>& done = {});
  virtual void Record() {}

  // The learner's doings: a click on a line of a list, a press of a button (which must
  // be visible and enabled).
  static void ChooseLine(forms::Form& form, const char* list, const std::string& line);
  static void PressOn(forms::Form& form, const char* button);

  std::shared_ptr<mci::FakeClock> clock;
};

}  // namespace explorationtest
