// Test support: a disk that is full.
//
// - SmallDisk: a small tmpfs mounted on a folder, which a test fills to the last few
//   bytes. Only where it can be mounted (root, with the right to mount).
// - SqliteDiskFull: where it cannot, SQLite's writes to files under a folder answer
//   SQLITE_FULL, as a full disk makes them, through SqliteWriteSeam, a file system layer
//   (VFS) over the default one; disarmed it only passes on.
#pragma once

#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class SmallDisk {
 public:
  SmallDisk() = default;
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  ~SmallDisk() { Unmount(); }

  // Mounts a tmpfs of the size on folder (made when missing); false where that is not allowed.
  bool Mount(const std::filesystem::path& folder, size_t bytes) {
    if (geteuid() != 0) return false;
    std::filesystem::create_directories(folder);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) return false;
    folder_ = folder;
    return true;
  }

  // Fills the disk with a file until at most leave bytes stay free (none: not one more byte fits).
  void Fill(size_t leave = 0) {
    std::ofstream out(folder_ / "filler", std::ios::binary | std::ios::app);
    const std::vector<char> block(4096, 'f');
    while (Free() > leave + block.size() && out.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
    }
    while (leave == 0 && out.put('f').flush()) {
    }
  }
  void Unfill() {
    std::error_code ec;
    std::filesystem::remove(folder_ / "filler", ec);
  }

  // Makes the mounted disk read-only (a disk that may not be written, whoever runs).
  bool MakeReadOnly() {
    return ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
  }

  // Shows the file of the mounted disk under the name onto (a file made there), as the
  // file itself, not as a link.
  bool ShowFileAs(const std::filesystem::path& file, const std::filesystem::path& onto) {
    std::ofstream(onto).close();
    if (::mount(file.c_str(), onto.c_str(), nullptr, MS_BIND, nullptr) != 0) return false;
    shown_ = onto;
    return true;
  }

  void Unmount() {
    if (!shown_.empty()) ::umount2(shown_.c_str(), MNT_DETACH);
    shown_.clear();
    if (folder_.empty()) return;
    ::umount2(folder_.c_str(), MNT_DETACH);
    folder_.clear();
  }

 private:
  size_t Free() const { return std::filesystem::space(folder_).available; }
  std::filesystem::path folder_;
  std::filesystem::path shown_;
};

// SQLite's writes, seen before they reach a file: a file system layer (VFS) over the
// default one, registered as the default on first use. While a hook is set it is asked
// before every write (name: the file's name, null for temporary files; mainDatabase: the
// file is a database rather than a journal) and answers SQLITE_OK to let the write
// through, or the error the write then fails with.
class SqliteWriteSeam {
 public:
  using Hook = std::function<int(const char* name, bool mainDatabase)>;
  // Installed now, so that the databases opened from now on go through it.
  static void Set(Hook hook) {
    Install();
    Slot() = std::move(hook);
  }

 private:
  struct File {
    sqlite3_file base;
    const char* name;    // SQLite keeps it valid until the file is closed; null for temporary files
    bool mainDatabase;
    sqlite3_file* real;  // the default file system's file, right after this one
  };

