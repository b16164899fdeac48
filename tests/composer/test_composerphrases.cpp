// Writing alap, layakari and taan phrases in the Composer's slots: notes, grace notes,
// commas and durations; inserting and deleting slots across rows; moving the rows; the
// checks with the slot they name; layakari beats; saving in one transaction (a failure
// and a kill in the middle leave the old phrases whole); the question before unsaved
// phrases are left.
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComposerTest.h"
#include <filesystem>
#include "common/CommonState.h"
#include "common/NotationWords.h"
#include "common/RagaTables.h"
#include "composer/Composer.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerState.h"
#include "composer/RowImages.h"
#include "exploration/MainOperations.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace composertest {
namespace {

using Names = std::vector<std::string>;

// Note indexes of the palette (English): lower N, middle S R g G m M P d D N, upper S.
constexpr int16_t kN_ = 11, kS = 12, kr = 13, kR = 14, kg = 15, kG = 16, km = 17, kM = 18, kP = 19, kd = 20, kD = 21,
                  kN = 23, kSu = 24, kComma = 32;
// Time values of an alap: index i is 10 + 5 i.
constexpr int16_t k10 = 0, k20 = 2, k40 = 6, k80 = 14;

// n words "a b c ..." of the note names S R G m P D N repeated.
std::string NoteWords(int n) {
  static const char* names[] = {"S", "R", "G", "m", "P", "D", "N"};
  std::string out;
  for (int i = 0; i < n; ++i) out += std::string(i > 0 ? " " : "") + names[i % 7];
  return out;
}
std::string Repeated(const std::string& word, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += (i > 0 ? " " : "") + word;
  return out;
}

class PhrasesTest : public ComposerTest {
 public:
  // The user's alap (type 1) or layakari (2) of a raga stored as the program stores it.
  void StoreUserPhrases(int16_t raga, int16_t type, std::string notes, const std::string& durations) {
    for (size_t at = notes.find('\''); at != std::string::npos; at = notes.find('\'', at + 2)) notes.insert(at, "'");
    RunOnUserDatabase("DELETE FROM \"Raga - ALT Phrases\" WHERE RagaIndex = " + std::to_string(raga) +
                      " AND PhraseType = " + std::to_string(type) + ";\nINSERT INTO \"Raga - ALT Phrases\" VALUES (" +
                      std::to_string(raga) + ", " + std::to_string(type) + ", '" + notes + "', '" + durations + "');");
  }
  // Opens a category of a raga with all notes in the palette.
  void OpenWithAllNotes(const std::string& raga, const char* option) {
    Open();
    Click("cMnuAllNot");
    Choose(raga);
    Select(option);
  }
  void ChoosePallet(int16_t i) {
    if (composer::SelectedPalletNote != i) Click("cNotation", i);
  }
  void ChooseTime(int16_t i) {
    if (composer::SelectedTimeValue != i) Click("cTimeVal", i);
  }
  void PutNote(int16_t slot, int16_t note) {
    ChoosePallet(note);
    Click("cNote", slot);
  }
  void PutGrace(int16_t slot, int16_t note) {
    ChoosePallet(note);
    Click("cGNote", slot);
  }
  void PutTime(int16_t slot, int16_t value) {
    ChooseTime(value);
    Click("cTime", slot);
  }
  // A note with its duration.
  void Put(int16_t slot, int16_t note, int16_t value) {
    PutNote(slot, note);
    PutTime(slot, value);
  }
  // A comma ending a phrase (its duration comes with it).
  void PutComma(int16_t slot) { PutNote(slot, kComma); }
  void InsertAt(int16_t slot) {
    Select("cOIns");
    Click("cNote", slot);
  }
  void DeleteAt(int16_t slot) {
    Select("cODel");
    Click("cTime", slot);
  }
  // The captions of the 40 note, grace and duration slots.
  Names Captions(const char* array) const {
    Names out;
    for (int16_t k = 0; k < 40; ++k) out.push_back(Ctl(array, k).Caption());
    return out;
  }
  static std::string Notes() { return composer::fCombineNotesRowImages(); }
  // The row of "Raga - ALT Phrases" that begins with its raga and type ("2 | 1").
  std::string UserRow(const std::string& key) {
    for (const std::string& row : UserRows("Raga - ALT Phrases"))
      if (row.rfind(key + " |", 0) == 0) return row;
    return "";
  }
  static std::string Durations() { return composer::fCombineDurRowImages(); }
  void Save() {
    messages.clear();
    Click("cSave");
  }
};

// Two alap phrases with grace notes, durations and a comma between; slots inserted and
// deleted across the row boundary; saved, and after a new run of the program the same
// slots; the illustration screen lists the phrases among the user's items.
TEST_F(PhrasesTest, AlapPhrasesWrittenAndSavedComeBackInTheSameSlotsAfterARestart) {
  OpenWithAllNotes("Bhairav", "cOAlap");
  EXPECT_EQ(Notes(), "") << "Bhairav has no phrases of the user";
  Put(0, kS, k40);
  PutGrace(1, kr);
  Put(1, kG, k20);
  Put(2, km, k20);
  PutComma(3);
  Put(4, kP, k40);
  std::string second = "P";
  for (int16_t k = 5; k < 19; ++k) {
    Put(k, k % 2 == 0 ? kd : kN, k20);
    second += k % 2 == 0 ? " d" : " N";
  }
  PutGrace(19, kN);
  Put(19, kSu, k80);
  EXPECT_EQ(Notes(), "S r'G m , " + second + " N'S>");
  EXPECT_EQ(composer::RowImageCount, 1);
  InsertAt(17);  // the last slot of row 1 moves into a new row 2
  EXPECT_EQ(composer::RowImageCount, 2);
  EXPECT_EQ(Ctl("Label10").Caption(), "Row 2/2");
  EXPECT_EQ(Ctl("cNote", 20).Caption(), "S>");
  EXPECT_EQ(Ctl("cGNote", 20).Caption(), "N");
  EXPECT_EQ(Ctl("cTime", 20).Caption(), "80");
  EXPECT_EQ(Ctl("cNote", 17).Caption(), "");
  Put(17, kD, k10);
  DeleteAt(5);  // row 2's note comes back into row 1
  EXPECT_EQ(Ctl("cNote", 19).Caption(), "S>");
  EXPECT_EQ(Ctl("cNote", 20).Caption(), "");
  EXPECT_FALSE(Screen().Get<forms::OptionButton>("cODel").Value()) << "the choice is used up";
  std::vector<std::string> words = common::notation::Words(second, " ");
  words.erase(words.begin() + 1);
  words.insert(words.begin() + 12, "D");
  second = common::notation::Join(words, " ");
  EXPECT_EQ(Notes(), "S r'G m , " + second + " N'S>");
  EXPECT_EQ(Durations(), "40 20 20 , 40 20 20 20 20 20 20 20 20 20 20 20 10 20 20 80");
  const Names notes = Captions("cNote"), graces = Captions("cGNote"), times = Captions("cTime");
  const std::vector<std::string> images = composer::NotesRowImages;

  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRow("2 | 1"), "2 | 1 |  S r'G m , " + second + " N'S> |  40 20 20 , 40 20 20 20 20 20 20 20 20 20 20 20 10 20 20 80");
  EXPECT_EQ(UserRows("Raga - ALT Phrases").size(), 3u);

