#include "common/Database.h"

#include <vector>

#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"

namespace common {

namespace {

constexpr const char* kPrimaryKey = "PrimaryKey";

void SeekOn(dao::Recordset& rs, const std::string& indexName, const std::vector<vb::Variant>& keys) {
  rs.SetIndex(indexName);
  rs.Seek("=", keys);
}

dao::Recordset OpenContentTable(const char* table) {
  return shell::DatabaseA.OpenRecordset(table, dao::dbOpenTable);
}

}  // namespace

dao::Database fDatabaseForCode(int16_t code) {
  if (code == 1) return shell::DatabaseA;
  if (code == 2) return shell::DatabaseB;
  return dao::Database();
}

dao::Database fSetDatabase() {
  ProcTrace t("fSetDatabase");
  return fDatabaseForCode(CurrDBSelector);
}

void sSetTableIndexRecord(dao::Recordset& rs, const std::string& indexName, const vb::Variant& key) {
  ProcTrace t("sSetTableIndexRecord");
  SeekOn(rs, indexName, {key});
}

void sSetTableIndexRecord2(dao::Recordset& rs, const std::string& indexName, const vb::Variant& key1,
                           const vb::Variant& key2) {
  ProcTrace t("sSetTableIndexRecord2");
  SeekOn(rs, indexName, {key1, key2});
}

void sSetTablePKRecord(dao::Recordset& rs, const vb::Variant& key) {
  ProcTrace t("sSetTablePKRecord");
  SeekOn(rs, kPrimaryKey, {key});
}

void sSetTablePKRecord2(dao::Recordset& rs, const vb::Variant& key1, const vb::Variant& key2) {
  ProcTrace t("sSetTablePKRecord2");
  SeekOn(rs, kPrimaryKey, {key1, key2});
}

void sSetTablePKRecord3(dao::Recordset& rs, const vb::Variant& key1, const vb::Variant& key2,
                        const vb::Variant& key3) {
  ProcTrace t("sSetTablePKRecord3");
  SeekOn(rs, kPrimaryKey, {key1, key2, key3});
}

int16_t fGetRagaId(const std::string& ragaName) {
  ProcTrace t("fGetRagaId");
  auto rs = OpenContentTable("RagaNameList");
  sSetTablePKRecord(rs, ragaName);
  return rs.NoMatch() ? 0 : rs.Fields("Raga Index").ToInt();
}

std::string fGetRagaName(int16_t ragaIndex) {
  ProcTrace t("fGetRagaName");
  auto rs = OpenContentTable("RagaNameList");
  sSetTableIndexRecord(rs, "RagaIndex", ragaIndex);
  return rs.NoMatch() ? std::string() : rs.Fields("Raga").ToString();
}

int16_t fGetSeqRagaId(int16_t position) {
  ProcTrace t("fGetSeqRagaId");
  auto rs = OpenContentTable("Raga - Technical Information");
  rs.MoveFirst();
  for (int16_t i = 0; i < position; ++i) rs.MoveNext();
  const int16_t ragaIndex = rs.Fields("Raga Index").ToInt();
  CurrRagaIndex = ragaIndex;
  sound::sAdjustDroneType(rs);
  return ragaIndex;
}

int16_t fGetTalaId(const std::string& talaName) {
  ProcTrace t("fGetTalaId");
  auto rs = OpenContentTable("Tala - Technical Information");
  sSetTableIndexRecord(rs, "TalaByName", talaName);
  return rs.Fields("Tala Id").ToInt();
}

std::string fGetTalaName(int16_t talaId) {
  ProcTrace t("fGetTalaName");
  auto rs = OpenContentTable("Tala - Technical Information");
  sSetTablePKRecord(rs, talaId);
  return rs.Fields("Tala Name").ToString();
}

int16_t fGetBeatCountForTala(int16_t talaId) {
  ProcTrace t("fGetBeatCountForTala");
  auto rs = OpenContentTable("Tala - Technical Information");
  sSetTablePKRecord(rs, talaId);
  return rs.Fields("Beat Count").ToInt();
}

int16_t fGetBeatCountForPhrase(const std::string& durationPhrase) {
  ProcTrace t("fGetBeatCountForPhrase");
  std::vector<int32_t> starts, lengths;
  const int32_t n = fParseString1(durationPhrase, " ", starts, lengths);
  float sum = 0;
  for (int32_t i = 1; i <= n; ++i) sum += static_cast<float>(vb::Val(fGetWord1(durationPhrase, i, starts, lengths)));
  return vb::CInt(sum);
}

std::string fGetPrompts(const std::string& promptNumbers) {
  ProcTrace t("fGetPrompts");
  std::vector<int32_t> starts, lengths;
  const int32_t n = fParseString1(promptNumbers, ",", starts, lengths);
  auto rs = OpenContentTable("Prompts");
  std::string line;
  for (int32_t i = 1; i <= n; ++i) {
    if (i > 1) line += " - ";
    sSetTablePKRecord(rs, vb::Val(fGetWord1(promptNumbers, i, starts, lengths)));
    if (!rs.NoMatch()) line += vb::NzString(rs.Fields("Prompt"));
  }
  return line;
}

int16_t fGetKZTipCount() {
  ProcTrace t("fGetKZTipCount");
  return vb::CInt(OpenContentTable("KZTips").RecordCount());
}

std::string fGetKZVerString() {
  ProcTrace t("fGetKZVerString");
  return vb::FormatGeneral(2) + "." + vb::FormatGeneral(2);
}

std::string fGetTempFilesPathName() {
  ProcTrace t("fGetTempFilesPathName");
  return vb::SessionTempFolder();
}

}  // namespace common
