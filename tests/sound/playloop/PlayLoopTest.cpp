#include "PlayLoopTest.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "common/NotationWords.h"
#include "common/Queries.h"
#include "common/RagaTables.h"
#include "exploration/MainOperations.h"
#include "platform/forms/Declaration.h"
#include "platform/vb/Folders.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "platform/vb/Files.h"
#include "platform/mci/MMControl.h"
#include "sound/Keyboard.h"
#include "sound/NoteSeeds.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/Playback.h"
#include "soundlib/FWav.h"
#include "support/BuiltSeeds.h"

namespace playlooptest {

namespace {

using namespace std::chrono_literals;

constexpr const char* kConnect = "MS ACCESS;PWD=x";

}  // namespace

forms::FormSpec DeclareIllustrationForm(std::function<void()> onDone) {
  forms::FormSpec f = exploration::DeclareMainOperations();
  f.Label("cNote", "", {240, 1900, 400, 300}).Index(0);
  for (forms::MemberSpec& m : f.Members) {
    if (m.Name != "cMM") continue;
    m.Handlers[forms::Event::Done] = forms::MakeHandler(std::move(onDone));
    // Progress marking is the screen's own matter: the loop's tests count the
    // dispatcher's entries as ends of playing.
    m.Handlers.erase(forms::Event::StatusUpdate);
  }
  return f;
}

void RecordAndHandOn(std::vector<Played>& played) {
  const std::string file = sound::MusicFileToPlay.substr(shell::TempFolder.size());
  const std::string& text = sound::NotesList[static_cast<size_t>(sound::CurrSlot)].Text;
  played.push_back({file, common::notation::Join(common::notation::Words(text, " "), " ")});
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

void PlayLoopTest::SetUpTestSuite() { testsupport::LoadBuiltMainInstrument(); }

void PlayLoopTest::SetUp() {
  RagaTest::SetUp();
  shell::DatabaseA.Close();
  testsupport::RunSql(Path("mrA.kzy"), kExtraContentRows);
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, kConnect);
  shell::TempFolder = folder_.string() + "/";
  shell::sSetGlobalVariables();

  sound::CallbackCode = 12;
  sound::LoopFlag = 0;
  sound::PlayState = 0;
  sound::PlayMode = 1;
  sound::LookAhead = 2;
  sound::ListEndsAtDone = 0;
  sound::PlayOnAfterStop = 0;
  sound::CurrSlot = 0;
  sound::CurrOperationMode = 1;
  sound::CurrItemKind = 0;
  sound::Theka = 2;
  sound::ThekaSet = 4;
  sound::GenOption = 1;
  sound::BaseBeat = 0;
  sound::CompCycleCount = 0;
  sound::CompBeatCount = 0;
  sound::NotesList = {};
  sound::TPlayInfo = {};
  sound::TPracticeInfo = {};
  sound::PhraseNotes.clear();
  sound::PhraseTiming.clear();
  sound::ReedColorType.fill(sound::kWhiteReed);
  sound::ReedNoteOffset = 0;
  common::CurrPhraseType = 0;
  common::CurrTalaId = 0;
  common::CurrAddInfo.clear();

  OpenScreen();
  MakeCurrent(2, "Bhairav");
  common::sSetupForCurrRaga();
}

void PlayLoopTest::TearDown() {
  CloseScreen();
  RagaTest::TearDown();
}

void IllustrationScreen::OpenScreen() {
  common::TraceAvailable = -1;
  common::TraceOn = -1;
  ForgetScreenCalls();
  clock = std::make_shared<mci::FakeClock>();
  mci::SetDefaultClock(clock);
  form = std::make_unique<forms::Form>(DeclareIllustrationForm([this] { RecordAndHandOn(played); }));
  form->Load();
  sound::sLoadKBReedsAndLabels(*form);
  shell::CurrForm = form.get();
  shell::CurrFormId = 28;
}

int IllustrationScreen::EndsHeard() { return TraceEntries("sMainOperations"); }

void IllustrationScreen::ForgetScreenCalls() { vb::KillIfExists(common::ErrorTraceFile); }

void IllustrationScreen::CloseScreen() {
  shell::CurrForm = nullptr;
  shell::CurrFormId = 0;
  form.reset();
  QCoreApplication::processEvents();
  mci::SetDefaultClock(nullptr);
}

void PlayLoopTest::Layakari() {
  sound::CurrItemKind = 4;
  sound::CurrMusicItemType = 5;
  common::CurrPhraseType = 2;
}

void PlayLoopTest::Scale() {
  sound::CurrItemKind = 1;
  sound::CurrMusicItemType = 1;
  common::CurrPhraseType = 6;
}

void PlayLoopTest::PlayFor(std::chrono::milliseconds span, const std::function<bool()>& done) {
  for (auto t = 0ms; t < span && !(done && done()); t += 10ms) {
    clock->Advance(10ms);
    QCoreApplication::processEvents();
  }
}

void PlayLoopTest::PlayUntilTheEnd() {
  PlayFor(20s, [this] {
    return shell::MMControlOf(*form, "cMM")->Mode() != mci::mciModePlay && EndsHeard() > 0;
  });
}

}  // namespace playlooptest