  // A new run of the program.
  Click("cReturn");
  EXPECT_TRUE(questions.empty()) << "saved work leaves without a question";
  ReopenUserDatabase();
  common::TALTInfo2 = {};
  OpenWithAllNotes("Bhairav", "cOAlap");
  EXPECT_EQ(Captions("cNote"), notes);
  EXPECT_EQ(Captions("cGNote"), graces);
  EXPECT_EQ(Captions("cTime"), times);
  EXPECT_EQ(composer::RowImageCount, 2);
  EXPECT_EQ(Notes(), "S r'G m , " + second + " N'S>");

  // The illustration screen of the raga lists the phrases among the user's items.
  Click("cReturn");
  int16_t open = 0;
  exploration::sMainOperations(open);
  auto& list = shell::FormMainOperations->Get<forms::ListControl>("cUserIllusList");
  ASSERT_EQ(list.ListCount(), 1);
  EXPECT_EQ(list.List(0), "Alap Phrases (2)");
  EXPECT_TRUE(RanClean());
}

struct SlotCase {
  const char* what;
  std::function<void(PhrasesTest&)> doing;
  std::string notes, durations;
};

TEST_F(PhrasesTest, EachSlotHoldsOneNoteAndTheCommaKeepsItsOwnDuration) {
  const SlotCase cases[] = {
      {"a note clicked twice is one note", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutNote(0, kS); }, "S", "10"},
      {"a second note replaces the first", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutNote(0, kP); }, "P", "10"},
      {"a comma brings its duration", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutComma(1); t.Put(2, kR, k10); },
       "S , R", "10 , 10"},
      {"a note on a comma slot clears the comma's duration",
       [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutComma(1); t.PutNote(1, kR); }, "S R", "10"},
      {"clearing a comma slot clears its duration",
       [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutComma(1); t.Click("cNotation", kComma); t.Click("cNote", 1); }, "S",
       "10"},
      {"the comma on a grace slot clears it",
       [](PhrasesTest& t) { t.PutGrace(0, kR); t.Put(0, kG, k10); t.PutGrace(0, kComma); }, "G", "10"},
      {"a grace note before its note", [](PhrasesTest& t) { t.PutGrace(0, kR); t.Put(0, kG, k10); }, "R'G", "10"},
      {"a duration clicked again adds up", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutTime(0, k20); }, "S", "30"},
      {"no time value chosen clears the duration",
       [](PhrasesTest& t) { t.Put(0, kS, k10); t.Click("cTimeVal", k10); t.Click("cTime", 0); }, "S", ""},
      {"a lower and an upper note", [](PhrasesTest& t) { t.Put(0, kN_, k10); t.Put(1, kSu, k10); }, "N< S>", "10 10"},
  };
  for (const SlotCase& c : cases) {
    SCOPED_TRACE(c.what);
    OpenWithAllNotes("Bhairav", "cOAlap");
    c.doing(*this);
    EXPECT_EQ(Notes(), c.notes);
    EXPECT_EQ(Durations(), c.durations);
    CloseScreen();
  }
  EXPECT_TRUE(RanClean());
}

TEST_F(PhrasesTest, AChosenPaletteNoteOrTimeValueIsRedUntilItIsGivenUp) {
  OpenWithAllNotes("Bhairav", "cOAlap");
  Click("cNotation", kS);
  EXPECT_EQ(Ctl("cNotation", kS).ForeColor(), 255u);
  Click("cNotation", kP);
  EXPECT_EQ(Ctl("cNotation", kS).ForeColor(), 0u);
  EXPECT_EQ(Ctl("cNotation", kP).ForeColor(), 255u);
  Click("cNotation", kP);
  EXPECT_EQ(composer::SelectedPalletNote, -1);
  EXPECT_EQ(Ctl("cNotation", kP).ForeColor(), 0u);
  Click("cTimeVal", 3);
  EXPECT_EQ(composer::SelectedTimeValue, 3);
  EXPECT_EQ(Ctl("cTimeVal", 3).ForeColor(), 255u);
  Click("cTimeVal", 3);
  EXPECT_EQ(composer::SelectedTimeValue, -1);
  EXPECT_EQ(Ctl("cTimeVal", 3).ForeColor(), 0u);
}

