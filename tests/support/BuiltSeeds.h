// Test support: the sound library holding the main instrument's generated seeds, read
// from the built content database as the program reads them, for tests that render and
// play real music files. Call from SetUpTestSuite, with no stand-in library in place.
#pragma once

#include <gtest/gtest.h>

#include "common/Queries.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"
#include "soundlib/FWav.h"

namespace testsupport {

inline void LoadBuiltMainInstrument() {
  shell::DatabaseA = dao::Database::OpenDatabase(vb::JoinPath(vb::ShareFolderPath(), "mrA.kzy"), false, true,
                                                 "MS ACCESS;PWD=x");
  common::sSetSQLStrings();
  ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
  ASSERT_EQ(sound::fLoadNoteSeeds("c"), 1);
  ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
  shell::DatabaseA.Close();
  shell::DatabaseA = {};
}

}  // namespace testsupport
