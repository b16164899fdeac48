// The program killed with SIGKILL at random moments while it saves, not only after one
// statement or another: each run starts the program as a learner does, saves patterns
// through the workbench's own save and the settings through Exit, and is killed after a
// random time (seeded; the seed is printed, and VELMORA_KILL_SEED repeats a run). The
// kill may fall anywhere: within a statement, within a commit while the file is
// written, in the start-up of the next run. After each kill the files as they lie on
// the disk (a copy of the user database and its journal, the journal rolled back in the
// copy) pass the integrity check and hold every save whole or not at all, nothing saved
// before is lost, and the next start (the next run) finds exactly that state.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dao/Journal.h"
#include "shell/Players.h"
#include "shell/ShellRun.h"
#include "shell/StartUpLibDouble.h"
#include "support/GuiEnvironment.h"
#include "support/KillHarness.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_killrandom", shell::InstallPlayers));

namespace fs = std::filesystem;
using shelltest::Settle;
using testsupport::KillHarness;

constexpr int kKills = 200;
constexpr int kPatternsPerRun = 3;
// The settings a run saves at Exit, each set to the run's number.
constexpr const char* kRunSettings[] = {"DelayC", "DelayMO", "DelayPC", "DelayW"};

// What the saves leave in a user database: the patterns, and the settings the runs set.
struct Saved {
  std::vector<std::string> patterns;  // "id|name|phrase|mode", by id
  std::vector<std::string> settings;  // the values of kRunSettings
  bool operator==(const Saved&) const = default;
};

void PrintTo(const Saved& s, std::ostream* os) {
  *os << "patterns:";
  for (const auto& p : s.patterns) *os << " " << p;
  *os << "; settings:";
  for (const auto& v : s.settings) *os << " " << v;
}

Saved SavedIn(const dao::Database& db) {
  Saved saved;
  auto patterns = db.OpenRecordset("SELECT * FROM [User Patterns] ORDER BY [PatternId]", dao::dbOpenSnapshot);
  for (; !patterns.Eof(); patterns.MoveNext()) {
    std::string row;
    for (int i = 0; i < patterns.FieldCount(); ++i)
      row += (i > 0 ? "|" : "") + (patterns.Fields(i).IsNull() ? std::string("NULL") : patterns.Fields(i).ToString());
    saved.patterns.push_back(row);
  }
  patterns.Close();
  for (const char* name : kRunSettings) {
    auto rs = db.OpenRecordset(std::string("SELECT [Parameter Value] FROM [User Parameters] WHERE [Parameter Name] = \"") +
                                   name + "\"",
                               dao::dbOpenSnapshot);
    saved.settings.push_back(rs.Eof() || rs.Fields(0).IsNull() ? "NULL" : rs.Fields(0).ToString());
    rs.Close();
  }
  return saved;
}

std::string Text(const Saved& s) {
  std::string text;
  for (const auto& p : s.patterns) text += p + "\n";
  text += "--\n";
  for (const auto& v : s.settings) text += v + "\n";
  return text;
}

Saved FromText(const std::vector<std::string>& lines) {
  Saved s;
  bool settings = false;
  for (const auto& line : lines) {
    if (line.empty()) continue;
    if (line == "--") {
      settings = true;
    } else {
      (settings ? s.settings : s.patterns).push_back(line);
    }
  }
  return s;
}

