// Fixture of the exploration screens: the raga grid and the illustration screen opened
// over a plain main form, on a small content database (every kind of item) or on the
// built content database (the 70 ragas), with a small user database.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "support/ScreenFixture.h"
#include "support/SoundLibDouble.h"

namespace explorationtest {

using testsupport::ChooseLine;
using testsupport::PressOn;

enum class Content { Fixture, Built };

// The user database's saved scale set, when a test asks for one.
inline constexpr const char* kUserScale =
    R"sql(INSERT INTO "Scale Shift Specs" VALUES (13, 'My Scale', 'c', 5, 100.0, 101.0);)sql";

class ExplorationTest : public testsupport::ScreenFixture {
 protected:
  void SetUpDatabases(Content content, bool userScale = false);
  void TearDown() override;

  // Dispatcher calls as the form events make them.
  void SelectRaga(int16_t action);
  void MainOperations(int16_t action);
  // Opens the raga grid, then the illustration screen of the raga of that name by a
  // click on its row.
  void OpenGrid();
  void ClickRaga(const std::string& name, forms::Event event = forms::Event::Click);

  forms::Form& Front() const { return *shell::CurrForm; }
  std::vector<std::string> Lines(const char* list) const { return testsupport::ListLines(Front(), list); }
  std::vector<std::string> FirstGridNames(int count) const;
  // The untuned "ONPR" rows of scale set `set` with tonic key `tonic`.
  static std::string ScaleSetRows(int16_t set, int16_t tonic);

  testsupport::SoundLibDouble soundLib;
};

// The screens playing: music files rendered into the test's folder with the generated
// seeds, heard on the silent output of a fake clock that the test moves on.
class PlayingScreenTest : public ExplorationTest {
 protected:
  static void SetUpTestSuite();
  // After SetUpDatabases: the player (SetUpPlayer), tracing on (tests count procedure
  // entries).
  void SetUpPlaying();
};

}  // namespace explorationtest
