// The instrument and scale-set rows written for the content database, loaded
// into a database of the documented tables.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "SoundTest.h"
#include "instrgen/InstrumentData.h"
#include "soundlib/FWav.h"

namespace soundtest {
namespace {

std::string ScaleColumns() {
  std::string columns;
  for (int k = 0; k < 27; ++k) {
    char column[16];
    std::snprintf(column, sizeof column, ", [%02d] REAL", k);
    columns += column;
  }
  return columns;
}

std::string GeneratedSql() {
  std::ostringstream out;
  instrgen::WriteContentSql(out);
  return out.str();
}

class InstrumentDataTest : public SoundLibTest {
 protected:
  void SetUp() override {
    SoundLibTest::SetUp();
    ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    const std::string schema =
        "CREATE TABLE [Note Specifications] ([Instr Name] TEXT COLLATE NOCASE, [Note Id] INTEGER, "
        "[SamPerCyc] INTEGER, [Fractional Value] REAL, PRIMARY KEY ([Instr Name], [Note Id]));"
        "CREATE TABLE [Sample Values] ([Instr Name] TEXT COLLATE NOCASE, [Note Id] INTEGER, [Sample Id] INTEGER, "
        "[Sample Value] INTEGER, PRIMARY KEY ([Instr Name], [Note Id], [Sample Id]));"
        "CREATE TABLE [ONPR] ([NPSetId] INTEGER, [InstrumentType] INTEGER, [NPSetName] TEXT, [TonicNoteId] INTEGER" +
        ScaleColumns() + ", PRIMARY KEY ([NPSetId], [InstrumentType]));" +
        "CREATE TABLE [ONPRSets] ([TonicNoteId] INTEGER, [InstrumentType] INTEGER" + ScaleColumns() +
        ", PRIMARY KEY ([TonicNoteId], [InstrumentType]));";
    Exec(schema);
    Exec(GeneratedSql());
  }
  void TearDown() override {
    sqlite3_close(db_);
    SoundLibTest::TearDown();
  }
  void Exec(const std::string& sql) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  }
  // The rows of a query, each as doubles.
  std::vector<std::vector<double>> Rows(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    std::vector<std::vector<double>> rows;
    while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
      rows.emplace_back();
      for (int c = 0; c < sqlite3_column_count(statement); ++c) rows.back().push_back(sqlite3_column_double(statement, c));
    }
    sqlite3_finalize(statement);
    return rows;
  }
  double Value(const std::string& sql) {
    const auto rows = Rows(sql);
    return rows.empty() ? NAN : rows[0][0];
  }
  sqlite3* db_ = nullptr;
};

TEST_F(InstrumentDataTest, BothInstrumentsHaveEveryNoteWithOneCycleOfSamples) {
  for (const char* key : {"c", "e"}) {
    const auto notes = Rows(std::string("SELECT [Note Id], [SamPerCyc], [Fractional Value] FROM [Note Specifications] "
                                        "WHERE [Instr Name] = '") + key + "' ORDER BY [Note Id]");
    ASSERT_EQ(notes.size(), 42u) << key;
    for (size_t id = 0; id < notes.size(); ++id) {
      EXPECT_EQ(notes[id][0], static_cast<double>(id));
      EXPECT_GE(notes[id][2], 0.0);
      EXPECT_LT(notes[id][2], 1.0);
      const std::string where = std::string(" WHERE [Instr Name] = '") + key + "' AND [Note Id] = " + std::to_string(id);
      EXPECT_EQ(Value("SELECT COUNT(*) FROM [Sample Values]" + where), notes[id][1] + 1) << key << id;
      EXPECT_EQ(Value("SELECT MIN([Sample Id]) FROM [Sample Values]" + where), 0.0);
      EXPECT_LE(Value("SELECT MAX(ABS([Sample Value])) FROM [Sample Values]" + where), 24576.0) << "headroom";
    }
  }
  EXPECT_EQ(Value("SELECT COUNT(*) FROM [Note Specifications] c JOIN [Note Specifications] e "
                  "ON c.[Note Id] = e.[Note Id] AND c.[Instr Name] = 'c' AND e.[Instr Name] = 'e' "
                  "AND c.[SamPerCyc] = e.[SamPerCyc] AND c.[Fractional Value] = e.[Fractional Value]"),
            42.0)
      << "the drone's SPC of each note id equals the main instrument's";
}