// Deleting and inserting at the row boundaries of loaded phrases: nothing doubled,
// nothing dropped.
TEST_F(PhrasesTest, InsertingAndDeletingKeepEveryNoteWhateverTheLastRowHolds) {
  struct Case {
    int tokens;        // notes loaded, each with duration 10
    bool insert;
    int16_t row;       // the row shown on top
    int16_t slot;      // display slot
    int16_t rows;      // rows afterwards
    std::string notes;
    bool fillRow = false;  // S written into the last slot of row 1 before
  };
  const std::string n21 = NoteWords(21), n40 = NoteWords(40);
  const auto without = [](const std::string& text, size_t at) {
    std::vector<std::string> w = common::notation::Words(text, " ");
    w.erase(w.begin() + static_cast<std::ptrdiff_t>(at));
    return common::notation::Join(w, " ");
  };
  const Case cases[] = {
      {21, false, 1, 0, 2, without(n21, 0)},   // a last row of one note
      {21, false, 1, 20, 2, without(n21, 20)}, // that one note itself
      {21, false, 2, 0, 2, without(n21, 20)},  // the same, the rows moved down
      {21, true, 1, 0, 2, n21},
      {40, true, 1, 5, 3, n40},                // a full last row: its last note moves into a new row
      {40, true, 1, 39, 3, n40},
      {40, false, 1, 19, 3, without(n40, 19)},
      {19, true, 1, 0, 1, NoteWords(19)},
      {20, true, 1, 3, 2, NoteWords(20)},      // 20 notes fill row 1; row 2 is empty
      {19, true, 1, 0, 2, NoteWords(19) + " S", true},  // the one row filled: its last note moves into a new row
      {19, false, 1, 0, 1, NoteWords(19).substr(2) + " S", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.tokens) + (c.insert ? " insert at " : " delete at ") + std::to_string(c.slot) +
                 " from row " + std::to_string(c.row));
    StoreUserPhrases(2, 1, NoteWords(c.tokens), Repeated("10", c.tokens));
    OpenWithAllNotes("Bhairav", "cOAlap");
    if (c.fillRow) Put(19, kS, k10);
    for (int16_t r = 1; r < c.row; ++r) Click("cMoveD");
    if (c.insert) {
      InsertAt(c.slot);
    } else {
      DeleteAt(c.slot);
    }
    EXPECT_EQ(composer::RowImageCount, c.rows);
    EXPECT_EQ(Notes(), c.notes);
    EXPECT_EQ(Durations(), Repeated("10", static_cast<int>(common::notation::Words(c.notes, " ").size())));
    CloseScreen();
  }
  EXPECT_TRUE(RanClean());
}

TEST_F(PhrasesTest, LoadedPhrasesFillAsManyRowsAsTheyNeed) {
  struct Case {
    int tokens;
    int16_t rows;
  };
  for (const Case& c : {Case{0, 1}, Case{19, 1}, Case{20, 2}, Case{21, 2}, Case{45, 3}}) {
    SCOPED_TRACE(c.tokens);
    if (c.tokens == 0) {
      RunOnUserDatabase("DELETE FROM \"Raga - ALT Phrases\";");
    } else {
      StoreUserPhrases(2, 1, NoteWords(c.tokens), Repeated("10", c.tokens));
    }
    OpenWithAllNotes("Bhairav", "cOAlap");
    EXPECT_EQ(composer::RowImageCount, c.rows);
    EXPECT_EQ(Ctl("Label9").Caption(), "Row 1/" + std::to_string(c.rows));
    EXPECT_EQ(Shown("Label10"), c.rows > 1);
    EXPECT_EQ(Ctl("cMoveD").Enabled(), c.rows > 1);
    EXPECT_EQ(Notes(), NoteWords(c.tokens));
    CloseScreen();
  }
}

TEST_F(PhrasesTest, MovingTheRowsShowsTheRowsBelowAndANoteInTheEmptyRowAddsARow) {
  StoreUserPhrases(2, 1, NoteWords(45), Repeated("10", 45));
  OpenWithAllNotes("Bhairav", "cOAlap");
  EXPECT_FALSE(Ctl("cMoveU").Enabled());
  Click("cMoveD");
  EXPECT_EQ(Ctl("Label9").Caption(), "Row 2/3");
  EXPECT_EQ(Ctl("Label10").Caption(), "Row 3/3");
  EXPECT_EQ(Ctl("cNote", 0).Caption(), NoteWords(21).substr(NoteWords(20).size() + 1));
  EXPECT_TRUE(Ctl("cMoveU").Enabled());
  Click("cMoveD");
  EXPECT_EQ(Ctl("Label9").Caption(), "Row 3/3");
  EXPECT_FALSE(Shown("Label10"));
  EXPECT_FALSE(Ctl("cMoveD").Enabled());
  EXPECT_EQ(Captions("cNote")[25], "") << "display row 2 is empty";
  Put(20, kS, k10);
  EXPECT_EQ(composer::RowImageCount, 4);
  EXPECT_TRUE(Ctl("cMoveD").Enabled());
  EXPECT_EQ(Notes(), NoteWords(45) + " S");
  Click("cMoveU");
  Click("cMoveU");
  EXPECT_EQ(Ctl("Label9").Caption(), "Row 1/4");
  EXPECT_FALSE(Ctl("cMoveU").Enabled());
  EXPECT_TRUE(RanClean());
}