class RandomKillTest : public shelltest::ShellRunTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    testsupport::SqliteWriteSeam::Set(nullptr);  // in place before any file is opened
    // The runs' private temporary folders stay inside the test's own folder.
    const fs::path tmp = folder_ / "tmp";
    fs::create_directories(tmp);
    setenv("TMPDIR", tmp.c_str(), 1);
    // The data folder on a memory disk where there is one: a run syncs its files a dozen
    // times, which on a real disk takes longer than the rest of it.
    if (fs::is_directory("/dev/shm")) {
      memoryFolder_ = fs::path("/dev/shm") / ("velmora-randomkill-" + std::to_string(getpid()) + "-" +
                                               std::to_string(GetParam()));
      fs::remove_all(memoryFolder_);
      data_ = memoryFolder_ / "data";
      setenv("VELMORA_HOME", data_.c_str(), 1);
    }
    fs::create_directories(data_);
    testsupport::MakeUserFixture(Data("mrB.kzy"));
    // Seeds of four samples: the runs are about saving, and the sound start-up, which reads
    // every sample, is the longest part of a start.
    testsupport::RunSql(Share("mrA.kzy"), "UPDATE \"Note Specifications\" SET \"SamPerCyc\" = 4; DELETE FROM "
                                          "\"Sample Values\" WHERE \"Sample Id\" > 4;");
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    ShellRunTest::TearDown();
    if (!memoryFolder_.empty()) fs::remove_all(memoryFolder_);
  }
  fs::path memoryFolder_;

  // When a run is killed: that long after its start, or just before its n-th write to
  // the user database file (a commit cut short while it writes the file); neither: not.
  struct Kill {
    std::chrono::microseconds delay{0};
    int write = 0;
  };

  // Run r of the program, in a child: it starts, records the state it finds, opens the
  // workbench, saves kPatternsPerRun patterns and ends with Exit, which saves the
  // settings.
  void Run(int r, Kill kill) {
    if (kill.delay.count() > 0)
      std::thread([delay = kill.delay] {
        std::this_thread::sleep_for(delay);
        ::kill(getpid(), SIGKILL);
      }).detach();
    int writes = 0;
    const std::string path = fs::weakly_canonical(Data("mrB.kzy")).string();
    testsupport::SqliteWriteSeam::Set([&writes, path, at = kill.write](const char* name, bool mainDatabase) {
      if (mainDatabase && name != nullptr && path == name && ++writes == at) raise(SIGKILL);
      return SQLITE_OK;
    });
    const auto begun = std::chrono::steady_clock::now();
    ASSERT_TRUE(Start()) << ::testing::PrintToString(MessageTexts());
    ASSERT_TRUE(messages.empty()) << "the start found the files whole: " << ::testing::PrintToString(MessageTexts());
    vb::WriteLines(found_, {Text(SavedIn(shell::DatabaseB))});
    vb::WriteLines(savesBegin_, {std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(
                                                    std::chrono::steady_clock::now() - begun)
                                                    .count())});
    Click("cMnuOpeWor");
    Settle();
    ASSERT_EQ(shell::CurrFormId, 13);
    forms::Form& bench = *shell::CurrForm;
    const auto press = [&](const char* name) {
      bench.Ctl(name).RaiseFromUser(forms::Event::Click);
      Settle();
    };
    press("cMajorScale");
    for (int k = 1; k <= kPatternsPerRun; ++k) {
      press("cMnuDefPat");
      for (const int16_t note : {7, 9, 12})
        bench.Ctl("cL", static_cast<int16_t>(sound::CurrTonicNoteId + 4 + note)).RaiseFromUser(forms::Event::Click);
      bench.Get<forms::OptionButton>("cO2").Select();  // a series
      Settle();
      bench.Get<forms::OptionButton>("cO1").Select();  // "Save Defined Pattern?" Yes
      Settle();
      bench.Ctl("cPatName").SetText("r" + std::to_string(r) + "-" + std::to_string(k));
      press("cOK");
    }
    bench.CloseFromUser();
    Settle();
    shell::DelayC = shell::DelayMO = shell::DelayPC = shell::DelayW = static_cast<int16_t>(r);
    Click("cExit");
    Settle();
    ASSERT_FALSE(Main().Loaded()) << "the run ended";
    vb::WriteLines(writes_, {std::to_string(writes)});
  }

  // The state on the disk as the next start would find it: a copy of the user database
  // and its journal, the journal rolled back in the copy.
  Saved OnDisk() {
    const fs::path copy = folder_ / "copy";
    fs::remove_all(copy);
    fs::create_directories(copy);
    const std::string file = (copy / "mrB.kzy").string();
    fs::copy_file(Data("mrB.kzy"), file);
    if (fs::exists(dao::JournalName(Data("mrB.kzy"))))
      fs::copy_file(dao::JournalName(Data("mrB.kzy")), dao::JournalName(file));
    EXPECT_EQ(testsupport::IntegrityOf(file), "ok");
    dao::Database db = dao::Database::OpenDatabase(file, false, true);
    const Saved saved = SavedIn(db);
    db.Close();
    return saved;
  }

  std::string found_;       // the state the start of a run found
  std::string savesBegin_;  // when its saves began, in us after its start
  std::string writes_;      // the writes a whole run sent to the user database file
};

// Every save whole or not at all, and nothing saved before it lost: the patterns of
// earlier states are all there, the new ones are the first few of the killed run in
// their order, and the run's settings are all old or all new.
void ExpectWholeSaves(const Saved& before, const Saved& now, int run) {
  ASSERT_GE(now.patterns.size(), before.patterns.size());
  for (size_t i = 0; i < before.patterns.size(); ++i) EXPECT_EQ(now.patterns[i], before.patterns[i]) << "lost";
  const size_t added = now.patterns.size() - before.patterns.size();
  EXPECT_LE(added, static_cast<size_t>(kPatternsPerRun));
  for (size_t k = 0; k < added; ++k) {
    const std::string name = "|r" + std::to_string(run) + "-" + std::to_string(k + 1) + "|";
    EXPECT_NE(now.patterns[before.patterns.size() + k].find(name), std::string::npos)
        << now.patterns[before.patterns.size() + k];
  }
  ASSERT_EQ(now.settings.size(), std::size(kRunSettings));
  for (const auto& value : now.settings) EXPECT_EQ(value, now.settings[0]) << "settings saved in part";
  EXPECT_TRUE(now.settings == before.settings || now.settings[0] == std::to_string(run))
      << "the settings of another run";
}