  static Hook& Slot() {
    static Hook hook;
    return hook;
  }
  static sqlite3_vfs*& Real() {
    static sqlite3_vfs* real = nullptr;
    return real;
  }
  static sqlite3_file* R(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

  static int Close(sqlite3_file* f) { return R(f)->pMethods->xClose(R(f)); }
  static int Read(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return R(f)->pMethods->xRead(R(f), b, n, o); }
  static int Write(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    const File* file = reinterpret_cast<File*>(f);
    if (Slot()) {
      const int rc = Slot()(file->name, file->mainDatabase);
      if (rc != SQLITE_OK) return rc;
    }
    return R(f)->pMethods->xWrite(R(f), b, n, o);
  }
  static int Truncate(sqlite3_file* f, sqlite3_int64 n) { return R(f)->pMethods->xTruncate(R(f), n); }
  static int Sync(sqlite3_file* f, int flags) { return R(f)->pMethods->xSync(R(f), flags); }
  static int FileSize(sqlite3_file* f, sqlite3_int64* n) { return R(f)->pMethods->xFileSize(R(f), n); }
  static int Lock(sqlite3_file* f, int l) { return R(f)->pMethods->xLock(R(f), l); }
  static int Unlock(sqlite3_file* f, int l) { return R(f)->pMethods->xUnlock(R(f), l); }
  static int CheckReservedLock(sqlite3_file* f, int* out) { return R(f)->pMethods->xCheckReservedLock(R(f), out); }
  static int FileControl(sqlite3_file* f, int op, void* arg) { return R(f)->pMethods->xFileControl(R(f), op, arg); }
  static int SectorSize(sqlite3_file* f) { return R(f)->pMethods->xSectorSize(R(f)); }
  static int DeviceCharacteristics(sqlite3_file* f) { return R(f)->pMethods->xDeviceCharacteristics(R(f)); }
  static int ShmMap(sqlite3_file* f, int p, int s, int e, void volatile** pp) {
    return R(f)->pMethods->xShmMap(R(f), p, s, e, pp);
  }
  static int ShmLock(sqlite3_file* f, int o, int n, int flags) { return R(f)->pMethods->xShmLock(R(f), o, n, flags); }
  static void ShmBarrier(sqlite3_file* f) { R(f)->pMethods->xShmBarrier(R(f)); }
  static int ShmUnmap(sqlite3_file* f, int d) { return R(f)->pMethods->xShmUnmap(R(f), d); }
  static int Fetch(sqlite3_file* f, sqlite3_int64 o, int n, void** pp) {
    return R(f)->pMethods->xFetch(R(f), o, n, pp);
  }
  static int Unfetch(sqlite3_file* f, sqlite3_int64 o, void* p) { return R(f)->pMethods->xUnfetch(R(f), o, p); }

  static const sqlite3_io_methods* Methods() {
    static const sqlite3_io_methods methods = {3,        Close,     Read,       Write,    Truncate,
                                               Sync,     FileSize,  Lock,       Unlock,   CheckReservedLock,
                                               FileControl, SectorSize, DeviceCharacteristics, ShmMap, ShmLock,
                                               ShmBarrier, ShmUnmap, Fetch,      Unfetch};
    return &methods;
  }

  static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = reinterpret_cast<File*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    file->name = name;
    file->mainDatabase = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    const int rc = Real()->xOpen(Real(), name, file->real, flags, outFlags);
    file->base.pMethods = file->real->pMethods != nullptr ? Methods() : nullptr;
    return rc;
  }

  static void Install() {
    static sqlite3_vfs vfs;
    if (Real() != nullptr) return;
    Real() = sqlite3_vfs_find(nullptr);
    vfs = *Real();
    vfs.zName = "velmora-test-write-seam";
    vfs.szOsFile = static_cast<int>(sizeof(File)) + Real()->szOsFile;
    vfs.xOpen = Open;
    vfs.pNext = nullptr;
    sqlite3_vfs_register(&vfs, 1);
  }
};

// SQLite's writes to files under a folder answer SQLITE_FULL, as a full disk makes them.
class SqliteDiskFull {
 public:
  // While armed, every write to a file whose name starts with prefix fails with SQLITE_FULL.
  static void Arm(const std::string& prefix) {
    SqliteWriteSeam::Set([prefix](const char* name, bool) {
      return name != nullptr && std::strncmp(name, prefix.c_str(), prefix.size()) == 0 ? SQLITE_FULL : SQLITE_OK;
    });
  }
  // Disarmed; the layer is in place for every database opened from now on.
  static void Disarm() { SqliteWriteSeam::Set(nullptr); }
};

}  // namespace testsupport