// Each slot at fault gets its message naming the row and slot, and nothing is saved.
TEST_F(PhrasesTest, ASlotAtFaultIsNamedAndNothingIsSaved) {
  struct Case {
    const char* what;
    std::function<void(PhrasesTest&)> doing;
    std::string message;
  };
  const Case cases[] = {
      {"nothing written", [](PhrasesTest&) {}, "No notation defined"},
      {"a note without its duration", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutNote(21, kR); },
       "Durations must be specified for every specified note. Please correct. (row 2, slot 2)"},
      {"a duration without its note", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutTime(3, k10); },
       "Durations cannot be specified for undefined notes. Please correct. (row 1, slot 4)"},
      {"a note and a duration in neighbouring slots",
       [](PhrasesTest& t) { t.PutNote(0, kS); t.PutTime(1, k10); t.PutNote(2, kR); t.PutTime(3, k10); },
       "Durations must be specified for every specified note. Please correct. (row 1, slot 1)"},
      {"a leading comma", [](PhrasesTest& t) { t.PutComma(0); t.Put(1, kS, k10); },
       "A \",\" can only end the notes of a phrase. Please correct. (row 1, slot 1)"},
      {"a doubled comma", [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutComma(1); t.PutComma(2); t.Put(3, kR, k10); },
       "A \",\" can only end the notes of a phrase. Please correct. (row 1, slot 3)"},
      {"a comma with a number as its duration",
       [](PhrasesTest& t) { t.Put(0, kS, k10); t.PutComma(1); t.PutTime(1, k10); t.Put(2, kR, k10); },
       "A \",\" takes \",\" as its duration. Please correct. (row 1, slot 2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenWithAllNotes("Bhairav", "cOAlap");
    c.doing(*this);
    Save();
    EXPECT_EQ(MessageTexts(), Names{c.message});
    EXPECT_EQ(UserRows("Raga - ALT Phrases").size(), 2u) << "nothing saved";
    answer = vb::vbYes;
    Click("cReturn");
  }
  EXPECT_TRUE(RanClean());
}

// A slot edit reads its whole display row back: notes outside the palette stay what
// they are, and a word that names no note is refused, never stored as another note.
TEST_F(PhrasesTest, ARowReadBackKeepsEveryNoteAndRefusesAWordThatIsNoNote) {
  StoreUserPhrases(2, 1, "R< S X G", "10 10 10 10");
  OpenWithAllNotes("Bhairav", "cOAlap");
  EXPECT_EQ(Ctl("cNote", 2).Caption(), "X");
  Put(5, kP, k10);
  EXPECT_EQ(Notes(), "R< S X G P");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"This slot holds no single note. Please correct. (row 1, slot 3)"});
  Click("cNotation", kP);  // nothing chosen: the clicks clear the slot
  Click("cNote", 2);
  Click("cTimeVal", k10);
  Click("cTime", 2);
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRow("2 | 1"), "2 | 1 |  R< S G P |  10 10 10 10");
}

// In Devanagari the slots show the notes in that script (a comma in the English font)
// and read back as the same English notes.
TEST_F(PhrasesTest, SlotsInDevanagariShowAndKeepTheSameNotes) {
  shell::DevnagariAvailable = -1;
  StoreUserPhrases(2, 1, "S R'G , P", "10 20 , 40");
  OpenWithAllNotes("Bhairav", "cOAlap");
  Click("cMnuDev");
  EXPECT_EQ(Ctl("cNote", 0).Caption(), common::DevnagariNotes[kS]);
  EXPECT_EQ(Ctl("cGNote", 1).Caption(), common::DevnagariNotes[kR]);
  EXPECT_EQ(Ctl("cNote", 1).Caption(), common::DevnagariNotes[kG]);
  EXPECT_EQ(Ctl("cNote", 2).Caption(), ",");
  EXPECT_EQ(Ctl("cNote", 2).FontName(), "Times New Roman");
  EXPECT_EQ(Ctl("cNote", 3).FontName(), "Shusha");
  EXPECT_EQ(Ctl("cTime", 1).Caption(), "20");
  Put(4, kD, k10);
  EXPECT_EQ(Ctl("cNote", 4).Caption(), common::DevnagariNotes[kD]);
  EXPECT_EQ(Notes(), "S R'G , P D");
  PutNote(2, kM);  // a note on the comma slot takes the script's font again
  EXPECT_EQ(Ctl("cNote", 2).FontName(), "Shusha");
  PutComma(2);
  Click("cMnuEng");
  EXPECT_EQ(Ctl("cNote", 1).Caption(), "G");
  EXPECT_EQ(Ctl("cGNote", 1).Caption(), "R");
  EXPECT_EQ(Ctl("cNote", 2).FontName(), "Times New Roman");
  EXPECT_EQ(Notes(), "S R'G , P D");
  EXPECT_EQ(Durations(), "10 20 , 40 10");
  EXPECT_TRUE(RanClean());
}

TEST_F(PhrasesTest, ATrailingCommaEndsNothingAndATaanNeedsNoDurations) {
  OpenWithAllNotes("Bhairav", "cOTaan");
  PutNote(0, kS);
  PutNote(1, kR);
  PutComma(2);
  PutNote(3, kG);
  PutComma(4);
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRows("Raga - ALT Phrases").back(), "2 | 3 |  S R , G | Null");
  EXPECT_EQ(common::TALTInfo2[2].PhraseCount, 2);
}

// Layakari: durations are edited as beats of the beat duration in cSpeed.
TEST_F(PhrasesTest, LayakariBeatsAndStoredDurationsConvertBothWays) {
  StoreUserPhrases(1, 2, "S R : G , M", "400 200 400 , 800");
  OpenWithAllNotes("Yaman", "cOLayakari");
  EXPECT_EQ(Text("cSpeed"), "200") << "the smallest of the first durations";
  EXPECT_EQ(Durations(), "2 1 2 , 4");
  EXPECT_EQ(Notes(), "S R G , M");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRow("1 | 2"), "1 | 2 |  S R G , M |  400 200 400 , 800") << "the same sound";

  // A slot written in beats at another beat duration.
  Type("cSpeed", "40");
  Put(5, kP, 0);  // 0.0625 beat: 2.5 rounds to the even 2
  PutTime(6, 7);  // a duration without a note is caught first
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Durations cannot be specified for undefined notes. Please correct. (row 1, slot 7)"});
  Click("cTimeVal", 7);
  Click("cTime", 6);  // cleared
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRow("1 | 2"), "1 | 2 |  S R G , M P |  80 40 80 , 160 2");
  EXPECT_TRUE(RanClean());
}

