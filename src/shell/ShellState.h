// Shared state of the application shell: folders, file names, the speed table, the
// command-line script and the open databases. Header-only, so every layer may read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dao/Database.h"

namespace shell {

// Folders (no trailing separator, but TempFolder, which ends with one).
inline std::string ProgramFolder;  // the folder of the program file
inline std::string DataFolder;     // what the program writes: user database, trace files, drone file, script
inline std::string ShareFolder;    // installed data the program reads: content database, theka data, pictures, font, help
inline std::string TempFolder;     // this run's private temporary folder, ending with the separator; "" when none

// The argument text after the program name (the arguments joined by blanks).
inline std::string CommandLineText;

// File names, set once by sSetGlobalVariables.
inline std::string HelpFile;
inline std::string DatabaseAFile;
inline std::string DatabaseBFile;
inline std::string WavFileA;
inline std::string WavFileB;
inline std::string WavFileC;
inline std::array<std::string, 4> WavFiles;    // the music file of phrase slot k; element 3 empty
inline std::string DroneFile;
inline std::array<std::string, 5> ThekaFiles;  // element sound::ThekaSet - 1 is loaded; 0, 1 and 4 empty

inline int16_t AlternateFlag = 0;              // True (-1): the play loop alternates slots 0 and 1
inline std::string PromptSeparator;            // " - "
inline std::array<double, 19> SpeedFactors{};  // by speed slider value 1 to 17; 0 and 18 stay 0.0

// The lines of "KZScript.txt" when the command line asked for it.
inline std::vector<std::string> ScriptLines;
inline int32_t ScriptLineCount = 0;
inline int16_t ScriptPresent = 0;

// The Devanagari notation font: True (-1) when "Shusha" is installed or was installed
// at start, so notation may be shown in Devanagari.
inline int16_t DevnagariAvailable = 0;

// Notation settings. Not stored with the settings rows: GraceNotes starts every run at 2;
// NotationScript is read from its row (1 when Null or empty) and forced to 2 without the
// Devanagari font.
inline int16_t NotationScript = 1;  // 1 Devanagari, 2 English
inline int16_t GraceNotes = 2;      // 1 none (glides shown and lit as their landing note), 2 use

// The two databases, opened at start-up and closed at shut-down; every other part of
// the program borrows them. No object until opened.
inline dao::Database DatabaseA;  // content database "mrA.kzy": exclusive, read-only
inline dao::Database DatabaseB;  // user database "mrB.kzy": exclusive, read-write
// Order of the raga lists (a stored setting): 0 raga, 1 thata, 2 jati, 3 vadi, 4 samvadi,
// 5 appropriate time. Read by the query texts.
inline int16_t SortingMode = 0;

}  // namespace shell

namespace forms {
class Form;
}

// Start-up, shut-down, the main form and the screens in front.
namespace shell {

// The connect string of the program's databases (the password is parsed, not used).
inline constexpr const char* kDatabaseConnect = "MS ACCESS;PWD=WbTrQxHeLoZuP";

inline int16_t TermsAccepted = 0;   // 1 once the terms of use were accepted in this run (never stored)
inline int16_t ShutdownReason = 0;  // 1 the Exit button, 2 the main window closed by the user or the system
inline int16_t TimerPurpose = 1;    // the main form's timer tick: 1 ends the start-up wait, 2 shut-down has begun

// The bounds of the main window when maximised, in twips; measured once at start-up.
inline float MaxFormH = 0, MaxFormL = 0, MaxFormT = 0, MaxFormW = 0;

inline int16_t TipSignal = 1;  // 1 show the tips at start, 0 do not
inline int16_t LastTip = 0;    // number of the tip shown last (a stored setting)
inline int16_t TipCount = 0;   // the number of tips, upper bound of LastTip

// The drone-file variant of the greeting drone; the start-up wait is 3200 ms per
// variant plus 100 ms.
inline int16_t DroneFileType = 2;

// Highlight delays of the playing screens, in milliseconds per note (stored settings):
// the composer, the illustration screen, the composition player and the workbench.
inline int16_t DelayC = 10, DelayMO = 10, DelayPC = 10, DelayW = 10;

// Screens: the form of each id, the form in front and the parent chain.
inline forms::Form* FormVelmora = nullptr;  // the main form, id 1
// The forms of the other ids, bound once at start by sSetGlobalVariables.
inline forms::Form* FormReviewRagas = nullptr;       // id 3
inline forms::Form* FormScaleShifting = nullptr;     // id 7
inline forms::Form* FormRagaSelection1 = nullptr;    // id 9
inline forms::Form* FormWorkshop = nullptr;          // id 13
inline forms::Form* FormPlayComposition1 = nullptr;  // id 14
inline forms::Form* FormRagaInfoSummary = nullptr;   // id 15
inline forms::Form* FormQuiz = nullptr;              // id 20
inline forms::Form* FormKZSampler = nullptr;         // id 22
inline forms::Form* FormComposer = nullptr;          // id 27
inline forms::Form* FormMainOperations = nullptr;    // id 28
inline forms::Form* CurrForm = nullptr;     // the form in front; set only by sSetCurrFormById
inline forms::Form* PrevForm = nullptr;     // the form in front before the last switch
inline int16_t CurrFormId = 0;              // id of the form in front, 1 to 28
inline std::array<int16_t, 28> ParentFormId{};  // by id - 1: the id in front when that form was opened
inline int16_t TerminatingForm = 0;         // 1 while the program itself unloads a screen
inline int16_t ResizePending = 0;           // 1: the window was resized and not yet laid out again
inline int16_t FormState = 0;               // window state shared by all forms: 0 normal, 1 minimised, 2 maximised
// The normal-state geometry shared by all forms: the window's client geometry (inside
// the window frame), in twips. Read from and saved to the settings.
inline float FormL = 0, FormT = 0, FormW = 0, FormH = 0;

// Background pictures "kz1.jpg" to "kz8.jpg" of the share folder.
inline int16_t PictureNumber = 6;  // the picture the next form shown gets
inline std::string PictureFile;    // full name of the picture loaded last

}  // namespace shell