// Four lanes of kills, each on a data folder of its own, so that CTest runs them side by
// side; together they kill the program at least kKills times.
constexpr int kLanes = 4;

using RandomKillLaneTest = RandomKillTest;

TEST_P(RandomKillLaneTest, EveryStartAfterAKillFindsTheStateBeforeOrAfterEachSaveWhole) {
  const int lane = GetParam();
  const char* given = std::getenv("VELMORA_KILL_SEED");
  const unsigned seed = (given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                                          : static_cast<unsigned>(std::random_device{}())) +
                        static_cast<unsigned>(lane);
  std::printf("random kill seed %u of lane %d (repeat with VELMORA_KILL_SEED=%u)\n", seed, lane,
              seed - static_cast<unsigned>(lane));
  ::testing::Test::RecordProperty("seed", std::to_string(seed));
  std::mt19937 random(seed);
  found_ = (folder_ / "found.txt").string();
  savesBegin_ = (folder_ / "saves.txt").string();
  writes_ = (folder_ / "writes.txt").string();

  // One run to its end measures how long a run and its start last, and how many writes
  // it sends to the file. Half the kills fall among the saves, a quarter anywhere in a
  // run, a quarter before a write to the file.
  const auto start = std::chrono::steady_clock::now();
  const KillHarness::Outcome whole = KillHarness::Run(0, [&] { Run(0, {}); });
  ASSERT_TRUE(whole.finished);
  const auto length =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  const int64_t saves = std::stoll(vb::ReadLines(savesBegin_).at(0));
  const int writes = std::stoi(vb::ReadLines(writes_).at(0));
  ASSERT_GT(writes, 0);
  Saved before = OnDisk();
  ASSERT_EQ(before.patterns.size(), static_cast<size_t>(kPatternsPerRun));
  std::uniform_int_distribution<int64_t> anywhere(1, length.count());
  std::uniform_int_distribution<int64_t> amongTheSaves(std::min(saves, length.count()), length.count());
  std::uniform_int_distribution<int> write(1, writes);
  std::discrete_distribution<int> how({2, 1, 1});
  int hot = 0;  // kills that left a journal to roll back: within a commit

  const int wanted = (kKills + kLanes - 1) / kLanes;
  int kills = 0;
  int run = 1;
  for (; kills < wanted && run <= 4 * wanted; ++run) {
    fs::remove(found_);
    Kill kill;
    switch (how(random)) {
      case 0: kill.delay = std::chrono::microseconds(amongTheSaves(random)); break;
      case 1: kill.delay = std::chrono::microseconds(anywhere(random)); break;
      default: kill.write = write(random); break;
    }
    const KillHarness::Outcome outcome = KillHarness::Run(0, [&] { Run(run, kill); });
    ASSERT_TRUE(outcome.killed || outcome.finished) << "run " << run;
    if (outcome.killed) ++kills;
    if (dao::ExamineJournal(Data("mrB.kzy")).hot) ++hot;
    // The start of this run found what the last kill left.
    if (fs::exists(found_)) {
      ASSERT_EQ(FromText(vb::ReadLines(found_)), before) << "run " << run << ": the start found another state";
    }
    const Saved now = OnDisk();
    ExpectWholeSaves(before, now, run);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "run " << run << " killed after " << kill.delay.count() << " us or before write "
                    << kill.write << " (seed " << seed << ")";
      return;
    }
    before = now;
  }
  std::printf("lane %d: %d kills in %d runs, %d of them within a commit; a run lasts about %lld ms, its saves begin "
              "after %lld ms, it writes the file %d times\n",
              lane, kills, run - 1, hot, static_cast<long long>(length.count() / 1000),
              static_cast<long long>(saves / 1000), writes);
  EXPECT_GE(kills, wanted);
  // A last start, not killed, finds the last state.
  fs::remove(found_);
  const KillHarness::Outcome last = KillHarness::Run(0, [&] { Run(run, {}); });
  EXPECT_TRUE(last.finished);
  EXPECT_EQ(FromText(vb::ReadLines(found_)), before);
}

INSTANTIATE_TEST_SUITE_P(Lanes, RandomKillLaneTest, ::testing::Range(0, kLanes),
                         [](const auto& info) { return "Lane" + std::to_string(info.param); });

}  // namespace
