// Fixtures of the phrase-record, theka and rendering tests: a scratch folder holding the
// music files, the shell's file names and speed table, English notation at tonic key 3,
// and a form in front whose "cSlider" gives the speed factor.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "shell/Globals.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"

namespace phrasetest {

inline constexpr int kMiddleSlider = 9;  // speed factor 1.0

class PhraseTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    common::sInitScales();
    shell::TempFolder = folder_.string() + "/";
    shell::sSetGlobalVariables();
    shell::NotationScript = common::kScriptEnglish;
    sound::CurrTonicNoteId = 3;
    sound::CurrMusicItemType = 0;
    sound::CurrItemKind = 0;
    sound::CurrOperationMode = 1;
    sound::BaseBeat = 0;
    sound::CompCycleCount = 0;
    sound::CompBeatCount = 0;
    sound::CompStartMatra = 0;
    sound::Theka = 1;
    sound::ThekaSet = 4;
    sound::GenOption = 1;
    sound::PlayMode = 1;
    sound::PlayState = 0;
    sound::MusicFileToPlay.clear();
    sound::NotesList = {};
    sound::TMNInfo = {};
    sound::TPlayInfo = {};
    forms::FormSpec spec("SpeedForm", "Speed", 99, {0, 0, 6000, 3000});
    spec.Slider("cSlider", {300, 300, 3000, 500}).Range(1, 17).Value(kMiddleSlider);
    spec.MultimediaControl("cMM");  // a single note or phrase plays on it
    form_ = std::make_unique<forms::Form>(spec);
    form_->Load();
    shell::CurrForm = form_.get();
  }
  void TearDown() override {
    shell::CurrForm = nullptr;
    form_.reset();
    ScratchTest::TearDown();
  }

  void SetSlider(int value) { form_->Ctl("cSlider").SetValue(value); }

  // Makes TPlayInfo the given (phrase, timing) pairs, phrase 1 next.
  static void PlayPhrases(const std::vector<std::pair<std::string, std::string>>& phrases) {
    sound::TPlayInfo = {};
    for (const auto& [notes, timing] : phrases) {
      sound::TPlayInfo.Phrases.push_back(notes);
      sound::TPlayInfo.Timings.push_back(timing);
    }
    sound::TPlayInfo.PhraseCount = static_cast<int16_t>(phrases.size());
    sound::TPlayInfo.CurrPhrase = 1;
  }

  std::unique_ptr<forms::Form> form_;
};

// Talas and theka bols of a small content database. The bol of beat b is 100 + b in
// theka set 4 and 300 + b in set 3 for Rupak (7 beats); Dadra (6 beats) strikes
// 600 + b in set 4; Keharwa (8 beats) has no bols.
inline constexpr const char* kThekaRows = R"sql(
INSERT INTO "Tala - Technical Information" VALUES (4, 'Rupak', 7), (5, 'Dadra', 6), (6, 'Keharwa', 8);
WITH RECURSIVE beat(b) AS (SELECT 1 UNION ALL SELECT b + 1 FROM beat WHERE b < 7)
INSERT INTO "ThekaTypeBolsForTaal" SELECT 4, 4, b, 100 + b FROM beat
  UNION ALL SELECT 3, 4, b, 300 + b FROM beat
  UNION ALL SELECT 4, 5, b, 600 + b FROM beat WHERE b <= 6;
)sql";

// A content database with those rows, open as the program opens it.
class ThekaTest : public PhraseTest {
 protected:
  void SetUp() override {
    PhraseTest::SetUp();
    testsupport::MakeContentFixture(Path("mrA.kzy"), kThekaRows);
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  }
  void TearDown() override {
    shell::DatabaseA.Close();
    shell::DatabaseA = {};
    PhraseTest::TearDown();
  }
};

}  // namespace phrasetest
