// Fixtures of the scale-shifting tests: the user database alone (storage), and the
// screen opened over a plain main form on the built content database with a small user
// database, the real sound library behind a recording double, and the player on a
// fake clock.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"
#include "support/ScreenFixture.h"
#include "support/SoundLibDouble.h"

namespace scaleshifttest {

// Every row of the user's scale tables, as text, by table: what a save must change, and
// all it may change.
using TableDump = std::map<std::string, std::vector<std::string>>;
TableDump DumpScaleTables(const std::string& userDatabase);

// The SPC of a note of the main instrument in the built content database.
double SeedSpc(int note);

// SQL of a saved set: its header (unless header is false) and both ONPR rows (unless
// rows is false), column k holding id / 100 + k / 1000 as a single, written as the
// program writes a single.
std::string UserSetRows(int id, const std::string& name, int tonic, bool header = true, bool rows = true);
inline float UserSetValue(int id, int k) { return static_cast<float>(id / 100.0 + k / 1000.0); }

// A user database, opened as the program opens it (the screen's fixture without the
// screen).
class UserDatabaseTest : public testsupport::ScreenFixture {
 protected:
  void SetUp() override;
  // Closes the user database, runs sql on the file and opens it again.
  void AlterUserDatabase(const std::string& sql) { RunOnUserDatabase(sql); }
  // Every row of the scale tables (the database closed and opened again around it).
  TableDump Dump();
  // Column k of the ONPR row (id, type), as a single; NaN when there is no row.
  float Column(int16_t id, int16_t type, int k);
};

// The scale-shifting screen over a main form.
class ScreenTest : public UserDatabaseTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Dispatch(int16_t action);
  void Open() { Dispatch(0); }
  forms::Form& Screen() const { return *shell::FormScaleShifting; }
  forms::Control& Ctl(const char* name) const { return Screen().Ctl(name); }
  bool Shown(const char* name) const { return Ctl(name).Visible(); }

  // The learner's doings; each asserts that the control can be used.
  void Press(const char* button) { testsupport::PressOn(Screen(), button); }
  void ClickKey(int16_t key);
  void ChooseLine(const std::string& line);
  void TypeName(const std::string& name) { Ctl("cSettingName").SetText(name); }
  void MenuClick(const char* item) { testsupport::PressOn(Screen(), item); }

  // Moves the fake clock on until the player is silent, then lets the screen's timer
  // tick when it is waiting (the end of the wait after a sound).
  void EndSound();
  void Advance(std::chrono::milliseconds span) { PlayFor(span); }
  bool Playing() const;

  // From the tonic step: key chosen and heard, tuned with the slider at slider and
  // heard, and the scale created; the naming controls are then shown.
  void ShiftScale(int16_t key, int16_t slider);
  // The same, then saved under name.
  void DefineScale(int16_t key, int16_t slider, const std::string& name);

  // The pitch of note as the sound library renders it now (play mode 0, no drone).
  double RenderedHz(int note);

  // Which keys (labels) are shown.
  std::vector<int16_t> ShownKeys() const;

  testsupport::SoundLibDouble soundLib{testsupport::SoundLibDouble::Mode::Forward};
};

}  // namespace scaleshifttest
