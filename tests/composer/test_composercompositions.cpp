// Compositions in the Composer: a new composition's details and name, its asthai and
// antara written with notes, durations and syllables, switching between the parts,
// saving both parts in one transaction under the composition's own number, loading it
// again from the user's list, and the checks with their messages.
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ComposerTest.h"
#include <filesystem>
#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "composer/Composer.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerState.h"
#include "composer/RowImages.h"
#include "exploration/MainOperations.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace composertest {
namespace {

using Names = std::vector<std::string>;

// Palette notes and beat time values (index: 0.0625 0.125 0.25 0.33 0.5 0.67 0.75 1 ... 2 at 13, 4 at 17).
constexpr int16_t kS = 12, kR = 14, kG = 16, km = 17, kP = 19, kD = 21, kN = 23, kSu = 24, kComma = 32;
constexpr int16_t kHalf = 4, kOne = 7, kTwo = 13, kFour = 17;

class CompositionTest : public ComposerTest {
 public:
  void ChoosePallet(int16_t i) {
    if (composer::SelectedPalletNote != i) Click("cNotation", i);
  }
  void ChooseTime(int16_t i) {
    if (composer::SelectedTimeValue != i) Click("cTimeVal", i);
  }
  // A note, its duration and (unless "") the syllable it starts.
  void Put(int16_t slot, int16_t note, int16_t value, const std::string& syllable = "") {
    ChoosePallet(note);
    Click("cNote", slot);
    ChooseTime(value);
    Click("cTime", slot);
    if (!syllable.empty()) Type("cCompSyl", slot, syllable);
  }
  // The asthai of the fixture: S R G m P (1 1 0.5 0.5 1) with "Pi ya bi _ na".
  void WriteAsthai() {
    Put(0, kS, kOne, "Pi");
    Put(1, kR, kOne, "ya");
    Put(2, kG, kHalf, "bi");
    Put(3, km, kHalf);
    Put(4, kP, kOne, "na");
  }
  // The antara: P D N S> (2 1 1 4) with "Sa khi ri _".
  void WriteAntara() {
    Put(0, kP, kTwo, "Sa");
    Put(1, kD, kOne, "khi");
    Put(2, kN, kOne, "ri");
    Put(3, kSu, kFour);
  }
  Names Column(const char* array, bool text = false) const {
    Names out;
    for (int16_t k = 0; k < 40; ++k) out.push_back(text ? Ctl(array, k).Text() : Ctl(array, k).Caption());
    return out;
  }
  struct Slots {
    Names notes, times, syllables;
    bool operator==(const Slots&) const = default;
  };
  Slots InSlots() const { return {Column("cNote"), Column("cTime"), Column("cCompSyl", true)}; }
  void Save() {
    messages.clear();
    Click("cSave");
  }
  // The user database's rows of one composition number.
  Names CompositionRows(int32_t number) {
    Names rows;
    for (const std::string& row : UserRows("Raga - Composition Notations"))
      if (row.rfind(std::to_string(number) + " |", 0) == 0) rows.push_back(row);
    return rows;
  }
  Names AllTables() {
    Names all = UserRows("Raga - Additional Information");
    for (const char* table : {"Raga - Composition Notations", "Raga - ALT Phrases"}) {
      const Names rows = UserRows(table);
      all.insert(all.end(), rows.begin(), rows.end());
    }
    return all;
  }
};

// A composition made, written in both parts with a switch between them,
// saved, found again after a new run under "Existing Composition" with every note,
// duration and syllable in its slot, and listed on the illustration screen.
TEST_F(CompositionTest, ANewCompositionWrittenInBothPartsIsSavedAndComesBackSlotForSlot) {
  NewComposition("Yaman", "My Bandish");
  EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
  EXPECT_EQ(Text("cPrompts"),
            ExpectedPrompts("44,45,46,47,48,49,50,52,53,60,61,57,58,59,62,63,64,68,69"));
  EXPECT_TRUE(Screen().Get<forms::TextBox>("cMukhada").Locked());
  EXPECT_TRUE(Screen().Get<forms::TextBox>("cTaal").Locked());
  EXPECT_TRUE(Shown("Frame1"));
  EXPECT_EQ(Screen().Get<forms::OptionButton>("cOAsthai").Value(), 1);
  EXPECT_EQ(sound::CurrCompPart, 1);
  EXPECT_EQ(common::TCompInfo.NotationIndex, 2) << "one more than the user's composition 1";
  EXPECT_EQ(common::CurrAddInfo, "My Bandish");
  EXPECT_EQ(Elements("cCompSyl").size(), 40u);
  EXPECT_EQ(Ctl("cLabel", 3).Caption(), "Syllables");
  EXPECT_GT(Ctl("cTimeVal", 0).Top(), Ctl("cTaal").Top());
  EXPECT_EQ(Ctl("cTimeVal", 7).Caption(), "1");

  WriteAsthai();
  const Slots asthai = InSlots();
  Select("cOAntara");
  EXPECT_EQ(sound::CurrCompPart, 2);
  EXPECT_EQ(Column("cNote")[0], "") << "the antara is empty";
  WriteAntara();
  const Slots antara = InSlots();
  Select("cOAsthai");
  EXPECT_EQ(InSlots(), asthai) << "the asthai keeps its edits";
  Select("cOAntara");
  EXPECT_EQ(InSlots(), antara) << "the antara keeps its edits";
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRows("Raga - Additional Information"), (Names{"1 | My Song | 2 | 1", "1 | My Bandish | 2 | 2"}));
  EXPECT_EQ(CompositionRows(2),
            (Names{"2 | 1 | 1 | My Bandish | Null | Null | Piya bina | Pi ya bi na | 1 1 1 1 | S R G m P | 1 1 0.5 0.5 1 | "
                   "1 | 1 | 60",
                   "2 | 2 | 1 | My Bandish | Null | Null | Sakhi ri | Sa khi ri | 2 1 5 | P D N S> | 2 1 1 4 | 1 | 5 | 60"}));

