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

// What a name is, the name itself taken (a link is not followed).
enum class FileKind { Missing, Regular, Link, Folder, Other };
FileKind KindOf(const std::string& path);
// The kind in words for a message ("a link", "a folder", "a device or another kind of
// thing"); "" for a regular or missing file.
std::string KindInWords(FileKind kind);
// Raises 75 naming the file when something other than a regular file has its name.
void RequireFileOrNothing(const std::string& path);
// Deletes the file when it exists; a missing file is no error.
void KillIfExists(const std::string& path);

// Appends each line followed by CR LF; creates the file when absent.
void AppendLines(const std::string& path, const std::vector<std::string>& lines);
// Replaces the file with the lines (Open For Output).
// Both write only a regular file of that name: a link (whatever it points to), a folder,
// a FIFO or a device raises 75 and nothing is written through it.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);
// Reads every line; CR LF, LF and a last line without an end are all accepted.
std::vector<std::string> ReadLines(const std::string& path);
// The same for a file of the data folder: only a regular file of that name (75
// otherwise), of at most maxBytes (a larger one raises 7 naming it and its size).
std::vector<std::string> ReadLinesOfFile(const std::string& path, uintmax_t maxBytes);

// Copies from into the new file to (mode 0600; it must not exist yet), flushed to the
// disk before the call returns. On failure the partial copy is removed and the file
// error raised (61 for a full disk).
void CopyFileDurably(const std::string& from, const std::string& to);
// Renames from over to, then flushes the folder so the new name survives a power loss.
void RenameDurably(const std::string& from, const std::string& to);

// Opens the file (created with mode 0600 when missing) and locks it exclusively for
// this opening alone, without waiting. Returns the descriptor that holds the lock, or
// -1 when another opening (another program) holds it; a file that cannot be opened
// raises its file error. The lock lasts until UnlockFile or the end of the process.
int LockFileExclusive(const std::string& path);
void UnlockFile(int descriptor);

// Creates a folder (and its parents) readable only by the user (mode 0700);
// an existing folder is left as it is.
void CreatePrivateFolder(const std::filesystem::path& folder);

// Joins a folder and a file name ("\" of the original file names becomes the
// platform separator).
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace vb
