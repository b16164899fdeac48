// Rendering phrase records through the sound library, loaded with the generated seeds
// of the main instrument from the built content database.
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PhraseTest.h"
#include "platform/dao/Database.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "soundlib/Constants.h"
#include "soundlib/FWav.h"
#include "soundlib/Harmonium.h"
#include "soundlib/Room.h"
#include "soundlib/WavReader.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "sound/Render.h"

namespace {

using phrasetest::PhraseTest;
using sound::NotesList;

constexpr const char* kOutsideRange = "Error in creating current musical illustration. Note value outside range.";
constexpr const char* kPreparing = "Error Preparing Music File";
constexpr const char* kCreating = "Error creating music file";
constexpr const char* kGeneration = "Music File Generation Failed";

// The seeds of instrument "c" as the program stores them ("Note Specifications" and
// "Sample Values" of the content database).
void LoadMainInstrumentSeeds() {
  ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
  auto db = dao::Database::OpenDatabase(vb::JoinPath(vb::ShareFolderPath(), "mrA.kzy"), false, true, "MS ACCESS;PWD=x");
  auto specs = db.OpenRecordset(
      "SELECT [Note Id], [SamPerCyc], [Fractional Value] FROM [Note Specifications] WHERE [Instr Name] = 'c'",
      dao::dbOpenSnapshot);
  int loaded = 0;
  for (; !specs.Eof(); specs.MoveNext(), ++loaded) {
    const int32_t id = specs.Fields("Note Id").ToLong();
    auto samples = db.OpenRecordset("SELECT [Sample Value] FROM [Sample Values] WHERE [Instr Name] = 'c' AND [Note Id] = " +
                                        std::to_string(id) + " ORDER BY [Sample Id]",
                                    dao::dbOpenSnapshot);
    std::vector<int16_t> cycle;
    for (; !samples.Eof(); samples.MoveNext()) cycle.push_back(samples.Fields("Sample Value").ToInt());
    ASSERT_EQ(soundlib::FWavLoadInstrNoteSeeds("c", id, specs.Fields("SamPerCyc").ToLong(),
                                               specs.Fields("Fractional Value").ToDouble(), cycle.data()),
              1)
        << "note " << id;
  }
  db.Close();
  ASSERT_EQ(loaded, soundlib::kNoteCount);
  ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
}

int64_t Frames(const std::string& path) {
  soundlib::WavReader reader;
  return reader.Open(path) ? reader.frames() : -1;
}

std::vector<int16_t> Samples(const std::string& path) {
  soundlib::WavReader reader;
  if (!reader.Open(path)) return {};
  std::vector<int16_t> x(static_cast<size_t>(reader.frames() * reader.channels()));
  reader.Read(0, x.data(), reader.frames());
  return x;
}

class RenderTest : public PhraseTest {
 protected:
  static void SetUpTestSuite() { LoadMainInstrumentSeeds(); }

  // Builds phrase into slot and renders it.
  int16_t Render(const std::string& phrase, const std::string& timing, int16_t slot = 0) {
    PlayPhrases({{phrase, timing}});
    sound::fCreateNotesList1(slot);
    return sound::fPrepareToPlaySelection1(slot);
  }
  // Makes the composition player's state: a composition in demo mode with its theka.
  static void Composition() {
    sound::CurrItemKind = 6;
    sound::CurrMusicItemType = 8;
    sound::BaseBeat = 50;
    sound::CompBeatCount = 16;
    sound::Theka = 1;
  }
  // Sends slot's music file to a folder that does not exist.
  static void Unwritable(size_t slot) { shell::WavFiles[slot] = shell::TempFolder + "missing/A.wav"; }
};

TEST_F(RenderTest, RenderedPhraseLastsAsLongAsItsNotes) {
  ASSERT_EQ(Render("S R'G m P", "25 50 40 35"), 1);
  const auto& rec = NotesList[0];
  const int32_t total = std::accumulate(rec.Durations.begin(), rec.Durations.end(), 0);
  EXPECT_EQ(total, 1500);
  EXPECT_EQ(rec.Positions[4], total);
  // The notes fill the file to the sample; the library adds the last note's release
  // and, as no phrase follows, the room's echo.
  EXPECT_EQ(Frames(shell::WavFileA),
            total * soundlib::kSampleRate / 1000 + soundlib::Harmonium::kTailSamples + soundlib::Room::kTailSamples);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RenderTest, EachSlotRendersIntoItsOwnFile) {
  for (int16_t slot = 0; slot < 3; ++slot) {
    ASSERT_EQ(Render("S R", "20 20", slot), 1) << slot;
    EXPECT_GT(vb::FileLen(shell::WavFiles[static_cast<size_t>(slot)]), 0u) << slot;
  }
  EXPECT_EQ(sound::MusicFileToGenerate, shell::WavFileC);
}

TEST_F(RenderTest, NotesOutsideTheLibrarysRangeAreRefused) {
  struct Case {
    std::string word;
    int16_t tonic;
    bool sounds;
  };
  const Case cases[] = {
      {"S<", 3, true},   {"S<", 1, false}, {"S<", 2, false}, {"r<", 2, true},  {"R<", 1, true},
      {"N>", 9, true},   {"N>", 10, false}, {"S<'R<", 1, true},  // the grace note is left out
      {"N'N>", 10, false}, {"X", 3, false},
  };
  for (const auto& c : cases) {
    messages.clear();
    sound::CurrTonicNoteId = c.tonic;
    vb::KillIfExists(shell::WavFileA);
    const int16_t result = Render(c.word, "30");
    if (c.sounds) {
      EXPECT_EQ(result, 1) << c.word << " at key " << c.tonic;
      EXPECT_TRUE(messages.empty()) << c.word << " at key " << c.tonic;
      EXPECT_GT(vb::FileLen(shell::WavFileA), 0u) << c.word << " at key " << c.tonic;
    } else {
      EXPECT_EQ(result, 0) << c.word << " at key " << c.tonic;
      EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kOutsideRange, kPreparing})) << c.word << " at key "
                                                                                       << c.tonic;
      EXPECT_FALSE(vb::FileExists(shell::WavFileA)) << c.word << " at key " << c.tonic;
    }
  }
}