  // A new run of the program.
  Click("cReturn");
  EXPECT_TRUE(questions.empty());
  ReopenUserDatabase();
  Open();
  Choose("Yaman");
  Select("cOCompE");
  EXPECT_EQ(Lines(), (Names{"My Bandish", "My Song"}));
  Choose("My Bandish");
  EXPECT_EQ(Text("cMukhada"), "My Bandish");
  EXPECT_EQ(Text("cTaal"), "Teentaal");
  EXPECT_EQ(Text("cAsthai"), "Piya bina");
  EXPECT_EQ(Text("cAntara"), "Sakhi ri");
  EXPECT_EQ(Text("cStartBeatAst"), "1");
  EXPECT_EQ(Text("cStartBeatAnt"), "5");
  EXPECT_EQ(Text("cSpeed"), "60");
  EXPECT_EQ(Ctl("cSpeed").Top(), Ctl("cStartBeatAnt").Top());
  EXPECT_TRUE(Screen().Get<forms::TextBox>("cMukhada").Locked());
  EXPECT_EQ(InSlots(), asthai);
  Select("cOAntara");
  EXPECT_EQ(InSlots(), antara);
  EXPECT_EQ(sound::CompBeatCount, 16);

  Click("cReturn");
  EXPECT_TRUE(questions.empty()) << "nothing changed since it was loaded";
  int16_t open = 0;
  exploration::sMainOperations(open);
  auto& list = shell::FormMainOperations->Get<forms::ListControl>("cUserIllusList");
  std::vector<std::string> lines;
  for (int16_t i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
  EXPECT_EQ(lines, (Names{"Alap Phrases (1)", "Composition - My Bandish", "Composition - My Song"}));
  EXPECT_TRUE(RanClean());
}

// A name the raga's compositions have already, in any letter case or with blanks
// around it, is refused before anything is written.
TEST_F(CompositionTest, ANameTheRagaHasAlreadyIsRefusedInAnyLetterCase) {
  NewComposition("Yaman", "My Bandish");
  WriteAsthai();
  Save();
  ASSERT_EQ(MessageTexts(), Names{"Music Saved"});
  Click("cReturn");
  const Names before = AllTables();
  for (const std::string name : {"my bandish ", "MY BANDISH", "  My Bandish", "my song"}) {
    SCOPED_TRACE(name);
    messages.clear();
    NewComposition("Yaman", name);
    EXPECT_EQ(MessageTexts(), Names{"The raga already has a composition named '" +
                                    common::fRmvLeadBlk(common::fRmvTrailBlk(name)) + "'. Please choose another Mukhada."});
    EXPECT_TRUE(Shown("cOK")) << "the details stay to be changed";
    EXPECT_FALSE(Screen().Get<forms::TextBox>("cMukhada").Locked());
    EXPECT_EQ(AllTables(), before);
    answer = vb::vbYes;
    Click("cReturn");
  }
  messages.clear();
  NewComposition("Bhairav", "My Bandish");
  EXPECT_TRUE(messages.empty()) << "another raga may use the name";
  EXPECT_TRUE(RanClean());
}

// The name is taken as it is compared and stored: blanks around it left out, no
// control character and no more than 50 characters in it.
TEST_F(CompositionTest, ANameIsTrimmedBoundedAndFreeOfControlCharactersBeforeItIsStored) {
  for (const std::string& refused : {std::string("My\tBandish"), std::string(51, 'b')}) {
    SCOPED_TRACE(refused);
    messages.clear();
    NewComposition("Yaman", refused);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt.rfind("Please use a Name", 0), 0u) << messages[0].prompt;
    EXPECT_TRUE(Shown("cOK")) << "the details stay to be changed";
    EXPECT_EQ(Text("cMukhada"), refused);
    answer = vb::vbYes;
    Click("cReturn");
  }
  messages.clear();
  NewComposition("Yaman", "  My Bandish ");
  WriteAsthai();
  Save();
  ASSERT_EQ(MessageTexts(), Names{"Music Saved"});
  const Names items = UserRows("Raga - Additional Information");
  EXPECT_NE(std::find(items.begin(), items.end(), "1 | My Bandish | 2 | 2"), items.end())
      << ::testing::PrintToString(items);
}