TEST_F(PhrasesTest, TheBeatDurationIsAWholeNumberFrom1To999AndNoDurationOverflows) {
  struct Case {
    const char* speed;
    int16_t value;  // time value index of the one note
    int clicks;     // how often it is added
    bool saved;
    std::string message;
  };
  const std::string beat = "The Beat Duration must be a whole number from 1 to 999. Please correct.";
  const std::string extent = "This duration is too short or too long to be kept. Please correct. (row 1, slot 1)";
  const Case cases[] = {
      {"0", 7, 1, false, beat},      {"", 7, 1, false, beat},       {"2.5", 7, 1, false, beat},
      {"1000", 7, 1, false, beat},   {"abc", 7, 1, false, beat},    {"-5", 7, 1, false, beat},
      {"99999", 7, 1, false, beat},  {"1", 7, 1, true, ""},         {"999", 7, 1, true, ""},
      {"999", 18, 7, false, extent},  // 35 beats of 999
      {"4", 0, 1, false, extent},     // 0.0625 beat of 4 is 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.speed) + " x " + std::to_string(c.clicks));
    OpenWithAllNotes("Bhairav", "cOLayakari");
    Type("cSpeed", c.speed);
    PutNote(0, kS);
    for (int i = 0; i < c.clicks; ++i) PutTime(0, c.value);
    Save();
    EXPECT_EQ(MessageTexts(), c.saved ? Names{"Music Saved"} : Names{c.message});
    EXPECT_EQ(UserRows("Raga - ALT Phrases").size(), c.saved ? 3u : 2u);
    RunOnUserDatabase("DELETE FROM \"Raga - ALT Phrases\" WHERE RagaIndex = 2;");
    answer = vb::vbYes;
    Click("cReturn");
  }
  EXPECT_TRUE(RanClean());
}

// A phrase whose notes together last longer than the longest phrase that can play is
// refused at Save with the slot where it goes over, and nothing is stored: it would be
// refused at every Play.
TEST_F(PhrasesTest, APhraseLongerThanCanPlayIsNotSaved) {
  OpenWithAllNotes("Bhairav", "cOLayakari");
  Type("cSpeed", "999");
  for (int16_t slot = 0; slot < 5; ++slot) {
    PutNote(slot, kS);
    for (int i = 0; i < 5; ++i) PutTime(slot, 18);  // 5 x 5 beats of 999 x 10 ms: about 250 s a slot
  }
  Save();
  EXPECT_EQ(MessageTexts(), Names{"The phrase lasts longer than 20 minutes, the longest a phrase can play. Please "
                                  "correct. (row 1, slot 5)"});
  EXPECT_EQ(UserRows("Raga - ALT Phrases").size(), 2u) << "nothing stored";
  Type("cSpeed", "900");  // at a shorter beat the phrase fits
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRows("Raga - ALT Phrases").size(), 3u);
}

// The phrase area from the keyboard alone: Tab and the arrow keys reach a note of the
// palette, a slot, a time value and a duration slot, and Space clicks each, as the
// mouse would; Save is pressed from the keyboard too.
TEST_F(PhrasesTest, APhraseIsWrittenAndSavedFromTheKeyboardAlone) {
  OpenWithAllNotes("Bhairav", "cOAlap");
  QWidget* window = Ctl("cNote", 0).Widget()->window();
  const auto key = [&](Qt::Key k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QCoreApplication::sendEvent(window->focusWidget(), &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
    QCoreApplication::sendEvent(window->focusWidget(), &release);
  };
  // Tab on until the member has the focus (a bounded walk of the focus chain).
  const auto tabTo = [&](forms::Control& member) {
    for (int i = 0; i < 400 && window->focusWidget() != member.Widget(); ++i) key(Qt::Key_Tab);
    return window->focusWidget() == member.Widget();
  };
  Ctl("cNotation", kS).Widget()->setFocus();
  key(Qt::Key_Space);
  EXPECT_EQ(composer::SelectedPalletNote, kS);
  key(Qt::Key_Right);
  EXPECT_EQ(window->focusWidget(), Ctl("cNotation", kr).Widget()) << "the next note of the palette";
  key(Qt::Key_Right);
  key(Qt::Key_Space);
  EXPECT_EQ(composer::SelectedPalletNote, kR);
  ASSERT_TRUE(tabTo(Ctl("cNote", 0)));
  key(Qt::Key_Space);
  key(Qt::Key_Right);
  EXPECT_EQ(window->focusWidget(), Ctl("cNote", 1).Widget());
  key(Qt::Key_Space);
  EXPECT_EQ(Notes(), "R R");
  ASSERT_TRUE(tabTo(Ctl("cTimeVal", k20)));
  key(Qt::Key_Space);
  EXPECT_EQ(composer::SelectedTimeValue, k20);
  ASSERT_TRUE(tabTo(Ctl("cTime", 0)));
  key(Qt::Key_Space);
  key(Qt::Key_Right);
  key(Qt::Key_Space);
  EXPECT_EQ(Durations(), "20 20");
  messages.clear();
  ASSERT_TRUE(tabTo(Ctl("cSave")));
  key(Qt::Key_Space);
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRow("2 | 1"), "2 | 1 |  R R |  20 20");
  EXPECT_TRUE(RanClean());
}

TEST_F(PhrasesTest, AStoredLayakariWithAZeroDurationLoadsWithoutDividingByZero) {
  StoreUserPhrases(1, 2, "S R G", "0 10 20");
  OpenWithAllNotes("Yaman", "cOLayakari");
  EXPECT_EQ(Text("cSpeed"), "10");
  EXPECT_EQ(Durations(), "0 1 2");
  StoreUserPhrases(1, 2, "S R", "0 0");
  Click("cNewRaga");
  Choose("Yaman");
  Select("cOLayakari");
  EXPECT_EQ(Text("cSpeed"), "1");
  EXPECT_EQ(Durations(), "0 0");
  EXPECT_TRUE(RanClean());
}