TEST_F(RenderTest, LowerSaSoundsAtKeyThreeAndIsRefusedAtKeyOne) {
  sound::CurrTonicNoteId = 3;
  ASSERT_EQ(Render("S< S", "40 40"), 1);
  const int64_t frames = Frames(shell::WavFileA);
  EXPECT_GE(frames, 800 * soundlib::kSampleRate / 1000);
  sound::CurrTonicNoteId = 1;
  EXPECT_EQ(Render("S< S", "40 40"), 0);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kOutsideRange, kPreparing}));
  // A refused phrase leaves the file before it alone.
  EXPECT_EQ(Frames(shell::WavFileA), frames);
}

TEST_F(RenderTest, AGlideOfAQuarterSecondOrLessSoundsAsItsMainNote) {
  struct Case {
    std::string timing;
    bool asMainNote;
  };
  for (const auto& c : {Case{"25", true}, Case{"25.1", false}}) {
    sound::CurrMusicItemType = 6;  // a taan: the decimal counts
    ASSERT_EQ(Render("S'R", c.timing), 1);
    const auto glide = Samples(shell::WavFileA);
    ASSERT_EQ(Render("R", c.timing), 1);
    EXPECT_EQ(glide == Samples(shell::WavFileA), c.asMainNote) << c.timing;
  }
}

TEST_F(RenderTest, ARenderingThatWritesNoFileIsReportedNotHalted) {
  Unwritable(0);
  EXPECT_EQ(Render("S R", "20 20"), 0);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kCreating, kPreparing}));
  EXPECT_EQ(halts, 0);
}

TEST_F(RenderTest, OnlyACompositionWithItsThekaGoesThroughTheThekaRenderer) {
  // The failure message tells which renderer ran.
  struct Case {
    int16_t kind;
    int16_t item;
    int16_t theka;
    const char* message;
  };
  const Case cases[] = {
      {6, 8, 1, kGeneration},  // a composition with its theka
      {6, 8, 2, kCreating},    // theka switched off
      {6, 9, 1, kCreating},    // a film song
      {3, 4, 1, kCreating},    // an alap
  };
  for (const auto& c : cases) {
    messages.clear();
    Composition();
    sound::CurrItemKind = c.kind;
    sound::CurrMusicItemType = c.item;
    sound::Theka = c.theka;
    Unwritable(1);
    EXPECT_EQ(Render("S R", "20 20", 1), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{c.message, kPreparing})) << c.kind << "/" << c.item;
  }
}

TEST_F(RenderTest, CompositionPartRendersWithItsTheka) {
  Composition();
  NotesList[0].StartMatra = 3;
  NotesList[0].TalaString = "1/103/0 2/104/105/0";
  PlayPhrases({{"S R", "50 100"}});
  sound::fCreateNotesList1(0);
  ASSERT_EQ(sound::fPrepareToPlaySelection1(0), 1);
  EXPECT_EQ(sound::CompStartMatra, 3);
  EXPECT_GE(Frames(shell::WavFileA), 1500 * soundlib::kSampleRate / 1000);
}

