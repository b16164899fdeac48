// Where the program's files live on Linux:
// - the program folder: the folder of the running executable;
// - the share folder: installed data read by the program (content database, theka
//   data, pictures, font, help): $VELMORA_SHARE, else <program folder>/../share/velmora;
// - the user data folder: what the program writes (user database, trace files, drone
//   file, script): $VELMORA_HOME, else $XDG_DATA_HOME/velmora, else ~/.local/share/velmora;
// - the temporary-files folder: a private folder of this run (mode 0700), removed at exit.
#pragma once

#include <string>

namespace vb {

std::string ProgramFolderPath();
std::string ShareFolderPath();
// Created with private permissions when missing; a folder this user may not write is
// error 70.
std::string UserDataFolderPath();
// The same folder's name, without making it: "" when there is no home to put it in.
std::string UserDataFolderName();

// This run's private temporary folder, created on the first call under $TMPDIR (else
// /tmp), or under fallbackBase when that fails; ends with the separator so file names
// can be appended directly. "" when none can be made.
std::string SessionTempFolder(const std::string& fallbackBase = "");
// Removes the temporary folder and everything in it (at the end of the run).
void RemoveSessionTempFolder();

}  // namespace vb
