// Folders, file names, the speed table and the command line of the run.
#pragma once

#include <cstdint>

namespace shell {

// Sets ProgramFolder, DataFolder, ShareFolder and TempFolder for this run.
void SetProgramFolders();

// Fills the file names, the speed factors and the prompt separator; the same values on every call.
void sSetGlobalVariables();

// The largest "KZScript.txt" that is read.
inline constexpr uintmax_t kLargestScript = 1 << 20;

// Reads CommandLineText: a "1" anywhere turns tracing on, a "2" anywhere reads
// "KZScript.txt" from the data folder (a missing file is skipped; one that is not a
// regular file, cannot be read or is larger than kLargestScript is told by name and
// left out).
void sCheckCommandLine();

}  // namespace shell
