// Fixture of the Composer: the screen opened over a plain main form on the fixture
// ragas' content database (with the raga notes, the prompts and the form layout rows)
// and a small user database with talas, driven through its form events and dispatcher
// as the learner drives it. Message boxes are recorded; a question is answered by
// `answer`.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "support/KillHarness.h"
#include "support/ScreenFixture.h"
#include "support/SoundLibDouble.h"

namespace composertest {

// Notes of the fixture ragas: Yaman (1), Bhairav (2), Bageshri (3).
inline constexpr const char* kRagaNotes = R"sql(
INSERT INTO "Raga - Notes" VALUES (1, '12 14 16 18 19 21 23 24'), (2, '12 13 16 17 19 20 23'),
  (3, '12 14 15 17 19 21 22');
)sql";

// The user database's talas: the content database's two, and one only the user
// database knows (from an earlier release of the program's content).
inline constexpr const char* kUserTalas = R"sql(
INSERT INTO "Tala - Technical Information" VALUES (1, 'Teentaal', 16), (2, 'Rupak', 7), (9, 'Old Taal', 12);
)sql";

class ComposerTest : public testsupport::ScreenFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  using ScreenFixture::ReopenUserDatabase;
  using ScreenFixture::RunOnUserDatabase;
  // "ok" when the user database file passes SQLite's integrity check (the program's
  // connection closed), else what the check reports.
  std::string UserDatabaseIntegrity() const { return testsupport::IntegrityOf(UserFile()); }
  // Every row of a table of the user database, one text per row.
  std::vector<std::string> UserRows(const std::string& table);

  // The dispatcher as the form events and the main menu call it.
  static void Composer(int16_t action);
  // Opens the Composer from the main form.
  void Open();
  // A new composition up to its details confirmed, with all notes in the palette.
  void NewComposition(const std::string& raga, const std::string& mukhada, const std::string& asthai = "Piya bina",
                      const std::string& antara = "Sakhi ri", const std::string& tala = "Teentaal",
                      const std::string& beatAsthai = "1", const std::string& beatAntara = "5",
                      const std::string& speed = "60");
  // The Composer gone without a word (when it is loaded), the main form in front.
  void CloseScreen();
  // Opens it and chooses a raga, then a category option ("cOAlap" ...).
  void OpenCategory(const std::string& raga, const char* option);

  forms::Form& Screen() const;
  forms::Control& Ctl(const char* name) const;
  forms::Control& Ctl(const char* name, int16_t index) const;
  bool Shown(const char* name) const { return Ctl(name).Visible(); }
  std::string Text(const char* name) const { return Ctl(name).Text(); }

  // The learner's doings.
  void Choose(const std::string& line);        // a line of cRagaList
  void Click(const char* name);                // a button, option, text box or menu item
  void Click(const char* name, int16_t index); // an element of a control array
  void Select(const char* option);             // an option button chosen
  void Type(const char* box, const std::string& text);
  void Type(const char* box, int16_t index, const std::string& text);

  std::vector<std::string> Lines() const { return testsupport::ListLines(Screen(), "cRagaList"); }
  std::vector<int16_t> Elements(const char* name) const { return Screen().Elements(name); }
  // The save of what the screen holds (prepared for saving), killed after each statement
  // it sends (tests/support/KillHarness.h): the user's tables as before or as after.
  void KillTheSaveAtEveryStatement();
  // Neither an error reported nor a halt so far.
  bool RanClean() const;

  testsupport::SoundLibDouble soundLib;
  int answer = 7;  // vbNo: the answer to a question
  std::vector<std::string> questions;
};

}  // namespace composertest
