// Test support: what the screens' fixtures share. A content database ("mrA.kzy": a small
// one made from SQL in the test's folder, or the built one) and a user database
// ("mrB.kzy") opened as the program opens them; the state a screen's dispatcher reads
// when the program has started; a plain main form for the screen to open over; and the
// player on the silent output of a fake clock that the test moves on.
// A fixture sets up the pieces it needs, in its own order; TearDown undoes what was set up.
#pragma once

#include <QCoreApplication>
#include <QListWidget>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"
#include "platform/mci/Clock.h"
#include "platform/vb/Folders.h"
#include "shell/Globals.h"
#include "shell/ShellState.h"
#include "shell/ScreenForms.h"
#include "sound/Keyboard.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SoundLibDouble.h"
#include "support/SqlFixture.h"

namespace testsupport {

// The indexes first to last of a control array.
inline std::vector<int16_t> Range(int16_t first, int16_t last) {
  std::vector<int16_t> r;
  for (int16_t i = first; i <= last; ++i) r.push_back(i);
  return r;
}

// The lines of a list box, in order.
inline std::vector<std::string> ListLines(forms::Form& form, const char* list) {
  auto& l = form.Get<forms::ListControl>(list);
  std::vector<std::string> lines;
  for (int16_t i = 0; i < l.ListCount(); ++i) lines.push_back(l.List(i));
  return lines;
}

// The learner's click on a line of a list box, which must be enabled.
inline void ChooseLine(forms::Form& form, const char* list, const std::string& line) {
  auto& l = form.Get<forms::ListControl>(list);
  ASSERT_TRUE(l.TakesInput()) << list;
  for (int16_t i = 0; i < l.ListCount(); ++i) {
    if (l.List(i) != line) continue;
    static_cast<QListWidget*>(l.Widget())->setCurrentRow(i);
    return;
  }
  ADD_FAILURE() << line << " is not in " << list;
}

// The learner's click on a button or menu item, which must be visible and take input
// now (enabled, and live when its form is busy).
inline void PressOn(forms::Form& form, const char* name) {
  forms::Control& c = form.Ctl(name);
  ASSERT_TRUE(c.Visible() && c.TakesInput()) << name;
  c.RaiseFromUser(forms::Event::Click);
}

class ScreenFixture : public ScratchTest {
 protected:
  // Releases the main form, stops the fake clock and closes the databases, each when it
  // was set up. A fixture releases its screens' forms first (ReleaseForms).
  void TearDown() override {
    if (mainForm) {
      ReleaseForms({mainForm.get()});
      shell::CurrForm = shell::PrevForm = shell::FormVelmora = nullptr;
      mainForm.reset();
    }
    if (clock) {
      QCoreApplication::processEvents();
      mci::SetDefaultClock(nullptr);
      clock.reset();
    }
    CloseDatabases();
    ScratchTest::TearDown();
  }

  std::string ContentFile() const { return Path("mrA.kzy"); }
  std::string UserFile() const { return Path("mrB.kzy"); }
  static std::string BuiltContentFile() { return vb::ShareFolderPath() + "/mrA.kzy"; }

  // A content database of the rows given, the instrument rows of a small database, the
  // common prompts, the data files of content/data named, the reed colours and the layout
  // rows of every declared form, opened. In one transaction: it is made in a moment.
  void MakeContent(const std::string& rows, std::initializer_list<const char*> dataFiles) {
    std::string sql = "BEGIN;\n" + rows + kMinimalInstrumentRows + ContentData("prompts.sql");
    for (const char* file : dataFiles) sql += ContentData(file);
    sql += ContentData("reed_colors.sql") + forms::LayoutRowsSql(forms::DeclaredForms()) + "COMMIT;\n";
    MakeContentFixture(ContentFile(), sql);
    OpenContentDatabase(ContentFile());
  }
  // The built content database (the program's own content), opened.
  void OpenBuiltContent() {
    ASSERT_TRUE(std::filesystem::exists(BuiltContentFile())) << BuiltContentFile();
    OpenContentDatabase(BuiltContentFile());
  }
  // A user database with the rows of sql, opened.
  void MakeUser(const std::string& sql = "") {
    MakeUserFixture(UserFile(), sql);
    OpenUserDatabase(UserFile());
  }

