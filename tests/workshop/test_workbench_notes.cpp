// The workbench's own patterns (defined by the questions or by clicked notes, saved by
// name, taken back), the meend demo, the note recognition quiz with scripted draws, the
// drone played alone, and the form's event table.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "PlayingTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"
#include "soundlib/WavWriter.h"
#include "support/FullDisk.h"
#include "support/ScriptedRnd.h"
#include "support/SqlFixture.h"
#include "workshop/ScaleNotes.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopState.h"

namespace workshoptest {
namespace {

using testsupport::Pick;

// "bUJ1bUJ2bUJ4" (R, G, P clicked) as a series over the major scale.
const std::string kMineSeries = "R G P G m D m P N P D S> N D m D P G P m R m G S";

// The id of a row whose "PatternId" is not a number.
constexpr int32_t kNoNumber = -1;

struct PatternRow {
  int32_t id;
  std::string name;
  std::string phrase;
  int32_t mode;
  bool operator==(const PatternRow&) const = default;
  friend void PrintTo(const PatternRow& r, std::ostream* os) {
    *os << r.id << " " << r.name << " " << r.phrase << " " << r.mode;
  }
};

class NotesTest : public PlayingTest {
 protected:
  std::vector<PatternRow> Rows() {
    std::vector<PatternRow> rows;
    auto rs = shell::DatabaseB.OpenRecordset("User Patterns", dao::dbOpenTable);
    for (; !rs.Eof(); rs.MoveNext())
      rows.push_back({rs.Fields("PatternId").IsNumber() ? static_cast<int32_t>(rs.Fields("PatternId").ToDouble()) : kNoNumber,
                      vb::NzString(rs.Fields("PatternName")),
                      vb::NzString(rs.Fields("PatternPhrase")), static_cast<int32_t>(vb::NzDouble(rs.Fields("PatternMode")))});
    rs.Close();
    return rows;
  }
  void AddRows(const std::string& sql) {
    shell::DatabaseB.Close();
    testsupport::RunSql(Path("mrB.kzy"), sql);
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  }
  // The keyboard route of "Define Pattern": the notes clicked, the pattern type chosen.
  void DefineByKeys(std::initializer_list<int16_t> notes, int runMode) {
    Menu("cMnuDefPat");
    for (const int16_t n : notes) ClickKeyOf(n);
    Answer(runMode);
  }
  void SaveAs(const std::string& name) {
    Answer(1);  // "Save Defined Pattern?" Yes
    Ctl("cPatName").SetText(name);
    Press("cOK");
  }
};

TEST_F(NotesTest, ThePatternQuestionsMakeTheirTokens) {
  Press("cMajorScale");
  workshop::DefinePatternStep = 1;  // the question route
  Dispatch(26);
  EXPECT_EQ(workshop::OptionStep, 3);
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("90"));
  Answer(1);  // Base Note
  Answer(1);  // Yes
  Answer(1);  // Up
  for (int page = 1; page < 4; ++page) Answer(3);  // Other, three times
  EXPECT_EQ(Caption("cO1"), "7");
  EXPECT_EQ(Caption("cO2"), "8");
  workshop::NoteCountPage = 2;
  workshop::sSetOptionsDisplay();
  Answer(1);  // 3
  Answer(1);  // Include in-between Notes
  EXPECT_EQ(workshop::UserPatternPhrase, "BUC3");
  EXPECT_EQ(Text("cPatName"), "S   R   G   m");
  EXPECT_EQ(workshop::OptionStep, 8);
  Answer(1);  // continue: Yes
  Answer(2);  // Last Note
  Answer(2);  // No
  Answer(2);  // Down
  Answer(2);  // 2
  Answer(2);  // Jump to Note
  EXPECT_EQ(workshop::UserPatternPhrase, "BUC3lDJ2");
  EXPECT_EQ(Text("cPatName"), "S   R   G   m   R");
  Answer(2);  // continue: No
  EXPECT_EQ(workshop::OptionStep, 9);
  Answer(2);  // Series
  Answer(2);  // not saved: built as it is
  EXPECT_EQ(workshop::PatternSource, 2);
  EXPECT_EQ(workshop::PatternRunMode, 2);
  EXPECT_FALSE(Shown("Frame2"));
  EXPECT_TRUE(Enabled("cPlay"));
  EXPECT_EQ(Split(sound::PhraseNotes).size() % 5, 0u);
  EXPECT_TRUE(messages.empty());
}

// Eight eights leave the scale from S: the token is taken back and the next starts afresh.
TEST_F(NotesTest, ATokenThatLeavesTheScaleIsTakenBack) {
  Press("cMajorScale");
  workshop::DefinePatternStep = 1;
  Dispatch(26);
  for (const int option : {1, 1, 1}) Answer(option);
  for (int page = 1; page < 7; ++page) Answer(3);
  Answer(2);  // 14
  Answer(1);
  EXPECT_EQ(MessageTexts(), Words{"The selected phrase cannot be illustrated. Please select another."});
  EXPECT_EQ(workshop::UserPatternPhrase, "");
  EXPECT_EQ(workshop::OptionStep, 3);
  EXPECT_EQ(Caption("Frame2"), "Starting Note");
}

TEST_F(NotesTest, APatternDefinedOnTheKeysIsSavedReopenedAndPlayedAgain) {
  Press("cMajorScale");
  Fastest();
  DefineByKeys({7, 9, 12}, 2);  // R, G, P; Series
  EXPECT_EQ(workshop::UserPatternPhrase, "bUJ1bUJ2bUJ4");
  EXPECT_EQ(Caption("Frame2"), "Save Pattern");
  SaveAs("mine");
  EXPECT_EQ(MessageTexts(), Words{"Pattern Saved as mine"});
  EXPECT_EQ(Rows(), (std::vector<PatternRow>{{1, "mine", "bUJ1bUJ2bUJ4", 2}}));
  for (const char* hidden : {"cOK", "Label4", "Frame2"}) EXPECT_FALSE(Shown(hidden)) << hidden;
  EXPECT_EQ(workshop::KeyLabelPurpose, 2);
  Press("cPlay");
  PlayUntilTheEnd();
  EXPECT_EQ(played, Words{kMineSeries});

  // Another visit: the pattern is listed and plays the same series.
  Press("cReturn");
  Open();
  Press("cMajorScale");
  Fastest();
  Menu("cMnuUsePat");
  EXPECT_EQ(ListLines(), Words{"mine"});
  EXPECT_EQ(Caption("Label6"), "Select Pattern");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("93,35"));
  Choose("mine");
  EXPECT_EQ(workshop::PatternRunMode, 2);
  EXPECT_EQ(workshop::PatternSource, 2);
  played.clear();
  Press("cPlay");
  PlayUntilTheEnd();
  EXPECT_EQ(played, Words{kMineSeries});
}