TEST_F(PhrasesTest, PhraseStringsMadeFromTheRecordReadBackTheSame) {
  for (const auto& [notes, durations] : std::vector<std::pair<std::string, std::string>>{
           {" S R G : M P , D N", " 10 20 30  40 50 , 60 70"},
           {" S", " 10"},
           {" N<'R S : G , m , P'D : N S>", " 1 2  3 , 4 , 5  6 7"}}) {
    common::ALTInfoRec& rec = common::TALTInfo2[1];
    common::sLoadRagaALTInfoIntoT(rec, 2, 1, notes, durations);
    EXPECT_EQ(composer::fCreateALTDBStrFromT(2, 1), notes);
    EXPECT_EQ(composer::fCreateALTDBStrFromT(2, 2), durations);
  }
  common::TALTInfo2[1] = {};
  EXPECT_EQ(composer::fCreateALTDBStrFromT(2, 1), "");
  EXPECT_EQ(composer::fCreateALTDBStrFromT(2, 2), "");
}

// A save that fails inside the database: the message, the database as it was, the work
// still on the screen, the program running.
TEST_F(PhrasesTest, ASaveThatFailsLeavesTheDatabaseAsItWasAndTheWorkOnTheScreen) {
  RunOnUserDatabase(R"sql(
CREATE TRIGGER refuse_alap BEFORE UPDATE ON "Raga - ALT Phrases" BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;
CREATE TRIGGER refuse_new_alap BEFORE INSERT ON "Raga - ALT Phrases" BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;
)sql");
  const Names before = UserRows("Raga - ALT Phrases");
  for (const char* raga : {"Yaman", "Bhairav"}) {  // an edit of a stored row, and a new row
    SCOPED_TRACE(raga);
    OpenWithAllNotes(raga, "cOAlap");
    Put(10, kS, k10);
    const std::vector<std::string> images = composer::NotesRowImages;
    Save();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt.find("Your phrases could not be saved ("), 0u) << messages[0].prompt;
    EXPECT_NE(messages[0].prompt.find("refused by the test"), std::string::npos);
    EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
    EXPECT_EQ(composer::NotesRowImages, images);
    EXPECT_EQ(Ctl("cNote", 10).Caption(), "S");
    EXPECT_TRUE(composer::WorkChanged) << "leaving still asks";
    EXPECT_TRUE(RanClean());
    EXPECT_EQ(common::TraceDepth, 0);
    answer = vb::vbYes;
    Click("cReturn");
  }
}

// A save cut off by a kill in the middle of its transaction: the database is sound and
// holds the phrases saved before, whole.
TEST_F(PhrasesTest, AKillInTheMiddleOfASaveLeavesTheOldPhrasesWhole) {
  OpenWithAllNotes("Yaman", "cOAlap");
  Put(10, kS, k10);
  ASSERT_TRUE(composer::fUpdateALTTFromRowImages());
  const Names before = UserRows("Raga - ALT Phrases");
  shell::DatabaseB.Close();
  const pid_t child = fork();
  if (child == 0) {
    // The child saves on a connection of its own and is killed once its row is written.
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
    composer::SaveRowWrittenHook = [](int) { kill(getpid(), SIGKILL); };
    composer::sSaveMusicToDatabase();
    _exit(3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child ran to its end";
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  EXPECT_EQ(UserDatabaseIntegrity(), "ok");
  ReopenUserDatabase();
  EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
  // The same save done whole.
  EXPECT_TRUE(composer::sSaveMusicToDatabase());
  EXPECT_EQ(UserRows("Raga - ALT Phrases")[0], "1 | 1 |  G M P D N S> S |  20 20 40 20 20 80 10");
}

// The same save killed after each statement it sends (tests/support/KillHarness.h).
TEST_F(PhrasesTest, KilledAfterAnyStatementTheSaveLeavesThePhrasesAsBeforeOrAsAfter) {
  OpenWithAllNotes("Yaman", "cOAlap");
  Put(10, kS, k10);
  ASSERT_TRUE(composer::fUpdateALTTFromRowImages());
  KillTheSaveAtEveryStatement();
}

// Unsaved edits are left only when the learner says so: New Category, New Raga, Go
// Back and the close box ask; No keeps everything.
TEST_F(PhrasesTest, LeavingUnsavedPhrasesAsksFirst) {
  struct Case {
    const char* what;
    std::function<void(PhrasesTest&)> leave;
    int16_t formIdAfterYes;
  };
  const Case cases[] = {
      {"New Category", [](PhrasesTest& t) { t.Click("cNewCat"); }, 27},
      {"New Raga", [](PhrasesTest& t) { t.Click("cNewRaga"); }, 27},
      {"Go Back", [](PhrasesTest& t) { t.Click("cReturn"); }, 1},
      {"the close box", [](PhrasesTest& t) { t.Screen().CloseFromUser(); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenWithAllNotes("Yaman", "cOAlap");
    Composer(24);  // the program's own redisplay is no edit
    c.leave(*this);
    EXPECT_TRUE(questions.empty()) << "nothing changed yet";
    CloseScreen();
    OpenWithAllNotes("Yaman", "cOAlap");
    Put(10, kS, k10);
    answer = vb::vbNo;
    c.leave(*this);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].find("The phrases you were working on have not been saved. Are you sure you want to"), 0u);
    EXPECT_TRUE(Screen().Loaded());
    EXPECT_EQ(Ctl("cNote", 10).Caption(), "S") << "No keeps the work";
    EXPECT_TRUE(Shown("cPlay"));
    answer = vb::vbYes;
    c.leave(*this);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(shell::CurrFormId, c.formIdAfterYes);
    if (shell::CurrFormId == 27) Click("cReturn");
    EXPECT_EQ(questions.size(), 2u) << "nothing is left to ask about";
    questions.clear();
    CloseScreen();
  }
  EXPECT_TRUE(RanClean());
}

// An edit left by answering Yes is gone: the category is laid out again from the user
// database, not from what a failed save left in memory, and nothing asks about it.
TEST_F(PhrasesTest, AnEditLeftAfterAFailedSaveIsGone) {
  RunOnUserDatabase(R"sql(
CREATE TRIGGER refuse_alap BEFORE UPDATE ON "Raga - ALT Phrases" BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;
)sql");
  struct Case {
    const char* what;
    std::function<void(PhrasesTest&)> leave, back;
  };
  const Case cases[] = {
      {"New Category", [](PhrasesTest& t) { t.Click("cNewCat"); }, [](PhrasesTest& t) { t.Select("cOAlap"); }},
      {"New Raga", [](PhrasesTest& t) { t.Click("cNewRaga"); },
       [](PhrasesTest& t) {
         t.Choose("Yaman");
         t.Select("cOAlap");
       }},
  };
  const Names before = UserRows("Raga - ALT Phrases");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenWithAllNotes("Yaman", "cOAlap");
    const Names notes = Captions("cNote"), times = Captions("cTime");
    Put(10, kS, k10);
    Save();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt.find("Your phrases could not be saved ("), 0u);
    EXPECT_TRUE(composer::WorkChanged);
    answer = vb::vbYes;
    c.leave(*this);
    EXPECT_EQ(questions.size(), 1u);
    c.back(*this);
    EXPECT_EQ(Captions("cNote"), notes) << "the stored phrases, not the edit";
    EXPECT_EQ(Captions("cTime"), times);
    EXPECT_FALSE(composer::WorkChanged);
    Click("cReturn");
    EXPECT_EQ(questions.size(), 1u) << "nothing is left to ask about";
    EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
    questions.clear();
  }
  EXPECT_TRUE(RanClean());
}