// Compositions whose numbers are damaged (not a number, or past any number) keep their
// names, and are passed over when a new composition takes the next number.
TEST_F(CompositionTest, ADamagedCompositionNumberIsPassedOverAndKept) {
  RunOnUserDatabase(
      R"sql(INSERT INTO "Raga - Additional Information" VALUES (1, 'Broken', 2, 'one'), (1, 'Far', 2, 9e12);)sql");
  const Names before = UserRows("Raga - Additional Information");
  NewComposition("Yaman", "broken");
  EXPECT_EQ(MessageTexts(), Names{"The raga already has a composition named 'broken'. Please choose another Mukhada."});
  answer = vb::vbYes;
  Click("cReturn");
  messages.clear();
  NewComposition("Yaman", "Gat");
  WriteAsthai();
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(CompositionRows(2).size(), 2u) << "the number after My Song's";
  Names after = UserRows("Raga - Additional Information");
  ASSERT_EQ(after.size(), before.size() + 1);
  after.pop_back();
  EXPECT_EQ(after, before);
  EXPECT_TRUE(RanClean());
}

TEST_F(CompositionTest, TheDetailsAreCheckedBeforeTheCompositionIsSetUp) {
  struct Case {
    std::string mukhada, beatAsthai, beatAntara, speed;
    std::string message;  // "" accepted
  };
  const std::string all = "All data (Mukhada, Starting beats for Asthai and Antara, and Beat Duration) must be specified";
  const std::string beats = "The starting beats must be whole numbers from 1 to 7, the beats of the tala. Please correct.";
  const std::string speed = "The Beat Duration must be a whole number from 1 to 999. Please correct.";
  const Case cases[] = {
      {"", "1", "1", "40", all},      {"   ", "1", "1", "40", all},  {"Gat", "", "1", "40", all},
      {"Gat", "1", "", "40", all},    {"Gat", "1", "1", "", all},    {"Gat", "0", "1", "40", beats},
      {"Gat", "1", "8", "40", beats}, {"Gat", "2.5", "1", "40", beats}, {"Gat", "abc", "1", "40", beats},
      {"Gat", "-5", "1", "40", beats}, {"Gat", "99999", "1", "40", beats}, {"Gat", "1", "1", "0", speed},
      {"Gat", "1", "1", "1000", speed}, {"Gat", "1", "1", "2.5", speed}, {"Gat", "7", "1", "1", ""},
      {"Gat", "1", "7", "999", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.mukhada + "' " + c.beatAsthai + " " + c.beatAntara + " " + c.speed);
    messages.clear();
    NewComposition("Yaman", c.mukhada, "Piya", "Sakhi", "Rupak", c.beatAsthai, c.beatAntara, c.speed);
    EXPECT_EQ(MessageTexts(), c.message.empty() ? Names{} : Names{c.message});
    EXPECT_EQ(Shown("Frame1"), c.message.empty());
    answer = vb::vbYes;
    Click("cReturn");
  }
  EXPECT_TRUE(RanClean());
}