TEST_F(NotesTest, ASecondDefinitionStartsEmpty) {
  Press("cMajorScale");
  DefineByKeys({7, 9}, 1);
  Answer(2);
  EXPECT_EQ(workshop::UserPatternPhrase, "bUJ1bUJ2");
  DefineByKeys({12}, 1);
  EXPECT_EQ(workshop::UserPatternPhrase, "bUJ4");
  // The key clicks of a finished definition no longer add tokens.
  ClickKeyOf(14);
  EXPECT_EQ(workshop::UserPatternPhrase, "bUJ4");
}

// A number that is not a number (a damaged user database) is in nobody's way, and kept.
TEST_F(NotesTest, NewPatternsTakeTheNextFreeNumber) {
  AddRows(R"sql(INSERT INTO "User Patterns" VALUES (1, 'a', 'BUC1', 2), (3, 'c', 'BUC2', 1), ('x', 'b', 'BUC3', 2);)sql");
  Press("cMajorScale");
  DefineByKeys({7}, 1);
  SaveAs("up");
  DefineByKeys({9}, 2);
  SaveAs("down");
  EXPECT_EQ(Rows(), (std::vector<PatternRow>{{1, "a", "BUC1", 2}, {3, "c", "BUC2", 1}, {kNoNumber, "b", "BUC3", 2},
                                             {4, "up", "bUJ1", 1}, {5, "down", "bUJ2", 2}}));
  EXPECT_EQ(halts, 0);
}

