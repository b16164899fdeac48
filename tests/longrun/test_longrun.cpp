// The whole program over a long session, on the silent output with a clock moved by
// hand: a thousand phrases of the built content played through the play loop in demo
// mode, and every screen of the main menu opened and left a hundred times. Nothing may
// leak (the sanitizer build checks that at the end of the program) and the memory in
// use may not grow once the first rounds have filled the program's caches.
#include <malloc.h>

#include <QCoreApplication>
#include <QListWidget>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/mci/Clock.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Folders.h"
#include "shell/Players.h"
#include "shell/ShellRun.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/GuiEnvironment.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_ASAN 1
#endif
#endif

namespace longrun {
namespace {

using namespace std::chrono_literals;
using shelltest::Settle;
namespace fs = std::filesystem;

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_longrun", shell::InstallPlayers));

// Bytes of the heap in use (the sanitizer build keeps its own heap and says 0).
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

class LongRunTest : public shelltest::BuiltContentRunTest {
 protected:
  void SetUp() override {
    BuiltContentRunTest::SetUp();
    ASSERT_TRUE(Start());
    ASSERT_EQ(shell::CurrFormId, 1);
  }
  void TearDown() override {
    if (Main().Loaded()) {
      while (shell::CurrForm != nullptr && shell::CurrForm != &Main()) LeaveScreen();
      Click("cExit");
      Settle();
    }
    BuiltContentRunTest::TearDown();
  }

  forms::Form& Front() { return *shell::CurrForm; }

  // Moves time on in steps of 100 ms (as often as the player reports its position), the
  // event loop delivering what falls due.
  void PlayFor(std::chrono::milliseconds span, const std::function<bool()>& done) {
    for (auto t = 0ms; t < span && !done(); t += 100ms) {
      clock_->Advance(100ms);
      QCoreApplication::processEvents();
    }
  }

  // The screen in front left by its close box, back to the one it was opened over.
  void LeaveScreen() {
    forms::Form* left = shell::CurrForm;
    left->CloseFromUser();
    Settle();
    ASSERT_NE(shell::CurrForm, left) << "the screen did not close";
  }

  void ChooseLine(const char* list, int16_t index) {
    auto& l = Front().Get<forms::ListControl>(list);
    static_cast<QListWidget*>(l.Widget())->setCurrentRow(index);
  }

  // Every alap, layakari and taan item of the raga in row r of the grid, played to its
  // end in demo mode; the phrases played.
  int PlayRaga(int32_t row) {
    auto& grid = shell::FormRagaSelection1->Get<forms::Grid>("cRagaList");
    grid.SetRow(row);
    grid.RaiseFromUser(forms::Event::Click);
    Settle();
    EXPECT_EQ(shell::CurrFormId, 28);
    if (shell::CurrFormId != 28) return 0;
    forms::Form& screen = Front();
    mci::MMControl& player = *shell::MMControlOf(screen, "cMM");
    auto& items = screen.Get<forms::ListControl>("cKZIllusList");
    int phrases = 0;
    for (int16_t i = 0; i < items.ListCount(); ++i) {
      const std::string line = items.List(i);
      if (line.find("Alap") == std::string::npos && line.find("Layakari") == std::string::npos &&
          line.find("Taan") == std::string::npos)
        continue;
      std::string last;
      int32_t lastPosition = 0;
      ChooseLine("cKZIllusList", i);
      PlayFor(120s, [&] {
        if (player.Mode() == mci::mciModePlay) {
          if (player.FileName() != last || player.Position() < lastPosition) ++phrases;
          last = player.FileName();
          lastPosition = player.Position();
        }
        return player.Mode() != mci::mciModePlay && items.Enabled();
      });
      EXPECT_TRUE(items.Enabled()) << line << " did not end";
    }
    LeaveScreen();
    return phrases;
  }

};

TEST_F(LongRunTest, AThousandPhrasesAndEveryScreenAHundredTimesWithoutGrowth) {
  constexpr int kPhrases = 1000;
  constexpr int kOpenings = 100;
  // Every screen of the main menu; those not built yet open nothing and are left out.
  std::vector<const char*> screens;
  for (const char* item : {"cMnuExpRag", "cMnuTakQui", "cMnuUseMusSam", "cMnuOpeWor", "cMnuInvCom", "cMnuDefPitShi",
                           "cMnuRevRagGro"}) {
    Click(item);
    Settle();
    if (shell::CurrForm == &Main()) {
      std::printf("%s opens no screen yet: left out\n", item);
      continue;
    }
    screens.push_back(item);
    LeaveScreen();
  }
  ASSERT_GE(screens.size(), 3u);
  std::chrono::steady_clock::duration inScreens{}, inPhrases{};
  std::map<std::string, std::chrono::steady_clock::duration> perScreen;
  size_t warm = 0;
  int phrases = 0;
  // The first round of screens and ragas fills what the program keeps for the run.
  for (int round = 0; round < kOpenings; ++round) {
    const auto t0 = std::chrono::steady_clock::now();
    for (const char* item : screens) {
      SCOPED_TRACE(item);
      const auto s0 = std::chrono::steady_clock::now();
      Click(item);
      Settle();
      ASSERT_NE(shell::CurrForm, &Main()) << item << " opened no screen";
      LeaveScreen();
      ASSERT_EQ(shell::CurrForm, &Main());
      perScreen[item] += std::chrono::steady_clock::now() - s0;
    }
    const auto t1 = std::chrono::steady_clock::now();
    inScreens += t1 - t0;
    if (phrases < kPhrases) {
      Click("cMnuExpRag");
      Settle();
      const int32_t rows = shell::FormRagaSelection1->Get<forms::Grid>("cRagaList").Rows();
      phrases += PlayRaga(1 + round % (rows - 1));
      LeaveScreen();
    }
    inPhrases += std::chrono::steady_clock::now() - t1;
    if (round == 4) warm = HeapInUse();
  }
  while (phrases < kPhrases) {
    Click("cMnuExpRag");
    Settle();
    phrases += PlayRaga(1 + phrases % 60);
    LeaveScreen();
  }
  EXPECT_GE(phrases, kPhrases);
  for (const auto& [item, d] : perScreen)
    std::printf("%s %lld ms\n", item.c_str(),
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count()));
  std::printf("%d phrases; %lld ms opening and leaving screens, %lld ms playing\n", phrases,
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(inScreens).count()),
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(inPhrases).count()));
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
#ifndef VELMORA_ASAN
  const size_t end = HeapInUse();
  EXPECT_LT(end, warm + (4u << 20)) << "the heap grew from " << warm << " to " << end << " bytes";
#endif
}

}  // namespace
}  // namespace longrun