// Each fault of a part gets its message; the part's record stays as it was.
TEST_F(CompositionTest, APartAtFaultIsRefusedAndItsRecordStaysAsItWas) {
  struct Case {
    const char* what;
    std::function<void(CompositionTest&)> doing;
    std::string message;
  };
  const Case cases[] = {
      {"syllables that do not spell the text",
       [](CompositionTest& t) { t.Put(0, kS, kOne, "Pi"); t.Put(1, kR, kOne, "yaa"); },
       "Discrepancies found in syllables. Check and correct"},
      {"a letter case that differs", [](CompositionTest& t) { t.Put(0, kS, kOne, "pi"); t.Put(1, kR, kOne, "ya"); },
       "Discrepancies found in syllables. Check and correct"},
      {"a note without its duration",
       [](CompositionTest& t) { t.Put(0, kS, kOne, "Piya"); t.ChoosePallet(kR); t.Click("cNote", 1); },
       "You must supply duration for every note. (row 1, slot 2)"},
      {"a duration without its note",
       [](CompositionTest& t) { t.Put(0, kS, kOne, "Piya"); t.ChooseTime(kOne); t.Click("cTime", 22); },
       "You cannot supply duration without note. (row 2, slot 3)"},
      {"a comma", [](CompositionTest& t) { t.Put(0, kS, kOne, "Piya"); t.ChoosePallet(kComma); t.Click("cNote", 1); },
       "A composition part cannot hold a comma. (row 1, slot 2)"},
      {"a first note without a syllable",
       [](CompositionTest& t) { t.Put(0, kS, kOne); t.Put(1, kR, kOne, "Piya"); },
       "The first note of the part needs a syllable. Please correct. (row 1, slot 1)"},
      {"a syllable under no note", [](CompositionTest& t) { t.Put(0, kS, kOne, "Pi"); t.Type("cCompSyl", 2, "ya"); },
       "A syllable must stand under a note with its duration. Please correct. (row 1, slot 3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewComposition("Yaman", "Gat", "Piya");
    const common::CompDataRec before = common::TCompData[0];
    c.doing(*this);
    Save();
    EXPECT_EQ(MessageTexts(), Names{c.message});
    EXPECT_EQ(common::TCompData[0].Notation, before.Notation);
    EXPECT_EQ(common::TCompData[0].NotesDuration, before.NotesDuration);
    EXPECT_EQ(common::TCompData[0].Syllables, before.Syllables);
    EXPECT_EQ(common::TCompData[0].SyllableDuration, before.SyllableDuration);
    EXPECT_EQ(UserRows("Raga - Composition Notations").size(), 1u) << "nothing saved";
    answer = vb::vbYes;
    Click("cReturn");
  }
  EXPECT_TRUE(RanClean());
}

TEST_F(CompositionTest, APartThatCannotBeKeptStaysOnScreenWhenTheOtherIsChosen) {
  NewComposition("Yaman", "Gat");
  Put(0, kS, kOne, "Pi");
  Select("cOAntara");
  EXPECT_EQ(MessageTexts(), Names{"Discrepancies found in syllables. Check and correct"});
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_EQ(Screen().Get<forms::OptionButton>("cOAsthai").Value(), 1) << "its option is chosen again";
  EXPECT_EQ(sound::CurrCompPart, 1);
  EXPECT_EQ(Ctl("cNote", 0).Caption(), "S");
  EXPECT_EQ(Ctl("cCompSyl", 0).Text(), "Pi");
  Type("cCompSyl", 0, "Piyabina");
  Select("cOAntara");
  EXPECT_EQ(sound::CurrCompPart, 2);
  EXPECT_EQ(common::TCompData[0].Notation, "S");
  EXPECT_EQ(common::TCompData[0].Syllables, "Piyabina");
}

TEST_F(CompositionTest, ACompositionWithOnePartStillEmptyIsSavedAndLoadsBackTheSame) {
  NewComposition("Yaman", "Half Done");
  WriteAsthai();
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(CompositionRows(2).size(), 2u);
  EXPECT_EQ(CompositionRows(2)[1], "2 | 2 | 1 | Half Done | Null | Null | Sakhi ri |  |  |  |  | 1 | 5 | 60");
  Click("cNewCat");
  Select("cOCompE");
  Choose("Half Done");
  Select("cOAntara");
  EXPECT_EQ(Column("cNote")[0], "");
  WriteAntara();
  Select("cOAsthai");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(CompositionRows(2)[1].find("2 | 2 | 1 | Half Done | Null | Null | Sakhi ri | Sa khi ri | 2 1 5 | P D N S>"), 0u);
  EXPECT_EQ(UserRows("Raga - Additional Information").size(), 2u) << "its name row is written once";

  // Nothing written in either part is nothing to save.
  Click("cReturn");
  NewComposition("Yaman", "Empty");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"No Notes Specified"});
  EXPECT_TRUE(RanClean());
}

