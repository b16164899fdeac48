// The dispatcher of the main form, sKZControl: start-up, the workbench and composer
// menu items, and shut-down; with the last step of leaving, the orderly stop after a
// fatal error and the removal of the temporary music files.
#pragma once

#include <cstdint>
#include <string>

namespace shell {

// 0 start-up (after "I Accept"), 2 sound start-up, 3 the workbench, 4 the composer,
// 20 shut-down (ShutdownReason 1 Exit, 2 window closed); other codes do nothing.
void sKZControl(int16_t& action);

// Before the opening screen asks for the terms: when the data folder is there and
// another running copy of the program holds its lock, says so and halts; otherwise
// this run holds the lock from now on. A folder not made yet is locked by the
// start-up, once it is made.
void sCheckFirstInstance();

// The last step after Exit: deletes the last played file and unloads the main form.
void sTerminateApp();

// The orderly stop after a fatal error (the halt handler): closes the opening screen and
// the screens back to the main form, deletes the last played file, unloads the main
// form and lets the databases go without saving the settings.
void sHaltProgramExecution();

// Deletes the three temporary music files and their ".vaw" twins.
void sDeleteWavFiles();
// Deletes the file and then its twin (the name with its last three characters
// replaced by "vaw"), each only when it exists.
void sDeleteWavFilePair(const std::string& path);

}  // namespace shell