TEST_F(NotesTest, AUsedOrBlankNameIsRefusedAndTheNameBoxStays) {
  AddRows(R"sql(INSERT INTO "User Patterns" VALUES (1, 'Mine', 'BUC1', 2);)sql");
  Press("cMajorScale");
  DefineByKeys({7}, 1);
  SaveAs("mine");
  EXPECT_EQ(MessageTexts(), Words{"Pattern Name already used. Enter different Name."});
  EXPECT_EQ(Text("cPatName"), "");
  EXPECT_TRUE(Shown("cPatName") && Shown("cOK"));
  messages.clear();
  Ctl("cPatName").SetText("   ");
  Press("cOK");
  EXPECT_EQ(MessageTexts(), Words{"Please enter a name for the pattern."});
  EXPECT_EQ(Rows().size(), 1u);
  messages.clear();
  Ctl("cPatName").SetText("Yours");
  Press("cOK");
  EXPECT_EQ(MessageTexts(), Words{"Pattern Saved as Yours"});
  EXPECT_EQ(Rows().back(), (PatternRow{2, "Yours", "bUJ1", 1}));
}

TEST_F(NotesTest, AFailedSaveSaysSoAndLeavesTheTableAsItWas) {
  AddRows(R"sql(INSERT INTO "User Patterns" VALUES (1, 'a', 'BUC1', 2);)sql");
  // The disk layer is put in place before the user database is opened again.
  testsupport::SqliteDiskFull::Disarm();
  AddRows("");
  Press("cMajorScale");
  DefineByKeys({7, 9}, 2);
  Answer(1);
  Ctl("cPatName").SetText("full");
  testsupport::SqliteDiskFull::Arm(Path("mrB.kzy"));
  Press("cOK");
  testsupport::SqliteDiskFull::Disarm();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("The pattern could not be saved"), std::string::npos);
  EXPECT_EQ(Text("cPatName"), "full") << "the work stays on screen";
  EXPECT_TRUE(Shown("cOK"));
  EXPECT_EQ(halts, 0);
  EXPECT_EQ(Rows(), (std::vector<PatternRow>{{1, "a", "BUC1", 2}}));
  messages.clear();
  Press("cOK");
  EXPECT_EQ(MessageTexts(), Words{"Pattern Saved as full"});
  EXPECT_EQ(Rows().back(), (PatternRow{2, "full", "bUJ1bUJ2", 2}));
}

TEST_F(NotesTest, NoUserPatternsIsSaidAndAListClickBesideTheLinesDoesNothing) {
  Press("cMajorScale");
  Menu("cMnuUsePat");
  EXPECT_EQ(MessageTexts(), Words{"No User-defined Patterns are available"});
  EXPECT_FALSE(Shown("cRagaList"));
  EXPECT_EQ(workshop::PatternSource, 0);
  AddRows(R"sql(INSERT INTO "User Patterns" VALUES (1, 'a', 'BUC1', 2);)sql");
  Menu("cMnuUsePat");
  Ctl("cRagaList").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(workshop::PatternSource, 0);
  EXPECT_EQ(halts, 0);
}

TEST_F(NotesTest, TheStartingNoteOfATokenCountsTheScaleNotesAboveS) {
  sound::CurrTonicNoteId = 2;
  Press("cReturn");
  Open();
  Press("cMajorScale");
  Menu("cMnuDefPat");
  EXPECT_EQ(workshop::fCountMarkedNotes(15), 2);  // G with tonic key 2
  EXPECT_EQ(workshop::fCountMarkedNotes(11), 0);  // S
  EXPECT_EQ(workshop::fCountMarkedNotes(23), 7);  // S>
  EXPECT_EQ(workshop::fCountMarkedNotes(12), -1);  // r is no note of the scale
  EXPECT_EQ(workshop::fCountMarkedNotes(24), -1);  // past S>
  for (int16_t label = 0; label <= 40; ++label) ClickKey(label);
  EXPECT_EQ(halts, 0);
}

