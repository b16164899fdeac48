// Folders, file names, the speed table and the command line of the run.
#pragma once

namespace shell {

// Sets ProgramFolder, DataFolder, ShareFolder and TempFolder for this run.
void SetProgramFolders();

// Fills the file names, the speed factors and the prompt separator; the same values on every call.
void sSetGlobalVariables();

// Reads CommandLineText: a "1" anywhere turns tracing on, a "2" anywhere reads
// "KZScript.txt" from the data folder (a missing file is skipped).
void sCheckCommandLine();

}  // namespace shell