// A note whose matras at the beat duration would last longer than a note can be kept is
// refused at Save (it would be stored and then refused as damaged at every Play).
TEST_F(CompositionTest, ANoteTooLongAtItsBeatDurationIsNotSaved) {
  NewComposition("Yaman", "Long Note");
  Type("cSpeed", "999");
  ChoosePallet(kS);
  Click("cNote", 0);
  ChooseTime(kFour);
  for (int i = 0; i < 9; ++i) Click("cTime", 0);  // 36 matras of 9.99 s
  Type("cCompSyl", 0, "Piyabina");
  const Names before = UserRows("Raga - Composition Notations");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"This duration is too short or too long to be kept. Please correct. (row 1, slot 1)"});
  EXPECT_EQ(UserRows("Raga - Composition Notations"), before) << "nothing stored";
  Type("cSpeed", "900");  // 36 matras of 9 s fit
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(CompositionRows(2).size(), 2u);
}

// Both parts are saved with their own starting beats and the one beat duration, and the
// part not on screen is checked against its own text.
TEST_F(CompositionTest, ThePartNotOnScreenIsSavedWithItsOwnStartingBeatAndCheckedAgainstItsText) {
  NewComposition("Yaman", "Gat");
  WriteAsthai();
  Select("cOAntara");
  WriteAntara();
  Type("cStartBeatAst", "3");
  Type("cSpeed", "45");
  Type("cAsthai", "Piya  bina re");  // the asthai's syllables no longer spell its text
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Discrepancies found in syllables of the Asthai. Check and correct"});
  Type("cAsthai", "Piya bina");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  const Names rows = CompositionRows(2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_NE(rows[0].find("| 1 | 3 | 45"), std::string::npos) << rows[0];
  EXPECT_NE(rows[1].find("| 1 | 5 | 45"), std::string::npos) << rows[1];
}

// A save that fails in the middle: the three tables as they were, the message, the work
// on the screen, the program running.
TEST_F(CompositionTest, ASaveThatFailsHalfWayLeavesEveryTableAsItWas) {
  RunOnUserDatabase(R"sql(
CREATE TRIGGER refuse_antara BEFORE INSERT ON "Raga - Composition Notations" WHEN NEW."Composition Part" = 2
BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;
)sql");
  const Names before = AllTables();
  NewComposition("Yaman", "My Bandish");
  WriteAsthai();
  const Slots asthai = InSlots();
  Save();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt.find("Your composition could not be saved ("), 0u) << messages[0].prompt;
  EXPECT_EQ(AllTables(), before);
  EXPECT_EQ(InSlots(), asthai);
  EXPECT_TRUE(RanClean());
  answer = vb::vbNo;
  Click("cNewCat");
  EXPECT_EQ(questions.size(), 1u) << "the composition was never saved";
  EXPECT_EQ(InSlots(), asthai);
}

