#include "ScaleShiftTest.h"

#include <sqlite3.h>

#include <QCoreApplication>

#include <cmath>
#include <cstdio>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "platform/mci/MMControl.h"
#include "scaleshift/ScaleShiftState.h"
#include "scaleshift/ScaleShifting.h"
#include "shell/Players.h"
#include "sound/NoteTuning.h"
#include "sound/SoundState.h"
#include "soundlib/FWav.h"
#include "soundlib/SoundTest.h"
#include "support/GuiEnvironment.h"

namespace scaleshifttest {

namespace {

using namespace std::chrono_literals;

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_scaleshift", shell::InstallPlayers));

}  // namespace

TableDump DumpScaleTables(const std::string& userDatabase) {
  TableDump dump;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(userDatabase.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    ADD_FAILURE() << "cannot read " << userDatabase;
    return dump;
  }
  for (const char* table : {"Scale Shift Specs", "ONPR"}) {
    const std::string sql = std::string("SELECT * FROM \"") + table + "\" ORDER BY 1, 2";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(db);
      continue;
    }
    auto& rows = dump[table];
    while (sqlite3_step(st) == SQLITE_ROW) {
      std::string row;
      for (int c = 0; c < sqlite3_column_count(st); ++c) {
        const unsigned char* text = sqlite3_column_text(st, c);
        row += (c ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text)) : std::string("NULL"));
      }
      rows.push_back(row);
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return dump;
}

double SeedSpc(int note) {
  auto rs = shell::DatabaseA.OpenRecordset("Note Specifications", dao::dbOpenTable);
  rs.SetIndex("PrimaryKey");
  rs.Seek("=", {vb::Variant("c"), vb::Variant(static_cast<int32_t>(note))});
  return rs.Fields("SamPerCyc").ToDouble() + rs.Fields("Fractional Value").ToDouble();
}

std::string UserSetRows(int id, const std::string& name, int tonic, bool header, bool rows) {
  std::string sql;
  if (header) {
    sql += "INSERT INTO \"Scale Shift Specs\" VALUES (" + std::to_string(id) + ", '" + name + "', 'c', " +
           std::to_string(tonic) + ", 150.5, 149.25);\n";
  }
  for (int type = 1; rows && type <= 2; ++type) {
    sql += "INSERT INTO \"ONPR\" VALUES (" + std::to_string(id) + ", " + std::to_string(type) + ", '" + name + "', " +
           std::to_string(tonic);
    for (int k = 0; k < 27; ++k) {
      char value[32];
      std::snprintf(value, sizeof value, ", %.17g", static_cast<double>(UserSetValue(id, k)));
      sql += value;
    }
    sql += ");\n";
  }
  return sql;
}

void UserDatabaseTest::SetUp() {
  ScratchTest::SetUp();
  MakeUser();
  common::sSetSQLStrings();
  sound::CurrInstrument = "c";
  sound::DroneInstrument = "e";
  sound::CurrTonicNoteId = 3;
  sound::CurrMusicSetId = 3;
  sound::SavedSPCsA = {};
  sound::SavedSPCsB = {};
  sound::NoteAdjustSPCs = {};
  sound::ScaleShiftSpec = {};
}

TableDump UserDatabaseTest::Dump() {
  shell::DatabaseB.Close();
  TableDump d = DumpScaleTables(UserFile());
  ReopenUserDatabase();
  return d;
}

float UserDatabaseTest::Column(int16_t id, int16_t type, int k) {
  auto rs = shell::DatabaseB.OpenRecordset("ONPR", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, id, type);
  return rs.NoMatch() ? NAN : rs.Fields(sound::ScaleColumnName(k)).ToSingle();
}

void ScreenTest::SetUp() {
  UserDatabaseTest::SetUp();
  ASSERT_NO_FATAL_FAILURE(OpenBuiltContent());
  SetUpScreenState();
  shell::NotationScript = 1;
  shell::DevnagariAvailable = -1;
  sound::CurrTonicNoteId = 7;
  sound::CurrMusicSetId = 7;
  sound::CurrMusicSetName.clear();
  sound::CurrDroneType = 1;
  sound::DroneOption = 1;
  sound::DroneVolumeStep = 0;
  scaleshift::RefineSensitivity = 0;
  SetUpPlayer();
  ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
  ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
  OpenMainForm();
}

void ScreenTest::TearDown() {
  ReleaseForms({shell::FormScaleShifting});
  scaleshift::ScreenOpen = false;
  scaleshift::WaitingForSilence = false;
  UserDatabaseTest::TearDown();
}

void ScreenTest::Dispatch(int16_t action) { scaleshift::sShiftScale(action); }

void ScreenTest::ClickKey(int16_t key) {
  forms::Control& label = Screen().Ctl("cL", key);
  ASSERT_TRUE(label.Visible() && label.Enabled()) << "key " << key;
  label.RaiseFromUser(forms::Event::Click);
}

void ScreenTest::ChooseLine(const std::string& line) {
  auto& list = Screen().Get<forms::ListControl>("cScalesList");
  ASSERT_TRUE(list.Visible()) << "the list is not shown";
  for (int16_t i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) != line) continue;
    list.SetListIndex(i);
    return;
  }
  ADD_FAILURE() << line << " is not in the list";
}

bool ScreenTest::Playing() const {
  if (!Screen().Loaded()) return false;
  mci::MMControl* player = shell::MMControlOf(Screen(), "cMM");
  return player != nullptr && player->Mode() == mci::mciModePlay;
}

void ScreenTest::EndSound() {
  for (int i = 0; i < 7000 && Playing(); ++i) {
    clock->Advance(100ms);
    QCoreApplication::processEvents();
  }
  ASSERT_FALSE(Playing());
  QCoreApplication::processEvents();
  if (Screen().Loaded() && Ctl("cTimer").Enabled()) Ctl("cTimer").RaiseFromUser(forms::Event::Timer);
}

void ScreenTest::ShiftScale(int16_t key, int16_t slider) {
  ClickKey(key);
  EndSound();
  Press("cTuneNote");
  Ctl("cSlider").SetValue(slider);
  Press("cPlay");
  EndSound();
  Press("cAdjust");
}

void ScreenTest::DefineScale(int16_t key, int16_t slider, const std::string& name) {
  ShiftScale(key, slider);
  TypeName(name);
  Press("cOK");
}

double ScreenTest::RenderedHz(int note) {
  const std::string file = Path("probe.wav");
  const std::string text = (note < 10 ? "0" : "") + std::to_string(note);
  if (soundlib::FWavGenerateMusicFile(1, text, "1000", file, 0, 0.2, 1, 1000, 60, 80, 50) == 0) return 0.0;
  const std::vector<int16_t> x = soundtest::ReadWav(file);
  if (x.size() < 44100 / 2) return 0.0;
  return soundtest::EstimatePitch(x, 44100 / 10, 44100 / 2);
}

std::vector<int16_t> ScreenTest::ShownKeys() const {
  std::vector<int16_t> keys;
  for (int16_t i = 1; i <= 40; ++i)
    if (Screen().HasElement("cL", i) && Screen().Ctl("cL", i).Visible()) keys.push_back(i);
  return keys;
}

}  // namespace scaleshifttest