TEST_F(NotesTest, TheMeendDemoGlidesFromTheFirstNoteToTheSecond) {
  Press("cMajorScale");
  Fastest();
  Menu("cMnuMeePat");
  EXPECT_EQ(workshop::KeyLabelPurpose, 3);
  EXPECT_EQ(Caption("Label10"), "Meend Pattern Demo - select first note");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("94"));
  ClickKeyOf(5);  // S
  EXPECT_EQ(Caption("Label10"), "Meend Pattern Demo - select second Note");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("95"));
  ClickKeyOf(7);  // R
  EXPECT_TRUE(Locked());
  PlayUntilTheEnd();
  EXPECT_EQ(played, Words{"S R S'R"});
  EXPECT_EQ(sound::TPlayInfo.Timings[0], "23 23 23");
  EXPECT_EQ(Caption("Label10"), "Meend Pattern Demo - select first Note");
  // A second note equal to the first still plays the four notes.
  played.clear();
  ClickKeyOf(9);
  ClickKeyOf(9);
  PlayUntilTheEnd();
  EXPECT_EQ(played, Words{"G G G'G"});
  EXPECT_TRUE(messages.empty());
}

// The quiz asks a note drawn with the runtime's Rnd: a natural one here (the draws of
// other notes are passed over); a key click plays its own note; Show Note lights and
// plays the quiz note, not the key heard last.
TEST_F(NotesTest, TheQuizPlaysAHiddenNoteAndShowNotePlaysThatNote) {
  testsupport::ScriptedRnd rnd({Pick(2, 25), Pick(9, 25), Pick(6, 25)});  // d<, g: not natural; S
  Press("cNotesQuiz");
  EXPECT_EQ(Caption("Frame2"), "Notes Type");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("97"));
  Answer(2);  // 'Shuddha' Notes only
  EXPECT_EQ(workshop::QuizNoteKind, 2);
  EXPECT_EQ(rnd.Drawn(), 3u);
  EXPECT_EQ(workshop::QuizNote, 6);
  EXPECT_EQ(sound::CurrOperationMode, 1);
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("36"));
  EXPECT_TRUE(Shown("cShowNote"));
  EXPECT_EQ(Caption("cSelNewSca"), "Select New Note");
  EXPECT_FALSE(Shown("Frame1"));
  // While the note plays, Show Note, Select New Note and the keys do nothing.
  ASSERT_EQ(Player().Mode(), mci::mciModePlay);
  Dispatch(8);
  Dispatch(9);
  ClickKeyOf(9);
  EXPECT_EQ(rnd.Left(), 0u);
  PlayUntilTheEnd();
  EXPECT_EQ(played, Words{"S"});
  for (int16_t r = 1; r <= 40; ++r) EXPECT_NE(Screen().Ctl("cL", r).BackColor(), sound::kCurrentNoteColour) << r;

  ClickKeyOf(9);  // G heard
  PlayUntilTheEnd();
  Press("cShowNote");
  EXPECT_EQ(ReedOf("S").BackColor(), sound::kCurrentNoteColour);
  EXPECT_NE(ReedOf("G").BackColor(), sound::kCurrentNoteColour);
  PlayUntilTheEnd();
  EXPECT_EQ(played, (Words{"S", "G", "S"}));

  rnd.Add({Pick(18, 25)});  // S>
  Press("cSelNewSca");
  EXPECT_EQ(workshop::QuizNote, 18);
  PlayUntilTheEnd();
  EXPECT_EQ(played.back(), "S>");
  EXPECT_TRUE(messages.empty());
}