TEST_F(CompositionTest, AKillInTheMiddleOfACompositionSaveLeavesNoPartOfIt) {
  NewComposition("Yaman", "My Bandish");
  WriteAsthai();
  ASSERT_TRUE(composer::fPrepareCompositionForSave());
  const Names before = AllTables();
  shell::DatabaseB.Close();
  const pid_t child = fork();
  if (child == 0) {
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
    composer::SaveRowWrittenHook = [](int row) {
      if (row == 2) kill(getpid(), SIGKILL);  // the name row and the asthai written
    };
    composer::sSaveMusicToDatabase();
    _exit(3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(UserDatabaseIntegrity(), "ok");
  ReopenUserDatabase();
  EXPECT_EQ(AllTables(), before) << "no name row without both parts";
  EXPECT_TRUE(composer::sSaveMusicToDatabase());
  EXPECT_EQ(CompositionRows(2).size(), 2u);
}

// The same save killed after each statement it sends (tests/support/KillHarness.h).
TEST_F(CompositionTest, KilledAfterAnyStatementTheSaveLeavesTheTablesAsBeforeOrAsAfter) {
  NewComposition("Yaman", "My Bandish");
  WriteAsthai();
  ASSERT_TRUE(composer::fPrepareCompositionForSave());
  KillTheSaveAtEveryStatement();
}

// A stored composition whose asthai row is missing is saved under its own number with
// both rows; a number that names another composition is never written over.
TEST_F(CompositionTest, ACompositionIsSavedOnlyUnderItsOwnNumber) {
  RunOnUserDatabase(R"sql(
INSERT INTO "Raga - Additional Information" VALUES (1, 'Lost Asthai', 2, 7);
INSERT INTO "Raga - Composition Notations" VALUES (7, 2, 1, 'Lost Asthai', 1, 2, 'Sakhi', 'Sa khi', '1 1', 'S R', '1 1', 1, 1, 50);
)sql");
  Open();
  Click("cMnuAllNot");
  Choose("Yaman");
  Select("cOCompE");
  Choose("Lost Asthai");
  EXPECT_EQ(Text("cMukhada"), "Lost Asthai");
  EXPECT_EQ(Text("cSpeed"), "50");
  Type("cAsthai", "Ga");
  Type("cStartBeatAst", "1");
  Put(0, kG, kOne, "Ga");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(CompositionRows(7).size(), 2u);
  EXPECT_EQ(CompositionRows(7)[1].find("7 | 1 | 1 | Lost Asthai | Null | Null | Ga | Ga | 1 | G | 1 | 1 | 1 | 50"), 0u);
  EXPECT_TRUE(CompositionRows(0).empty());

  // An earlier program left a second name on number 7.
  RunOnUserDatabase(R"sql(INSERT INTO "Raga - Additional Information" VALUES (1, 'Other', 2, 7);)sql");
  const Names before = AllTables();
  Put(1, kR, kOne);
  Save();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("This composition's number is used by another composition"), std::string::npos);
  EXPECT_EQ(AllTables(), before);
  EXPECT_TRUE(RanClean());
}

// A composition carried over from an earlier installation ("My Song" of the fixture: its
// syllables "la la" do not spell its text "My own song", and its antara row is missing):
// its antara can be shown, and a save keeps the unchanged asthai as it is stored. Once
// the asthai is edited, its syllables are checked.
TEST_F(CompositionTest, ACarriedOverCompositionShowsItsAntaraAndKeepsWhatWasNotChanged) {
  const std::string asthaiRow = "1 | 1 | 1 | Mine | 1 | 2 | My own song | la la | 2 2 | S R | 2 2 | 2 | 1 | 80";
  ASSERT_EQ(CompositionRows(1), Names{asthaiRow});
  Open();
  Click("cMnuAllNot");
  Choose("Yaman");
  Select("cOCompE");
  Choose("My Song");
  const Slots asthai = InSlots();
  EXPECT_EQ(asthai.notes[1], "R");
  EXPECT_EQ(asthai.syllables[1], "la");
  EXPECT_FALSE(composer::WorkChanged);
  Select("cOAntara");
  EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
  EXPECT_EQ(sound::CurrCompPart, 2);
  EXPECT_EQ(Column("cNote")[0], "") << "the antara, still empty";
  Select("cOAsthai");
  EXPECT_EQ(InSlots(), asthai);
  EXPECT_FALSE(composer::WorkChanged);
  Click("cReturn");
  EXPECT_TRUE(questions.empty()) << "nothing was changed";

  // The antara written and saved: the asthai stays as it was stored.
  Open();
  Click("cMnuAllNot");
  Choose("Yaman");
  Select("cOCompE");
  Choose("My Song");
  Select("cOAntara");
  Type("cAntara", "Sakhi ri");
  Type("cStartBeatAnt", "1");
  WriteAntara();
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(CompositionRows(1),
            (Names{"1 | 1 | 1 | My Song | 1 | 2 | My own song | la la | 2 2 | S R | 2 2 | 2 | 1 | 80",
                   "1 | 2 | 1 | My Song | Null | Null | Sakhi ri | Sa khi ri | 2 1 5 | P D N S> | 2 1 1 4 | 2 | 1 | 80"}));
  EXPECT_FALSE(composer::WorkChanged);

  // An edited asthai is checked against its text.
  Select("cOAsthai");
  ChoosePallet(kG);
  Click("cNote", 1);
  EXPECT_TRUE(composer::WorkChanged);
  messages.clear();
  Select("cOAntara");
  EXPECT_EQ(MessageTexts(), Names{"Discrepancies found in syllables. Check and correct"});
  EXPECT_EQ(sound::CurrCompPart, 1);
  EXPECT_TRUE(RanClean());
}

// An edit to a composition left by answering Yes is gone: the composition opens again as
// the user database holds it, and nothing asks about it.
TEST_F(CompositionTest, AnEditToACompositionLeftByAnsweringYesIsGone) {
  struct Case {
    const char* what;
    std::function<void(CompositionTest&)> leave, back;
  };
  const Case cases[] = {
      {"New Category", [](CompositionTest& t) { t.Click("cNewCat"); }, [](CompositionTest& t) {
         t.Select("cOCompE");
         t.Choose("My Song");
       }},
      {"New Raga", [](CompositionTest& t) { t.Click("cNewRaga"); },
       [](CompositionTest& t) {
         t.Choose("Yaman");
         t.Select("cOCompE");
         t.Choose("My Song");
       }},
  };
  const Names before = CompositionRows(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open();
    Click("cMnuAllNot");
    Choose("Yaman");
    Select("cOCompE");
    Choose("My Song");
    const Slots stored = InSlots();
    ChoosePallet(kG);
    Click("cNote", 1);
    ASSERT_NE(InSlots(), stored);
    EXPECT_TRUE(composer::WorkChanged);
    questions.clear();
    answer = vb::vbYes;
    c.leave(*this);
    EXPECT_EQ(questions.size(), 1u) << "the edit is asked about once";
    c.back(*this);
    EXPECT_EQ(InSlots(), stored) << "the stored composition, not the edit";
    EXPECT_FALSE(composer::WorkChanged);
    questions.clear();
    Click("cReturn");
    EXPECT_TRUE(questions.empty()) << "nothing is left to ask about";
    EXPECT_EQ(CompositionRows(1), before);
  }
  EXPECT_TRUE(RanClean());
}

// The syllable boxes: what the program shows in them is no edit; what the learner types
// is, without blanks.
TEST_F(CompositionTest, OnlyTheLearnersTypingInASyllableBoxIsAnEdit) {
  NewComposition("Yaman", "Gat");
  WriteAsthai();
  Save();
  ASSERT_EQ(MessageTexts(), Names{"Music Saved"});
  const std::vector<std::string> syllables = composer::SylRowImages;
  Composer(24);  // shown again by the program
  Select("cOAntara");
  Select("cOAsthai");
  EXPECT_EQ(composer::SylRowImages, syllables);
  EXPECT_FALSE(composer::WorkChanged);
  Ctl("cCompSyl", 4).SetText("ne");  // from code: no edit
  EXPECT_FALSE(composer::WorkChanged);
  EXPECT_EQ(composer::SylRowImages, syllables);
  Type("cCompSyl", 4, "n e");
  EXPECT_EQ(Ctl("cCompSyl", 4).Text(), "ne");
  EXPECT_TRUE(composer::WorkChanged);
  Type("cCompSyl", 4, "na");
  EXPECT_FALSE(composer::WorkChanged) << "the syllable is the stored one again";
  Type("cCompSyl", 4, "ne");
  Click("cNewCat");
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], "The composition you were working on has not been saved. Are you sure you want to switch category?");
}

