#include "platform/vb/Files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/vb/Error.h"

namespace fs = std::filesystem;

namespace vb {

namespace {

[[noreturn]] void RaiseFileError(const std::string& path, int sysErr) {
  int32_t number = kPathFileAccess;
  if (sysErr == ENOENT) number = kPathNotFound;
  else if (sysErr == EACCES || sysErr == EPERM || sysErr == EROFS) number = kPermissionDenied;
  else if (sysErr == ENOSPC) number = kDiskFull;
  Raise(MakeError(number, DefaultDescription(number) + ": " + path, kDefaultSource, sysErr));
}

void WriteAll(const std::string& path, const std::vector<std::string>& lines, std::ios::openmode mode) {
  std::ofstream out(path, mode | std::ios::binary);
  if (!out) RaiseFileError(path, errno);
  for (const auto& l : lines) {
    out << l << "\r\n";
  }
  out.close();
  if (!out) RaiseFileError(path, errno ? errno : EIO);
}

}  // namespace

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

void AppendLines(const std::string& path, const std::vector<std::string>& lines) {
  WriteAll(path, lines, std::ios::app);
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  WriteAll(path, lines, std::ios::trunc);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Raise(MakeError(kFileNotFound, DefaultDescription(kFileNotFound) + ": " + path, kDefaultSource, errno));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
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