TEST_F(InstrumentDataTest, NoteIdsAreEqualTemperedSemitonesWithC4AtEleven) {
  const auto notes = Rows("SELECT [SamPerCyc] + [Fractional Value] FROM [Note Specifications] "
                          "WHERE [Instr Name] = 'c' ORDER BY [Note Id]");
  ASSERT_EQ(notes.size(), 42u);
  EXPECT_NEAR(44100.0 / notes[11][0], 261.6256, 1e-3);
  for (size_t id = 1; id < notes.size(); ++id) EXPECT_NEAR(notes[id - 1][0] / notes[id][0], std::exp2(1.0 / 12), 1e-12);
}

TEST_F(InstrumentDataTest, TheBuiltInScaleSetsAreEqualTemperedForBothInstrumentTypes) {
  const auto sets = Rows("SELECT * FROM ONPR ORDER BY NPSetId, InstrumentType");
  ASSERT_EQ(sets.size(), 24u);
  for (size_t r = 0; r < sets.size(); ++r) {
    EXPECT_EQ(sets[r][0], static_cast<double>(r / 2 + 1));
    EXPECT_EQ(sets[r][1], static_cast<double>(r % 2 + 1));
    EXPECT_EQ(sets[r][3], sets[r][0]) << "set n belongs to tonic key n";
    for (size_t k = 4; k < sets[r].size(); ++k) EXPECT_EQ(sets[r][k], 0.0);
  }
}

TEST_F(InstrumentDataTest, AShiftWithNoChangeReproducesTheBuiltInSet) {
  // As the scale shift computes it, in single precision: the ratios of the moved
  // note n's row applied to the main instrument's SPC of n give every note of
  // both instruments its own seed SPC again.
  const auto spc = Rows("SELECT [SamPerCyc] + [Fractional Value] FROM [Note Specifications] "
                        "WHERE [Instr Name] = 'c' ORDER BY [Note Id]");
  const auto ratios = Rows("SELECT * FROM ONPRSets ORDER BY TonicNoteId, InstrumentType");
  ASSERT_EQ(ratios.size(), 24u);
  for (const auto& row : ratios) {
    const int n = static_cast<int>(row[0]) + 9;
    EXPECT_EQ(row[2 + 7], 1.0);
    EXPECT_EQ(row[2 + 19], 2.0);
    const float base = static_cast<float>(spc[static_cast<size_t>(n)][0]);
    for (int k = 0; k < 27; ++k) {
      const float f = static_cast<float>(row[static_cast<size_t>(2 + k)]);
      const float target = base / f + 0.0f / f;
      const float adjustment = target - static_cast<float>(spc[static_cast<size_t>(n - 7 + k)][0]);
      EXPECT_LT(std::fabs(adjustment), 1e-3f) << "moved note " << n << ", column " << k;
    }
  }
}

TEST_F(InstrumentDataTest, SeedsReadFromTheDatabaseSoundAtTheirNotesPitch) {
  for (const auto& [key, id] : std::vector<std::pair<std::string, int>>{{"c", 11}, {"c", 40}, {"e", 20}}) {
    Touched(key[0], id);
    const std::string where = " WHERE [Instr Name] = '" + key + "' AND [Note Id] = " + std::to_string(id);
    const auto spec = Rows("SELECT [SamPerCyc], [Fractional Value] FROM [Note Specifications]" + where);
    ASSERT_EQ(spec.size(), 1u);
    std::vector<int16_t> buffer(static_cast<size_t>(spec[0][0]) + 1, 0);
    size_t position = 0;
    for (const auto& row : Rows("SELECT [Sample Value] FROM [Sample Values]" + where + " ORDER BY [Sample Id]"))
      buffer[position++] = static_cast<int16_t>(row[0]);
    ASSERT_EQ(soundlib::FWavLoadInstrNoteSeeds(key, id, static_cast<int32_t>(spec[0][0]), spec[0][1], buffer.data()), 1);
    ASSERT_EQ(soundlib::FWavSetCurrInstr(key), 1);
    const auto x = Render(1, std::to_string(id), "600");
    ASSERT_FALSE(x.empty());
    EXPECT_NEAR(Cents(EstimatePitch(x, 4410, x.size() - 4410), 44100.0 / (spec[0][0] + spec[0][1])), 0.0, 2.0) << key << id;
  }
}

TEST(InstrumentDataText, TheGeneratedRowsAreTheSameEveryTime) { EXPECT_EQ(GeneratedSql(), GeneratedSql()); }

}  // namespace
}  // namespace soundtest