TEST_F(RenderTest, ThekaTempoFollowsTheSliderOutsideDemoMode) {
  sound::BaseBeat = 70;
  struct Case {
    int16_t mode;
    int slider;
    int32_t tempo;
  };
  const Case cases[] = {
      {2, 9, 700}, {3, 13, 350}, {2, 1, 3500},
      {1, 13, 700},  // demo mode plays the durations unscaled, and the tabla with them
  };
  for (const auto& c : cases) {
    sound::CurrOperationMode = c.mode;
    SetSlider(c.slider);
    EXPECT_EQ(sound::fGetThekaTempo(), c.tempo) << "mode " << c.mode << ", slider " << c.slider;
  }
}

// A composition in Rupak (7 beats) of the theka fixture in hand: asthai and antara.
class CompositionFilesTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    testsupport::MakeContentFixture(Path("mrA.kzy"), phrasetest::kThekaRows);
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
    Composition();
    common::TCompData = {};
    common::TCompData[0] = {.NotationIndex = 10, .CompositionPart = 1, .CompositionText = "Eri", .Syllables = "e ri aa",
                            .SyllableDuration = "1 1 2", .Notation = "S R G", .NotesDuration = "1 1 2", .TalaId = 4,
                            .StartingBeat = 1, .PlayingSpeed = 50};
    common::TCompData[1] = {.NotationIndex = 10, .CompositionPart = 2, .CompositionText = "Eri", .Syllables = "pi ya",
                            .SyllableDuration = "2 2", .Notation = "P D", .NotesDuration = "2 2", .TalaId = 4,
                            .StartingBeat = 3, .PlayingSpeed = 50};
    sound::TMNInfo = {};
    sound::PlayMode = 2;
  }
  void TearDown() override {
    shell::DatabaseA.Close();
    shell::DatabaseA = {};
    RenderTest::TearDown();
  }
};

TEST_F(CompositionFilesTest, AsthaiAndAntaraFillSlotsZeroAndOne) {
  ASSERT_EQ(sound::fCreateCompositionMusicFilesFromT(), 1);
  EXPECT_EQ(sound::PlayMode, 1);
  EXPECT_EQ(NotesList[0].NoteCount, 3);
  EXPECT_EQ(NotesList[1].NoteCount, 2);
  EXPECT_EQ(NotesList[0].StartMatra, 1);
  EXPECT_EQ(NotesList[1].StartMatra, 3);
  EXPECT_FALSE(NotesList[0].TalaString.empty());
  EXPECT_GE(Frames(shell::WavFileA), 2000 * soundlib::kSampleRate / 1000);
  EXPECT_GE(Frames(shell::WavFileB), 2000 * soundlib::kSampleRate / 1000);
  EXPECT_EQ(sound::TMNInfo.CurrPhrase, 1);
  EXPECT_EQ(sound::TMNInfo.RestartPhrase, 1);
  EXPECT_EQ(sound::TMNInfo.LastPhrase, 2);
  EXPECT_EQ(sound::TPlayInfo.CurrPhrase, 2);
}

TEST_F(CompositionFilesTest, AFilmSongRendersOnlyItsOnePart) {
  sound::CurrMusicItemType = 9;
  ASSERT_EQ(sound::fCreateCompositionMusicFilesFromT(), 1);
  EXPECT_TRUE(vb::FileExists(shell::WavFileA));
  EXPECT_FALSE(vb::FileExists(shell::WavFileB));
  EXPECT_EQ(sound::TMNInfo.LastPhrase, 1);
}

TEST_F(CompositionFilesTest, AFailedAsthaiStopsBeforeTheAntara) {
  Unwritable(0);
  EXPECT_EQ(sound::fCreateCompositionMusicFilesFromT(), 0);
  EXPECT_FALSE(vb::FileExists(shell::WavFileB));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kGeneration, kPreparing}));
}

TEST_F(RenderTest, SelectedNoteIsRenderedIntoTheFirstFileAndPlayed) {
  sound::PlayState = 3;
  ASSERT_EQ(sound::fPlaySelectedNote(5, 300, 0), 1);
  EXPECT_EQ(sound::MusicFileToPlay, shell::WavFileA);
  EXPECT_EQ(sound::PlayState, 1) << "opened afresh and playing";
  EXPECT_GE(Frames(shell::WavFileA), 300 * soundlib::kSampleRate / 1000);
  EXPECT_EQ(sound::fPlaySelectedNote(77, 300, 0), 0);  // no such note
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kCreating}));
}

TEST_F(RenderTest, SelectedPhraseIsRenderedIntoTheFirstFileAndPlayed) {
  sound::sPlaySelectedPhrase(2, "12 14", "300 200", 1);
  EXPECT_EQ(sound::MusicFileToPlay, shell::WavFileA);
  EXPECT_GE(Frames(shell::WavFileA), 500 * soundlib::kSampleRate / 1000);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