TEST_F(NotesTest, QuizNotesAreOfTheKindAsked) {
  struct Case {
    int16_t kind;
    std::vector<int> draws;
    int16_t note;
  };
  const Case cases[] = {{1, {2}, 2}, {2, {2, 4, 9, 5}, 5}, {3, {1, 3, 5, 6, 14}, 14}, {3, {4}, 4}};
  for (const Case& c : cases) {
    std::vector<double> values;
    for (const int k : c.draws) values.push_back(Pick(k, 25));
    testsupport::ScriptedRnd rnd(values);
    workshop::QuizNoteKind = c.kind;
    EXPECT_EQ(workshop::fGetValidNoteId(), c.note) << c.kind;
    EXPECT_EQ(rnd.Left(), 0u);
  }
  // A source that never gives a note of the kind does not keep the quiz drawing for ever.
  const vb::RndSource previous = vb::SetRndSource([] { return Pick(1, 25); });
  workshop::QuizNoteKind = 3;
  EXPECT_FALSE(workshop::fIsShuddha(workshop::fGetValidNoteId()));
  vb::SetRndSource(previous);
  for (int16_t n = 1; n <= 25; ++n) {
    const bool natural = n == 1 || n == 3 || n == 5 || n == 6 || n == 8 || n == 10 || n == 11 || n == 13 ||
                         n == 15 || n == 17 || n == 18 || n == 20 || n == 22 || n == 23 || n == 25;
    EXPECT_EQ(workshop::fIsShuddha(n), natural) << n;
  }
}

// The drone alone loops over its restart half way until Stop Looping silences it at
// once; the player's late notice of that stop is no end of a phrase.
TEST_F(NotesTest, TheDroneAloneLoopsUntilStopLoopingSilencesIt) {
  int written = 0;
  sound::SoundLib.FWavGenerateDroneFile = [&written](int32_t variant, const std::string& file, int32_t option) {
    ++written;
    EXPECT_EQ(variant, 2);
    EXPECT_EQ(option, 2);
    soundlib::WavWriter writer;
    if (!writer.Open(file)) return int16_t{0};
    const std::vector<int16_t> silence(44100 * 32 / 10 * 2, 0);  // two cycles of 3.2 s
    writer.Write(silence.data(), static_cast<int64_t>(silence.size()));
    return writer.Close() ? int16_t{1} : int16_t{0};
  };
  Menu("cMnuWitN");
  EXPECT_EQ(sound::CurrDroneType, 3);
  EXPECT_EQ(written, 1);
  ASSERT_EQ(Player().Mode(), mci::mciModePlay);
  EXPECT_EQ(workshop::WBDoneMode, 1);
  EXPECT_TRUE(Enabled("cStopLoop"));
  EXPECT_TRUE(Locked());
  int restarts = 0;
  int32_t last = 0;
  PlayFor(15s, [&] {
    if (Player().Position() < last) ++restarts;
    last = Player().Position();
    return false;
  });
  EXPECT_GE(restarts, 3) << "played again from its start";
  EXPECT_EQ(Player().Mode(), mci::mciModePlay);
  const int ends = Ends();
  Press("cStopLoop");
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen) << "silent at once";
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_EQ(workshop::WBMode, 0);
  EXPECT_TRUE(Enabled("cMajorScale"));
  Press("cMajorScale");  // a mode at once: the drone's late notice must not end a phrase
  PlayFor(3s);
  EXPECT_EQ(Ends(), ends);
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
  EXPECT_TRUE(messages.empty());
}

TEST_F(NotesTest, ADroneFileThatCannotBeWrittenIsSaid) {
  sound::SoundLib.FWavGenerateDroneFile = [](int32_t, const std::string&, int32_t) { return int16_t{0}; };
  Menu("cMnuWitP");
  EXPECT_EQ(MessageTexts(), Words{"Error in generating drone file"});
  EXPECT_NE(Player().Mode(), mci::mciModePlay);
  EXPECT_TRUE(Enabled("cMajorScale"));
}

TEST_F(NotesTest, ClosingTheWindowWhileTheDroneLoopsLetsItGo) {
  sound::SoundLib.FWavGenerateDroneFile = [](int32_t, const std::string& file, int32_t) {
    soundlib::WavWriter writer;
    const std::vector<int16_t> silence(44100, 0);
    return writer.Open(file) && writer.Write(silence.data(), 44100) && writer.Close() ? int16_t{1} : int16_t{0};
  };
  Menu("cMnuWitM");
  ASSERT_EQ(Player().Mode(), mci::mciModePlay);
  const int stops = TraceEntries("StopAndClosePlayer");
  Screen().CloseFromUser();
  EXPECT_EQ(TraceEntries("StopAndClosePlayer"), stops + 1) << "the drone was stopped as the window closed";
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_EQ(shell::CurrFormId, 1);
  PlayFor(2s);
  EXPECT_EQ(halts, 0);
}

