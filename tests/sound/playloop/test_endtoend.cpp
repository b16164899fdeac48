// A raga of the built content database, its aroha and avroha in demo mode on the
// illustration screen: from the in-memory raga tables through the set-up, the sound
// library with the generated seeds, drone and tuning, and the play loop to the silent
// output, until the screen's dispatcher hears the end of playing.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PlayLoopTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/Queries.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "shell/Globals.h"
#include "soundlib/Constants.h"
#include "soundlib/FWav.h"
#include "soundlib/WavReader.h"
#include "sound/NoteSeeds.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayLoop.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"

namespace playlooptest {
namespace {

using namespace std::chrono_literals;

class EndToEnd : public testsupport::ScratchTest, public IllustrationScreen {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    const std::string built = vb::JoinPath(vb::ShareFolderPath(), "mrA.kzy");
    ASSERT_TRUE(std::filesystem::exists(built)) << built;
    std::filesystem::copy_file(built, Path("mrA.kzy"));
    testsupport::MakeUserFixture(Path("mrB.kzy"));
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, shell::kDatabaseConnect);
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, shell::kDatabaseConnect);
    shell::TempFolder = folder_.string() + "/";
    shell::sSetGlobalVariables();
    common::sInitScales();
    common::sSetSQLStrings();
    shell::NotationScript = common::kScriptEnglish;
    shell::GraceNotes = common::kGraceNotesUse;
    sound::CurrTonicNoteId = 3;
    sound::CurrMusicSetId = 3;
    sound::CurrDroneType = 1;
    sound::CurrDroneFactor = 1.0;
    sound::PlayState = 0;
    sound::LoopFlag = 0;

    // The sound as the program starts it.
    ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
    ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
    ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);

    OpenScreen();
  }
  void TearDown() override {
    CloseScreen();
    testsupport::CloseDatabases();
    ScratchTest::TearDown();
  }

  // Runs the event loop while time moves on, 10 ms of play per millisecond, until the
  // screen hears the end of playing (at most a minute of play).
  void RunUntilTheEndOfPlaying() {
    QEventLoop loop;
    QTimer ticker;
    int ticks = 0;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
      clock->Advance(10ms);
      if (EndsHeard() > 0 || ++ticks > 6000) loop.quit();
    });
    ticker.start(1);
    loop.exec();
  }

};

TEST_F(EndToEnd, ARagasArohaInDemoModePlaysThroughTheLoopAndTheScreenHearsTheEnd) {
  common::CurrDBSelector = 1;
  common::CurrRagaIndex = common::fGetSeqRagaId(0);
  common::CurrRagaName = common::fGetRagaName(common::CurrRagaIndex);
  common::sSetupForCurrRaga();
  ASSERT_FALSE(common::CurrRagaName.empty());
  // The illustration screen's aroha button.
  sound::CurrMusicItemType = 1;
  sound::CurrItemKind = 1;
  common::CurrPhraseType = 6;
  sound::CurrOperationMode = 1;
  sound::CallbackCode = 12;

  sound::sSetUpForDemoModeIllustrations();
  ASSERT_TRUE(messages.empty()) << messages.front().prompt;
  const std::string scale = common::fGetFromT_ScalePhraseUnSeg(common::kReadNotes);
  const auto& rec = sound::NotesList[0];
  ASSERT_GT(rec.NoteCount, 0);
  soundlib::WavReader wav;
  ASSERT_TRUE(wav.Open(shell::WavFileA));
  EXPECT_GE(wav.frames(), static_cast<int64_t>(rec.Positions[rec.NoteCount]) * soundlib::kSampleRate / 1000)
      << "the file holds every note";

  ASSERT_TRUE(sound::fPlayMusicPhrases());
  EXPECT_EQ(form->Ctl("cInfo").Text(), "Playing Aroha + Avroha");
  RunUntilTheEndOfPlaying();

  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0].file, "A.wav");
  EXPECT_EQ(played[0].phrase, common::notation::Join(common::notation::Words(scale, " "), " "));
  EXPECT_EQ(EndsHeard(), 1) << "the screen's dispatcher hears the end of playing";
  EXPECT_EQ(sound::TPlayInfo.CurrPhrase, sound::TPlayInfo.RestartPhrase);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace playlooptest