// The work counts as changed exactly while the slots (and the beat duration) differ from
// what the user database holds; leaving asks then, and only then.
TEST_F(PhrasesTest, TheWorkIsChangedExactlyWhileItDiffersFromTheStoredPhrases) {
  struct Case {
    const char* what;
    const char* option;
    std::function<void(PhrasesTest&)> doing;
    bool changed;
  };
  // Yaman's alap is stored: G M P D N S> in slots 1 to 6 of row 1; row 2 is beyond it.
  const Case cases[] = {
      {"Insert on the empty row beyond the phrase", "cOAlap", [](PhrasesTest& t) { t.InsertAt(25); }, false},
      {"Delete on the empty row beyond the phrase", "cOAlap", [](PhrasesTest& t) { t.DeleteAt(30); }, false},
      {"Insert after the last note", "cOAlap", [](PhrasesTest& t) { t.InsertAt(10); }, false},
      {"Delete after the last note", "cOAlap", [](PhrasesTest& t) { t.DeleteAt(10); }, false},
      {"a blank slot between two notes", "cOAlap", [](PhrasesTest& t) { t.InsertAt(2); }, false},
      {"a note written", "cOAlap", [](PhrasesTest& t) { t.Put(10, kS, k10); }, true},
      {"a note written and cleared again", "cOAlap",
       [](PhrasesTest& t) {
         t.Put(10, kS, k10);
         t.Click("cNotation", kS);
         t.Click("cNote", 10);
         t.Click("cTimeVal", k10);
         t.Click("cTime", 10);
       },
       false},
      {"a note given again", "cOAlap", [](PhrasesTest& t) { t.PutNote(0, kG); }, false},
      {"a note changed", "cOAlap", [](PhrasesTest& t) { t.PutNote(0, kR); }, true},
      {"a grace note added", "cOAlap", [](PhrasesTest& t) { t.PutGrace(0, kR); }, true},
      {"a note deleted", "cOAlap", [](PhrasesTest& t) { t.DeleteAt(0); }, true},
      {"a duration moved to the next slot", "cOAlap",
       [](PhrasesTest& t) {
         t.PutTime(6, k80);
         t.Click("cTimeVal", k80);
         t.Click("cTime", 5);
       },
       true},
      {"the beat duration changed", "cOLayakari", [](PhrasesTest& t) { t.Type("cSpeed", "50"); }, true},
      {"the beat duration typed back", "cOLayakari",
       [](PhrasesTest& t) {
         t.Type("cSpeed", "50");
         t.Type("cSpeed", "40");
       },
       false},
  };
  const Names before = UserRows("Raga - ALT Phrases");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenWithAllNotes("Yaman", c.option);
    EXPECT_FALSE(composer::WorkChanged);
    c.doing(*this);
    EXPECT_EQ(composer::WorkChanged, c.changed);
    questions.clear();
    answer = vb::vbNo;
    Click("cReturn");
    EXPECT_EQ(questions.size(), c.changed ? 1u : 0u);
    EXPECT_EQ(Screen().Loaded(), c.changed);
    CloseScreen();
  }
  EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
  EXPECT_TRUE(RanClean());
}

