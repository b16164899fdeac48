#include "platform/vb/Folders.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/vb/Error.h"
#include "platform/vb/Files.h"

namespace fs = std::filesystem;

namespace vb {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string& TempSlot() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string ProgramFolderPath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

std::string ShareFolderPath() {
  std::string env = Env("VELMORA_SHARE");
  if (!env.empty()) return env;
  return (fs::path(ProgramFolderPath()).parent_path() / "share" / "velmora").lexically_normal().string();
}

std::string UserDataFolderName() {
  const std::string home = Env("VELMORA_HOME");
  if (!home.empty()) return home;
  std::string xdg = Env("XDG_DATA_HOME");
  if (xdg.empty()) {
    // Without a home folder the data would land relative to wherever the program started.
    const std::string userHome = Env("HOME");
    if (userHome.empty()) return "";
    xdg = (fs::path(userHome) / ".local" / "share").string();
  }
  return (fs::path(xdg) / "velmora").string();
}

std::string UserDataFolderPath() {
  const fs::path folder = UserDataFolderName();
  if (folder.empty())
    Raise(MakeError(kPathNotFound, "No folder for the user's data: set VELMORA_HOME, XDG_DATA_HOME or HOME"));
  CreatePrivateFolder(folder);
  // Every file of the data folder is written by the program: find out now, not at the
  // first write.
  if (access(folder.c_str(), W_OK | X_OK) != 0)
    Raise(MakeError(kPermissionDenied, DefaultDescription(kPermissionDenied) + ": " + folder.string() +
                                           " may not be written",
                    kDefaultSource, errno));
  return folder.string();
}

namespace {
// A new private folder under base (mkdtemp makes it mode 0700); "" when none can be made.
std::string MakeTempFolderIn(const std::string& base) {
  if (base.empty()) return "";
  std::string templ = (fs::path(base) / "velmora-XXXXXX").string();
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) return "";
  return std::string(buf.data()) + "/";
}
}  // namespace

std::string SessionTempFolder(const std::string& fallbackBase) {
  std::string& folder = TempSlot();
  if (!folder.empty()) return folder;
  std::string base = Env("TMPDIR");
  if (base.empty()) base = "/tmp";
  folder = MakeTempFolderIn(base);
  if (folder.empty()) folder = MakeTempFolderIn(fallbackBase);
  return folder;
}

void RemoveSessionTempFolder() {
  std::string& folder = TempSlot();
  if (folder.empty()) return;
  std::error_code ec;
  fs::remove_all(folder, ec);
  folder.clear();
}

}  // namespace vb