  // The user database closed and opened again, as a new run of the program opens it.
  void ReopenUserDatabase() {
    shell::DatabaseB.Close();
    OpenUserDatabase(UserFile());
  }
  // SQL run on a database file while the program's connection to it is closed.
  void RunOnUserDatabase(const std::string& sql) {
    shell::DatabaseB.Close();
    RunSql(UserFile(), sql);
    OpenUserDatabase(UserFile());
  }
  void RunOnContentDatabase(const std::string& sql) {
    shell::DatabaseA.Close();
    RunSql(ContentFile(), sql);
    OpenContentDatabase(ContentFile());
  }
  // SQL run on the content and the user database ("" for none), both closed around it.
  void AddRows(const std::string& contentSql, const std::string& userSql) {
    CloseDatabases();
    if (!contentSql.empty()) RunSql(ContentFile(), contentSql);
    if (!userSql.empty()) RunSql(UserFile(), userSql);
    OpenContentDatabase(ContentFile());
    OpenUserDatabase(UserFile());
  }

  // The state every screen finds when the program has started: notes, queries and reed
  // colours set up, the main window's place, English notation with grace notes, tonic
  // key 3 and scale set 3 in demo mode, no raga, item or phrase chosen, nothing playing.
  void SetUpScreenState() {
    shell::ShareFolder = vb::ShareFolderPath();
    common::sInitScales();
    common::sSetSQLStrings();
    sound::sInitReedColorType();
    sound::sInitReedsDisplayedData();
    shell::PromptSeparator = " - ";
    shell::NotationScript = 2;
    shell::GraceNotes = 2;
    shell::DevnagariAvailable = 0;
    shell::SortingMode = 0;
    shell::FormState = 0;
    shell::FormL = 600;
    shell::FormT = 450;
    shell::FormW = 12000;
    shell::FormH = 8400;
    sound::KeyboardDisplay = 1;
    sound::CurrTonicNoteId = 3;
    sound::CurrMusicSetId = 3;
    sound::CurrDroneType = 3;
    sound::CallbackCode = 0;
    sound::CurrOperationMode = 1;
    sound::LoopFlag = 0;
    sound::CurrItemKind = 0;
    common::CurrRagaIndex = 0;
    common::CurrRagaName.clear();
    common::CurrAddInfo.clear();
    common::CurrNotationIndex = 0;
    common::CurrPhraseType = 0;
  }

  // The screens' forms bound, and a plain main form (id 1) shown in front.
  void OpenMainForm() {
    shell::sBindForms();
    forms::FormSpec main("Velmora", "Velmora", 1, {0, 0, 12000, 9000});
    main.Menu("cMnuTraOn", "Trace On");
    main.Menu("cMnuTraOff", "TraceOff");
    mainForm = std::make_unique<forms::Form>(main);
    shell::FormVelmora = mainForm.get();
    shell::CurrForm = mainForm.get();
    shell::PrevForm = nullptr;
    shell::CurrFormId = 1;
    shell::ParentFormId = {};
    mainForm->Show();
  }
  // Releases the forms of these that are loaded, in order.
  static void ReleaseForms(std::initializer_list<forms::Form*> forms) {
    for (forms::Form* form : forms)
      if (form != nullptr && form->Loaded()) form->Release();
  }

  // The play loop's words back at their start.
  static void ResetPlayLoop() {
    sound::PlayState = 0;
    sound::ListEndsAtDone = 0;
    sound::PlayOnAfterStop = 0;
    sound::TPlayInfo = {};
    sound::NotesList = {};
    sound::CurrSlot = 0;
    sound::CurrDroneFactor = 1.0;
  }
  // Music files rendered into the test's folder, the play loop at rest and the player on
  // the fake clock.
  void SetUpPlayer() {
    shell::TempFolder = folder_.string() + "/";
    shell::sSetGlobalVariables();
    ResetPlayLoop();
    clock = std::make_shared<mci::FakeClock>();
    mci::SetDefaultClock(clock);
  }
  // Moves time on in steps of 10 ms, the event loop delivering what falls due, for `span`
  // or until `done` holds; Record() after every step.
  void PlayFor(std::chrono::milliseconds span, const std::function<bool()>& done = {}) {
    using namespace std::chrono_literals;
    for (auto t = 0ms; t < span && !(done && done()); t += 10ms) {
      clock->Advance(10ms);
      QCoreApplication::processEvents();
      Record();
    }
  }
  virtual void Record() {}

  // The prompt line that the prompt numbers give after the scale information.
  static std::string ExpectedPrompts(const std::string& numbers) {
    return sound::fGetScaleInfo() + " - " + common::fGetPrompts(numbers);
  }

  std::unique_ptr<forms::Form> mainForm;
  std::shared_ptr<mci::FakeClock> clock;
};

}  // namespace testsupport
