// Small content and user databases for the seeds, tuning, scale-set and drone
// procedures, opened as the program opens them, with a double of the sound library.
//
// Main instrument "c": notes 0 to 41, SamPerCyc 300 - 6 x id, "Fractional Value" 0.25,
// two samples each. Drone "e": notes 0 to 41, SamPerCyc 302 - 6 x id, 0.5. Built-in sets
// 1 to 12 (tonic = set), column k of type y holding y x 100 + set + k / 100. Ratio rows
// for tonics 1 to 12, column k of type y holding 1 + k / 100 + y / 1000, but column 3,
// which is 0. User set 13 (tonic 5, "My Set"): column k of type y holding -(y + k / 10).
#pragma once

#include <cstdio>
#include <string>

#include "common/CommonState.h"
#include "common/Queries.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SoundLibDouble.h"
#include "support/SqlFixture.h"

namespace seedtest {

inline double FixtureSeedSpc(char key, int id) { return key == 'c' ? 300 - 6 * id + 0.25 : 302 - 6 * id + 0.5; }
inline float FixtureSetValue(int set, int type, int k) { return static_cast<float>(type * 100 + set + k / 100.0); }
inline float FixtureUserValue(int type, int k) { return static_cast<float>(-(type + k / 10.0)); }
inline float FixtureRatio(int type, int k) { return k == 3 ? 0.0f : static_cast<float>(1 + k / 100.0 + type / 1000.0); }

inline std::string ScaleColumns() {
  std::string columns;
  for (int k = 0; k < 27; ++k) {
    char name[8];
    std::snprintf(name, sizeof name, ", \"%02d\"", k);
    columns += name;
  }
  return columns;
}

template <class Value>
std::string ScaleValues(Value value) {
  std::string values;
  for (int k = 0; k < 27; ++k) {
    char text[40];
    std::snprintf(text, sizeof text, ", %.9g", static_cast<double>(value(k)));
    values += text;
  }
  return values;
}

inline std::string FixtureContentRows() {
  std::string sql;
  for (char key : {'c', 'e'}) {
    for (int id = 0; id < 42; ++id) {
      const double spc = FixtureSeedSpc(key, id);
      const int whole = static_cast<int>(spc);
      sql += "INSERT INTO \"Note Specifications\" VALUES ('" + std::string(1, key) + "', " + std::to_string(id) + ", " +
             std::to_string(whole) + ", " + std::to_string(spc - whole) + ");\n";
      sql += "INSERT INTO \"Sample Values\" VALUES ('" + std::string(1, key) + "', " + std::to_string(id) + ", 0, " +
             std::to_string(id) + "), ('" + std::string(1, key) + "', " + std::to_string(id) + ", 1, -" +
             std::to_string(id) + ");\n";
    }
  }
  for (int set = 1; set <= 12; ++set) {
    for (int type = 1; type <= 2; ++type) {
      sql += "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"NPSetName\", \"TonicNoteId\"" + ScaleColumns() +
             ") VALUES (" + std::to_string(set) + ", " + std::to_string(type) + ", 'Set', " + std::to_string(set) +
             ScaleValues([&](int k) { return FixtureSetValue(set, type, k); }) + ");\n";
      sql += "INSERT INTO \"ONPRSets\" (\"TonicNoteId\", \"InstrumentType\"" + ScaleColumns() + ") VALUES (" +
             std::to_string(set) + ", " + std::to_string(type) +
             ScaleValues([&](int k) { return FixtureRatio(type, k); }) + ");\n";
    }
  }
  return sql;
}

inline std::string FixtureUserRows() {
  std::string sql = "INSERT INTO \"Scale Shift Specs\" (\"NPSetId\", \"NPSetName\") VALUES (13, 'My Set');\n";
  for (int type = 1; type <= 2; ++type) {
    sql += "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"NPSetName\", \"TonicNoteId\"" + ScaleColumns() +
           ") VALUES (13, " + std::to_string(type) + ", 'My Set', 5" +
           ScaleValues([&](int k) { return FixtureUserValue(type, k); }) + ");\n";
  }
  return sql;
}

// Opens the content and the user database as the program does (exclusive; the content
// database read-only), and closes them again.
inline void OpenDatabases(const std::string& content, const std::string& user) {
  shell::DatabaseA = dao::Database::OpenDatabase(content, true, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(user, true, false, "MS ACCESS;PWD=x");
}
inline void CloseDatabases() {
  testsupport::CloseDatabases();
}

// Resets the sound state to the start of a run: tonic and set 3, keys "c" and "e",
// drone type 1, loudness 1.0, vectors zero.
inline void ResetSoundState() {
  sound::CurrTonicNoteId = 3;
  sound::CurrMusicSetId = 3;
  sound::CurrInstrument = "c";
  sound::DroneInstrument = "e";
  sound::CurrDroneType = 1;
  sound::CurrDroneFactor = 1.0;
  sound::DroneOption = 1;
  sound::DroneVolumeStep = 0;
  sound::PlayMode = 0;
  sound::NoteAdjustSPCs = {};
  sound::SavedSPCsA = {};
  sound::SavedSPCsB = {};
  sound::ScaleShiftSpec = {};
}

class SeedsTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    // One transaction each: row by row, every insert would wait for the disk.
    testsupport::MakeContentFixture(Path("mrA.kzy"), "BEGIN;\n" + FixtureContentRows() + ExtraContentRows() + "COMMIT;\n");
    testsupport::MakeUserFixture(Path("mrB.kzy"), "BEGIN;\n" + FixtureUserRows() + "COMMIT;\n");
    OpenDatabases(Path("mrA.kzy"), Path("mrB.kzy"));
    common::sSetSQLStrings();
    common::CurrRagaIndex = 0;
    ResetSoundState();
  }
  void TearDown() override {
    CloseDatabases();
    ScratchTest::TearDown();
  }
  // Changes the fixture files with SQL, between closing and opening them again.
  void AlterDatabases(const std::string& contentSql, const std::string& userSql) {
    CloseDatabases();
    if (!contentSql.empty()) testsupport::RunSql(Path("mrA.kzy"), contentSql);
    if (!userSql.empty()) testsupport::RunSql(Path("mrB.kzy"), userSql);
    OpenDatabases(Path("mrA.kzy"), Path("mrB.kzy"));
  }
  // More content rows for a test suite.
  virtual std::string ExtraContentRows() const { return ""; }

  std::vector<std::string> Prompts() const {
    std::vector<std::string> prompts;
    for (const auto& m : messages) prompts.push_back(m.prompt);
    return prompts;
  }

  testsupport::SoundLibDouble soundLib;
};

}  // namespace seedtest
