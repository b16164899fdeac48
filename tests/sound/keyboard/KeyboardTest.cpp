#include "KeyboardTest.h"

#include <QApplication>

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/SqlFixture.h"

namespace keyboardtest {

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_sound_keyboard";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

int16_t CodeOf(const std::string& englishName) {
  const auto& names = common::EnglishNotes;
  const auto it = std::find(names.begin(), names.begin() + 36, englishName);
  return it == names.begin() + 36 ? -1 : static_cast<int16_t>(it - names.begin());
}

}  // namespace

PhraseRecord MakeRecord(const std::string& englishWords) {
  PhraseRecord rec;
  std::istringstream in(englishWords);
  for (std::string word; in >> word;) {
    if (!rec.Text.empty()) rec.Text += " ";
    rec.WordStarts.push_back(static_cast<int32_t>(rec.Text.size()) + 1);
    rec.WordLengths.push_back(static_cast<int32_t>(word.size()));
    rec.Text += word;
    const auto glide = word.find('\'');
    common::PhraseNote note;
    if (glide == std::string::npos) {
      note.Main = CodeOf(word);
    } else {
      note.Grace = CodeOf(word.substr(0, glide));
      note.Main = CodeOf(word.substr(glide + 1));
    }
    rec.Notes.push_back(note);
  }
  rec.NoteCount = static_cast<int16_t>(rec.Notes.size());
  rec.Notes.push_back({});  // records hold one element more than their notes
  return rec;
}

forms::FormSpec DeclareKeyboardForm() {
  forms::FormSpec f("KeyboardTestForm", "Keyboard", 28, {0, 0, 12000, 9000});
  f.TextBox("cInfo", {240, 240, 8000, 400}).Locked().Hidden();
  f.Label("Label17", "Current item", {240, 760, 1800, 300}).Hidden();
  f.Label("Label10", "Pattern", {240, 760, 1800, 300}).Hidden();
  f.TextBox("cCurrentItem", {2100, 700, 6140, 400}).Hidden();
  f.TextBox("cNotes", {240, 1300, 8000, 600});
  auto frame = f.Frame("Frame2", "Select Desired", {8600, 240, 3000, 1200});
  frame.Option("Option4", "Yaman", {120, 300, 2600, 300});
  frame.Option("Option5", "Kalyan", {120, 700, 2600, 300});
  f.Button("cPlay", "Play", {240, 2200, 1400, 450}).Hidden();
  f.Button("cStop", "Stop", {1800, 2200, 1400, 450}).Hidden();
  f.Button("cStartLoop", "Start Looping", {3360, 2200, 1600, 450}).Hidden();
  f.Button("cStopLoop", "Stop Looping", {5120, 2200, 1600, 450}).Hidden();
  f.Button("cReturn", "Go &Back", {10200, 2200, 1400, 450});
  f.Label("cNote", "", {240, 2900, 400, 300}).Index(0).BackColor(0x8080FF);
  sound::DeclareKeyboard(f, 4200);
  return f;
}

void KeyboardTest::SetUp() {
  ScratchTest::SetUp();
  const std::string content = Path("mrA.kzy");
  testsupport::MakeContentFixture(
      content, testsupport::ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/content/data/reed_colors.sql"));
  shell::DatabaseA = dao::Database::OpenDatabase(content, true, true, "MS ACCESS;PWD=x");
  common::sSetSQLStrings();
  common::sInitScales();
  sound::sInitReedColorType();
  sound::sInitReedsDisplayedData();
  shell::NotationScript = common::kScriptEnglish;
  shell::GraceNotes = common::kGraceNotesUse;
  shell::FormH = 9000;
  sound::CurrTonicNoteId = 3;
  sound::ReedNoteOffset = 0;
  sound::CallbackCode = 12;
  sound::KeyboardDisplay = 1;
  sound::LoopFlag = 0;

  form = std::make_unique<forms::Form>(DeclareKeyboardForm());
  form->Show();
  form->Move(0, 0, 12000, 9000);
  for (int16_t k = 1; k < kGridCells; ++k) form->LoadElement("cNote", k).SetVisible(true);
  sound::sLoadKBReedsAndLabels(*form);
  shell::CurrForm = form.get();
  shell::CurrFormId = form->Id();
}

void KeyboardTest::TearDown() {
  shell::CurrForm = nullptr;
  shell::CurrFormId = 0;
  form.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  shell::DatabaseA.Close();
  shell::DatabaseA = {};
  ScratchTest::TearDown();
}

void KeyboardTest::Draw(int16_t tonic, int16_t script) {
  sound::CurrTonicNoteId = tonic;
  shell::NotationScript = script;
  sound::sDisplayKeyboardAlt(*form, 1);
}

std::vector<int16_t> KeyboardTest::DrawnReeds(int16_t colorType) const {
  std::vector<int16_t> reeds;
  for (int16_t r = sound::FirstReed; r <= sound::LastReed; ++r) {
    if (sound::ReedColorType[r] == colorType) reeds.push_back(r);
  }
  return reeds;
}

}  // namespace keyboardtest
