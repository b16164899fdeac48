// Test support: small fixture databases made from SQL text, and the project's schema
// files (content/schema) so fixtures have the same tables and indexes as the real files.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "shell/ShellState.h"

namespace testsupport {

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a script of SQLite statements on the file, creating it when missing.
inline void RunSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path);
  }
  char* err = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
  const std::string message = err != nullptr ? err : "";
  sqlite3_free(err);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("SQL failed on " + path + ": " + message);
}

#ifdef VELMORA_SOURCE_DIR
// A schema file of content/schema ("shared.sql", "content.sql", "user.sql").
inline std::string SchemaSql(const std::string& name) {
  return ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/content/schema/" + name);
}

// A data file of content/data ("prompts.sql", "reed_colors.sql" ...).
inline std::string ContentData(const std::string& name) {
  return ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/content/data/" + name);
}

// A fresh content database (shared and content schema) with the rows of sql.
inline void MakeContentFixture(const std::string& path, const std::string& sql = "") {
  std::filesystem::remove(path);
  RunSql(path, SchemaSql("shared.sql") + SchemaSql("content.sql") + sql);
}

// A fresh user database (shared and user schema, with its settings rows) with the rows of sql.
inline void MakeUserFixture(const std::string& path, const std::string& sql = "") {
  std::filesystem::remove(path);
  RunSql(path, SchemaSql("shared.sql") + SchemaSql("user.sql") + sql);
}
#endif

// Opens the content database (read-only) or the user database as the program opens
// them: exclusive, with the program's connect string.
inline constexpr const char* kConnect = "MS ACCESS;PWD=x";
inline void OpenContentDatabase(const std::string& path) {
  shell::DatabaseA = dao::Database::OpenDatabase(path, true, true, kConnect);
}
inline void OpenUserDatabase(const std::string& path) {
  shell::DatabaseB = dao::Database::OpenDatabase(path, true, false, kConnect);
}

// Closes the program's two databases and leaves them as no object, as at the end of a run.
inline void CloseDatabases() {
  shell::DatabaseA.Close();
  shell::DatabaseB.Close();
  shell::DatabaseA = {};
  shell::DatabaseB = {};
}

}  // namespace testsupport
