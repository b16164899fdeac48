#include "shell/DataFolder.h"

#include <unistd.h>

#include <cerrno>

#include "platform/dao/Errors.h"
#include "platform/vb/Files.h"

namespace shell {

namespace {
int g_lock = -1;
std::string g_lockedFolder;
}  // namespace

bool LockDataFolder(const std::string& folder) {
  if (g_lock >= 0 && g_lockedFolder == folder) return true;
  ReleaseDataFolderLock();
  const int fd = vb::LockFileExclusive(vb::JoinPath(folder, kDataFolderLock));
  if (fd < 0) return false;
  g_lock = fd;
  g_lockedFolder = folder;
  return true;
}

void ReleaseDataFolderLock() {
  vb::UnlockFile(g_lock);
  g_lock = -1;
  g_lockedFolder.clear();
}

bool IsFileFault(const vb::ErrObject& err) {
  switch (err.Number) {
    case vb::kDiskFull:
    case vb::kPermissionDenied:
    case vb::kPathFileAccess:
    case vb::kPathNotFound:
    case vb::kFileNotFound:
    case vb::kDuplicateKey:  // an index that no longer agrees with its table
    case vb::kReadOnlyDatabase:
    case vb::kFileInUse:
    case dao::kReservedError:
    case dao::kDiskFull:
    case dao::kDiskError:
    case dao::kDamagedDatabase:
    case dao::kTableNotFound:
    case dao::kCurrentlyLocked:
    case dao::kItemNotFound:
    case dao::kUnrecognizedFormat:
    case dao::kNotAnIndex: return true;
    default: return false;
  }
}

bool IsRefusedChange(const vb::ErrObject& err) {
  return IsFileFault(err) || err.Number == dao::kValidationRule || err.Number == dao::kNullNotAllowed;
}

FileTrouble TroubleOf(const vb::ErrObject& err, const std::string& file) {
  if (err.Number == vb::kDiskFull || err.Number == dao::kDiskFull || err.LastDllError == ENOSPC ||
      err.LastDllError == EDQUOT)
    return FileTrouble::DiskFull;
  if (!file.empty()) {
    const vb::FileKind kind = vb::KindOf(file);
    if (kind != vb::FileKind::Regular && kind != vb::FileKind::Missing) return FileTrouble::NotAFile;
  }
  // The file's own permissions tell read from write, whatever the error's wording.
  if (!file.empty() && access(file.c_str(), F_OK) == 0) {
    if (access(file.c_str(), R_OK) != 0) return FileTrouble::NotReadable;
    if (access(file.c_str(), W_OK) != 0) return FileTrouble::NotWritable;
  }
  if (err.Number == vb::kReadOnlyDatabase || err.Number == vb::kPermissionDenied || err.LastDllError == EACCES ||
      err.LastDllError == EPERM || err.LastDllError == EROFS)
    return FileTrouble::NotWritable;
  return FileTrouble::Damaged;
}

}  // namespace shell
