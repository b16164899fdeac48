// The benchmarks' set-up: the built content and user databases open as the program
// opens them, the queries prepared, and the sound library started with both
// instruments, the main one current. Returns the share folder; false in *started
// when the library did not start.
#pragma once

#include <string>

#include "common/Queries.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "soundlib/FWav.h"

inline std::string OpenBuiltDatabases(bool* started = nullptr) {
  const std::string share = vb::ShareFolderPath();
  shell::DatabaseA = dao::Database::OpenDatabase(share + "/mrA.kzy", false, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(share + "/mrB.kzy", false, true, "MS ACCESS;PWD=x");
  common::sSetSQLStrings();
  const bool ok = soundlib::FWavSetGlobalVariables("ce") == 1 && soundlib::FWavSetCurrInstr("c") == 1;
  if (started != nullptr) *started = ok;
  return share;
}

inline void CloseBuiltDatabases() {
  shell::DatabaseA.Close();
  shell::DatabaseB.Close();
}