// A grace note written before its note is kept with its slot through every redisplay and
// move; the save asks for its note. A comma takes no grace note: that click is refused.
TEST_F(PhrasesTest, AGraceNoteWrittenBeforeItsNoteStaysWithItsSlot) {
  OpenWithAllNotes("Bhairav", "cOAlap");
  Put(0, kS, k10);
  PutGrace(1, kr);
  EXPECT_EQ(composer::NotesRowImages[0].substr(0, 6), "S r'_ ");
  Composer(24);  // shown again
  EXPECT_EQ(Ctl("cGNote", 1).Caption(), "r");
  EXPECT_EQ(Ctl("cNote", 1).Caption(), "");
  InsertAt(0);
  EXPECT_EQ(Ctl("cGNote", 1).Caption(), "");
  EXPECT_EQ(Ctl("cGNote", 2).Caption(), "r") << "it moves with its slot";
  DeleteAt(0);
  EXPECT_EQ(Ctl("cGNote", 1).Caption(), "r");
  EXPECT_TRUE(composer::WorkChanged);
  const Names before = UserRows("Raga - ALT Phrases");
  Save();
  EXPECT_EQ(MessageTexts(), Names{"A grace note needs its note in the slot below it. Please correct. (row 1, slot 2)"});
  EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
  Put(1, kG, k20);
  Save();
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
  EXPECT_EQ(UserRow("2 | 1"), "2 | 1 |  S r'G |  10 20");

  PutComma(2);
  messages.clear();
  PutGrace(2, kR);
  EXPECT_EQ(MessageTexts(), Names{"A \",\" ends a phrase and takes no grace note."});
  EXPECT_EQ(Ctl("cGNote", 2).Caption(), "");
  EXPECT_EQ(Notes(), "S r'G ,");
  EXPECT_TRUE(RanClean());
}

// A list whose durations run short opens with every note, each stored duration under its
// note; a message names what is missing; a save replaces the damaged row.
TEST_F(PhrasesTest, ADamagedListOpensWithWhatCanBeShownAndASaveReplacesIt) {
  struct Case {
    const char* option;
    int16_t type;
    std::string notes, durations;  // as stored
    Names shownNotes, shownTimes;  // the first slots
    std::string missing;
    int firstWithout;  // the first slot whose note has no duration
    std::function<void(PhrasesTest&)> mend;
    std::string row;  // the row after the save
  };
  const Case cases[] = {
      {"cOAlap", 1, " S R G , P D", " 10 20", {"S", "R", "G", ",", "P", "D", ""}, {"10", "20", "", ",", "", "", ""},
       "3 notes have no duration, as the list holds none for them", 3,
       [](PhrasesTest& t) {
         t.PutTime(2, k20);
         t.PutTime(4, k40);
         t.PutTime(5, k40);
       },
       "2 | 1 |  S R G , P D |  10 20 20 , 40 40"},
      {"cOLayakari", 2, " S R G", " 40", {"S", "R", "G", ""}, {"1", "", "", ""},
       "2 notes have no duration, as the list holds none for them", 2,
       [](PhrasesTest& t) {
         t.PutTime(1, 7);  // 1 beat
         t.PutTime(2, 4);  // 0.5 beat
       },
       "2 | 2 |  S R G |  40 40 20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    StoreUserPhrases(2, c.type, c.notes, c.durations);
    const Names before = UserRows("Raga - ALT Phrases");
    messages.clear();
    OpenWithAllNotes("Bhairav", c.option);
    ASSERT_EQ(messages.size(), 1u);
    const std::string item = c.type == 1 ? "Your alap phrases of the raga Bhairav" : "Your layakari phrases of the raga Bhairav";
    EXPECT_EQ(messages[0].prompt.find(item + ": the data in your user database \""), 0u) << messages[0].prompt;
    EXPECT_NE(messages[0].prompt.find("is damaged (there are fewer durations than notes). What could be read is shown: " +
                                      c.missing + ". Correct the phrases and save them: the damaged list is then replaced."),
              std::string::npos)
        << messages[0].prompt;
    Names notes = Captions("cNote"), times = Captions("cTime");
    notes.resize(c.shownNotes.size());
    times.resize(c.shownTimes.size());
    EXPECT_EQ(notes, c.shownNotes);
    EXPECT_EQ(times, c.shownTimes);
    if (c.type == 2) {
      EXPECT_EQ(Text("cSpeed"), "40");
    }
    EXPECT_FALSE(composer::WorkChanged) << "nothing changed yet";
    Save();
    EXPECT_EQ(MessageTexts(), Names{"Durations must be specified for every specified note. Please correct. (row 1, slot " +
                                    std::to_string(c.firstWithout) + ")"});
    EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
    c.mend(*this);
    Save();
    EXPECT_EQ(MessageTexts(), Names{"Music Saved"});
    Names after = before;
    for (std::string& row : after)
      if (row.rfind("2 | " + std::to_string(c.type) + " |", 0) == 0) row = c.row;
    EXPECT_EQ(UserRows("Raga - ALT Phrases"), after) << "the damaged row replaced, nothing else";
    Click("cReturn");
    EXPECT_TRUE(questions.empty());
    messages.clear();
    OpenWithAllNotes("Bhairav", c.option);
    EXPECT_TRUE(messages.empty()) << "whole again";
    CloseScreen();
  }
  EXPECT_EQ(halts, 0);
}

// The replacement of a damaged list killed after each statement it sends: the damaged
// row or its replacement, whole.
TEST_F(PhrasesTest, KilledAfterAnyStatementTheReplacementOfADamagedListIsWholeOrNotBegun) {
  StoreUserPhrases(2, 1, " S R G", " 10");
  OpenWithAllNotes("Bhairav", "cOAlap");
  PutTime(1, k10);
  PutTime(2, k20);
  ASSERT_TRUE(composer::fUpdateALTTFromRowImages());
  KillTheSaveAtEveryStatement();
  EXPECT_EQ(UserRow("2 | 1"), "2 | 1 |  S R G |  10 10 20");
}

TEST_F(PhrasesTest, AfterASaveNothingAsks) {
  OpenWithAllNotes("Yaman", "cOAlap");
  Put(10, kS, k10);
  Save();
  Click("cNewCat");
  EXPECT_TRUE(questions.empty());
  Select("cOLayakari");
  Type("cSpeed", "50");
  Click("cNewCat");
  EXPECT_EQ(questions.size(), 1u) << "the beat duration is the learner's edit too";
}

}  // namespace
}  // namespace composertest
