#include "platform/vb/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/vb/Error.h"
#include "platform/vb/FileSeam.h"

namespace fs = std::filesystem;

namespace vb {

namespace {

[[noreturn]] void RaiseFileError(const std::string& path, int sysErr) {
  int32_t number = kPathFileAccess;
  if (sysErr == ENOENT) number = kPathNotFound;
  else if (sysErr == EACCES || sysErr == EPERM || sysErr == EROFS) number = kPermissionDenied;
  else if (sysErr == ENOSPC || sysErr == EDQUOT) number = kDiskFull;
  Raise(MakeError(number, DefaultDescription(number) + ": " + path, kDefaultSource, sysErr));
}

[[noreturn]] void RaiseNotAFile(const std::string& path, FileKind kind, int sysErr) {
  Raise(MakeError(kPathFileAccess,
                  DefaultDescription(kPathFileAccess) + ": " + path + " is " +
                      KindInWords(kind == FileKind::Regular || kind == FileKind::Missing ? FileKind::Other : kind) +
                      ", not a file",
                  kDefaultSource, sysErr));
}

// Opens the regular file of that name (never through a link, never blocking on a FIFO);
// anything else of that name raises 75.
int OpenRegular(const std::string& path, int flags, mode_t mode = 0666) {
  const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) {
    const int err = errno;
    const FileKind kind = KindOf(path);
    if (kind != FileKind::Regular && kind != FileKind::Missing) RaiseNotAFile(path, kind, err);
    RaiseFileError(path, err);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    RaiseNotAFile(path, S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other, EINVAL);
  }
  const int blocking = ::fcntl(fd, F_GETFL);
  if (blocking >= 0) ::fcntl(fd, F_SETFL, blocking & ~O_NONBLOCK);
  return fd;
}

// Writes the whole buffer, going on after a partial write; false with errno set on failure.
bool WriteFully(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Flushes a folder's entries (a rename or a new file in it) to the disk.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // a folder that cannot be opened is synced by the system in time
  ::fsync(fd);
  ::close(fd);
}

void WriteAll(const std::string& path, const std::vector<std::string>& lines, bool append) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  const int fd = OpenRegular(path, O_WRONLY | O_CREAT | (append ? O_APPEND : 0));
  int err = BeforeTextFileWrite ? BeforeTextFileWrite(path) : 0;
  if (err == 0 && !append && ::ftruncate(fd, 0) != 0) err = errno;
  if (err == 0 && !WriteFully(fd, text.data(), text.size())) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) RaiseFileError(path, err);
}

}  // namespace

FileKind KindOf(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return FileKind::Missing;
  if (S_ISREG(st.st_mode)) return FileKind::Regular;
  if (S_ISLNK(st.st_mode)) return FileKind::Link;
  if (S_ISDIR(st.st_mode)) return FileKind::Folder;
  return FileKind::Other;
}

std::string KindInWords(FileKind kind) {
  switch (kind) {
    case FileKind::Link: return "a link";
    case FileKind::Folder: return "a folder";
    case FileKind::Other: return "a device or another kind of thing";
    case FileKind::Missing:
    case FileKind::Regular: break;
  }
  return "";
}

void RequireFileOrNothing(const std::string& path) {
  const FileKind kind = KindOf(path);
  if (kind != FileKind::Regular && kind != FileKind::Missing) RaiseNotAFile(path, kind, 0);
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

uintmax_t FileLen(const std::string& path) {
  std::error_code ec;
  auto n = fs::file_size(path, ec);
  return ec ? 0 : n;
}

void KillIfExists(const std::string& path) {
  if (!FileExists(path)) return;
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) RaiseFileError(path, ec.value());
}

void AppendLines(const std::string& path, const std::vector<std::string>& lines) { WriteAll(path, lines, true); }

void WriteLines(const std::string& path, const std::vector<std::string>& lines) { WriteAll(path, lines, false); }

namespace {

std::vector<std::string> SplitLines(std::istream& in) {
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Raise(MakeError(kFileNotFound, DefaultDescription(kFileNotFound) + ": " + path, kDefaultSource, errno));
  return SplitLines(in);
}

namespace {
[[noreturn]] void RaiseTooLarge(const std::string& path, uintmax_t size, uintmax_t maxBytes) {
  Raise(MakeError(kOutOfMemory,
                  "The file " + path + " is too large: " + (size > 0 ? std::to_string(size) + " bytes, " : "") +
                      "more than the " + std::to_string(maxBytes) + " bytes it may have",
                  kDefaultSource));
}
}  // namespace

std::vector<std::string> ReadLinesOfFile(const std::string& path, uintmax_t maxBytes) {
  const int fd = OpenRegular(path, O_RDONLY);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && static_cast<uintmax_t>(st.st_size) > maxBytes) {
    ::close(fd);
    RaiseTooLarge(path, static_cast<uintmax_t>(st.st_size), maxBytes);
  }
  std::string text;
  char buffer[64 * 1024];
  int err = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
    if (text.size() > maxBytes) break;  // the file grew while it was read
  }
  ::close(fd);
  if (err != 0) RaiseFileError(path, err);
  if (text.size() > maxBytes) RaiseTooLarge(path, 0, maxBytes);
  std::istringstream in(text);
  return SplitLines(in);
}

void CopyFileDurably(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) RaiseFileError(from, errno);
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) {
    const int err = errno;
    ::close(in);
    RaiseFileError(to, err);
  }
  int err = 0;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      err = errno;
      break;
    }
    if (n == 0) break;
    if (!WriteFully(out, buffer, static_cast<size_t>(n))) {
      err = errno;
      break;
    }
  }
  if (err == 0 && ::fsync(out) != 0) err = errno;
  if (::close(out) != 0 && err == 0) err = errno;
  ::close(in);
  if (err != 0) {
    ::unlink(to.c_str());
    RaiseFileError(to, err);
  }
}

void RenameDurably(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) RaiseFileError(to, errno);
  SyncFolder(fs::path(to).parent_path());
}

int LockFileExclusive(const std::string& path) {
  const int fd = OpenRegular(path, O_RDWR | O_CREAT, 0600);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    if (err == EINTR) continue;
    ::close(fd);
    if (err == EWOULDBLOCK) return -1;
    RaiseFileError(path, err);
  }
  return fd;
}

void UnlockFile(int descriptor) {
  if (descriptor >= 0) ::close(descriptor);  // closing the only opening releases its lock
}

void CreatePrivateFolder(const fs::path& folder) {
  std::error_code ec;
  const bool created = fs::create_directories(folder, ec);
  if (ec) RaiseFileError(folder.string(), ec.value());
  // A folder that was there already (one the user named) keeps its own permissions.
  if (!created) return;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
  if (ec) RaiseFileError(folder.string(), ec.value());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return (fs::path(folder) / name).string();
}

}  // namespace vb
