// File access as the program uses it: existence tests, deleting, and text files of
// lines ended by carriage return and line feed that are opened, written and closed
// within one call. Failures raise the runtime's file errors (53, 70, 75, 76).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vb {

bool FileExists(const std::string& path);  // a regular file (Dir <> "")
uintmax_t FileLen(const std::string& path);  // 0 when absent
// Deletes the file when it exists; a missing file is no error.
void KillIfExists(const std::string& path);

// Appends each line followed by CR LF; creates the file when absent.
void AppendLines(const std::string& path, const std::vector<std::string>& lines);
// Replaces the file with the lines (Open For Output).
void WriteLines(const std::string& path, const std::vector<std::string>& lines);
// Reads every line; CR LF, LF and a last line without an end are all accepted.
std::vector<std::string> ReadLines(const std::string& path);

// Creates a folder (and its parents) readable only by the user (mode 0700);
// an existing folder is left as it is.
void CreatePrivateFolder(const std::filesystem::path& folder);

// Joins a folder and a file name ("\" of the original file names becomes the
// platform separator).
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace vb