TEST_F(CompositionTest, AnUnsavedNewCompositionAsksBeforeItIsLeftEvenUnchanged) {
  NewComposition("Yaman", "Gat");
  composer::WorkChanged = false;
  Click("cNewRaga");
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0],
            "The composition you were working on has not been saved. Are you sure you want to switch to another Raga?");
  Screen().CloseFromUser();
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_TRUE(Screen().Loaded()) << "No keeps it";
  answer = vb::vbYes;
  Screen().CloseFromUser();
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(common::CurrDBSelector, 1);
}

TEST(SyllableStrings, NotesThatContinueASyllableGetAnUnderscore) {
  struct Case {
    std::string syllables, syllableDurations, noteDurations, expanded;
  };
  const Case cases[] = {
      {"a b", "2 2", "1 1 2", "a _ b"},
      {"pi ya bi na", "1 1 1 1", "1 1 0.5 0.5 1", "pi ya bi _ na"},
      {"a b c", "1 1 1", "0.33 0.33 0.34 1 1", "a _ _ b c"},
      {"a", "1", "0.5 0.5 1", "a _ _"},  // notes past the last syllable
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(composer::fCreateExpandedSylString(c.syllables, c.syllableDurations, c.noteDurations), c.expanded)
        << c.syllables << " / " << c.noteDurations;
  }
}

}  // namespace
}  // namespace composertest