TEST_F(NotesTest, SelectNewScaleOrRagaAsksAgain) {
  Press("cNotePatterns");
  Answer(1);
  Choose("Kalyan");
  Press("cSelNewSca");
  EXPECT_EQ(Caption("Frame2"), "Scale Category");
  EXPECT_FALSE(Shown("cPattern"));
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("88"));
  Answer(1);
  Choose("Todi");
  EXPECT_EQ(Text("cPattern"), "S r g M P d N S> ");
  Press("cSwitchWBMode");
  Press("cNotesForRaga");
  Choose("Bhupali");
  Press("cSelNewSca");
  EXPECT_TRUE(Shown("cRagaList"));
  EXPECT_EQ(ListLines().size(), 5u);
  Choose("Bhairav");
  EXPECT_EQ(common::CurrRagaName, "Bhairav");
  EXPECT_TRUE(messages.empty());
}

// Each control and menu item of the form stores its word and calls the dispatcher.
TEST_F(NotesTest, TheFormEventsSetTheirWords) {
  struct Case {
    const char* control;
    std::function<int32_t()> word;
    int32_t value;
  };
  soundLib.failWhen = [](const testsupport::SoundLibCall&) { return true; };  // a tonic change goes no further
  const char* tonics[] = {"cMnuW7", "cMnuW1", "cMnuB1", "cMnuW2", "cMnuB2", "cMnuW3",
                          "cMnuW4", "cMnuB3", "cMnuW5", "cMnuB4", "cMnuW6", "cMnuB5"};
  for (int16_t k = 0; k < 12; ++k) {
    Ctl(tonics[k]).RaiseFromUser(forms::Event::Click);
    EXPECT_EQ(sound::NewTonicNoteId, k + 1) << tonics[k];
    EXPECT_EQ(sound::CurrTonicNoteId, 3) << tonics[k];
  }
  soundLib.failWhen = {};
  messages.clear();
  Press("cMajorScale");
  const char* patterns[] = {"cMnuSToS", "cMnuPToP", "cMnu1UC", "cMnu2UC", "cMnu3UC", "cMnu1UC2UC", "cMnu2UC3UC",
                            "cMnu2UJD1J"};
  for (int32_t k = 0; k < 8; ++k) {
    Ctl(patterns[k]).RaiseFromUser(forms::Event::Click);
    EXPECT_EQ(workshop::BasePatternNo, k) << patterns[k];
    EXPECT_EQ(workshop::PatternSource, 1) << patterns[k];
  }
  const Case cases[] = {
      {"cMnuDonShoKey", [] { return sound::KeyboardDisplay; }, 2},
      {"cMnuShoKey", [] { return sound::KeyboardDisplay; }, 1},
      {"cMnuDev", [] { return shell::NotationScript; }, 1},
      {"cMnuEng", [] { return shell::NotationScript; }, 2},
      {"cOPract", [] { return sound::CurrOperationMode; }, 3},
      {"cOLearn", [] { return sound::CurrOperationMode; }, 2},
  };
  for (const Case& c : cases) {
    if (Screen().Ctl(c.control).KindOf() == forms::Kind::OptionButton) {
      Screen().Get<forms::OptionButton>(c.control).Select();
    } else {
      Ctl(c.control).RaiseFromUser(forms::Event::Click);
    }
    EXPECT_EQ(c.word(), c.value) << c.control;
  }
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuShoKey").Checked());
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuEng").Checked());
  Press("cStartLoop");
  EXPECT_EQ(sound::LoopFlag, -1);
  Press("cStopLoop");
  EXPECT_EQ(sound::LoopFlag, 0);
  PlayUntilTheEnd();
  Ctl("cMnuDefPat").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(workshop::DefinePatternStep, 2);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace workshoptest
