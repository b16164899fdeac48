// The user's data folder as one running program's own: its lock, and what a failure
// to use one of its files comes from, so each message can give advice that fits.
#pragma once

#include <string>

#include "platform/vb/Error.h"

namespace shell {

// The lock file of the data folder.
inline constexpr const char* kDataFolderLock = "velmora.lock";

// Takes the exclusive lock of the data folder (the file "velmora.lock" in it) for the
// rest of the run. False when another running program holds it. A lock this run holds
// already is kept. A lock file that cannot be made raises its file error.
bool LockDataFolder(const std::string& folder);
// Lets the lock go (at the end of the run, and between the runs of a test).
void ReleaseDataFolderLock();

// What keeps a file from being used.
enum class FileTrouble {
  DiskFull,     // no space left on its disk
  NotReadable,  // this user may not read it
  NotWritable,  // this user may not write it (or its folder), or it lies on a read-only disk
  NotAFile,     // a link, a folder, a FIFO or a device has its name
  Damaged,      // anything else: the file is damaged
};
// True when err comes from a file of the user's (its disk, its permissions or its
// contents), not from a fault of the program.
bool IsFileFault(const vb::ErrObject& err);
// True when the database refused a change for a rule of its own (a trigger, a
// constraint), as a file fault does for its disk or permissions.
bool IsRefusedChange(const vb::ErrObject& err);

// The cause of err, which arose using file (a file of the data folder, or "" for the
// folder itself).
FileTrouble TroubleOf(const vb::ErrObject& err, const std::string& file);

}  // namespace shell
