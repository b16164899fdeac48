#include "shell/KZControl.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <filesystem>
#include <system_error>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/Trace.h"
#include "composer/Composer.h"
#include "platform/dao/Database.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/Font.h"
#include "shell/FormLayout.h"
#include "shell/Globals.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/OpeningScreen.h"
#include "shell/Players.h"
#include "shell/Settings.h"
#include "shell/ShellState.h"
#include "shell/SoundStartUp.h"
#include "shell/StandInForms.h"
#include "shell/Upgrade.h"
#include "shell/VelmoraForm.h"
#include "sound/SoundState.h"
#include "workshop/Workshop.h"

namespace shell {

namespace {

namespace fs = std::filesystem;

const char* const kUserDatabase = "mrB.kzy";
const char* const kSecondInstanceMessage =
    "Velmora is already running: its user database \"mrB.kzy\" is in use by the other window. Please go on working "
    "there, or close it before starting Velmora again.";

// Runs one step of the halt; an error there cannot be reported any more (reporting
// would halt again), so it is passed over and the next step still runs.
template <class F>
void HaltStep(F&& step) {
  try {
    step();
  } catch (...) {
  }
}

// The run ends with the main form, even when a screen's form object was left loaded.
void EndRun() {
  if (QCoreApplication::instance())
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

// Unloads the screens in front back to the main form, along the parent chain. Bounded
// by the number of form ids, so a broken chain cannot loop.
void CloseScreensToMainForm() {
  for (size_t level = 0; CurrFormId != 1 && level < ParentFormId.size(); ++level) {
    if (CurrFormId < 1 || CurrFormId > static_cast<int16_t>(ParentFormId.size())) break;
    TerminatingForm = 1;
    if (CurrForm != nullptr && CurrForm != FormVelmora) CurrForm->Unload();
    CurrFormId = ParentFormId[CurrFormId - 1];
    sSetCurrFormById();
  }
  TerminatingForm = 0;
  if (CurrFormId != 1 || CurrForm != FormVelmora) {
    CurrFormId = 1;
    sSetCurrFormById();
  }
}

// Stops the main form's player and timer, so that nothing plays or ticks while the
// files are deleted and the run ends.
void StopMainFormPlayerAndTimer() {
  forms::Form& main = *FormVelmora;
  main.Ctl("cTimer").SetEnabled(false);
  if (mci::MMControl* player = MMControlOf(main, "cMM")) {
    if (player->Mode() != mci::mciModeNotOpen) player->setCommand("Close");
  }
}

// The bounds of the maximised main window: the screen's area less the desktop's panels.
void MeasureMaximisedWindow() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
  MaxFormH = static_cast<float>(forms::PixelsToTwips(area.height()));
  MaxFormL = static_cast<float>(forms::PixelsToTwips(area.left()));
  MaxFormT = static_cast<float>(forms::PixelsToTwips(area.top()));
  MaxFormW = static_cast<float>(forms::PixelsToTwips(area.width()));
}

// False for a missing or empty file: an empty one (left by a full disk or a failed copy)
// holds nothing to keep, and is not to be opened, which would make it a database.
bool HoldsData(const std::string& file) {
  std::error_code ec;
  return vb::FileExists(file) && fs::file_size(file, ec) != 0;  // a size that cannot be read is not 0
}

// True when another running program holds the user database (its exclusive open
// fails with 3051). Any other failure is left to the real opening, which reports it.
bool UserDatabaseInUse(const std::string& file) {
  if (!HoldsData(file)) return false;
  try {
    dao::Database::OpenDatabase(file, true, false, kDatabaseConnect).Close();
    return false;
  } catch (const vb::VbError& e) {
    vb::Err().Clear();
    return e.err().Number == vb::kFileInUse;
  }
}

// A file or folder the run cannot do without failed: the error is recorded in the
// trace (when there is one yet), the user is told in plain words which file it is and
// what to do, and the start-up ends without touching the file.
[[noreturn]] void EndStartUp(const vb::ErrObject& err, const std::string& message) {
  vb::Err() = err;
  common::sFillErrorParam();
  vb::Err().Clear();
  common::sReportFatalError(message + "\n\n(" + err.Description + ")");
}

const char* const kReinstall = "Please install Velmora again.";
const char* const kDataFolderFailed =
    "Velmora cannot start: it cannot make or use its data folder, where your user database and settings are kept. "
    "Make the folder writable, or set VELMORA_HOME to a folder you may write in, and start Velmora again.";

// A second running program ends here, leaving the other one's files alone.
[[noreturn]] void EndSecondInstance() {
  vb::Message(kSecondInstanceMessage);
  common::HaltProgram();
}

// First start: the user database is made from the installed template, readable and
// writable only by the user. The copy is renamed into place, so an interrupted copy
// never leaves a damaged user database behind.
void CopyUserDatabaseTemplate() {
  common::ProcTrace t("sCopyUserDatabaseTemplate");
  if (HoldsData(DatabaseBFile)) return;
  const std::string templ = vb::JoinPath(ShareFolder, kUserDatabase);
  if (!vb::FileExists(templ))
    EndStartUp(vb::MakeError(vb::kFileNotFound, "The user database template '" + templ + "' is missing"),
               std::string("Velmora cannot start: a file of its installation is missing. ") + kReinstall);
  const fs::path part = DatabaseBFile + ".part";
  std::error_code ec;
  fs::copy_file(templ, part, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::permissions(part, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, ec);
  if (!ec) fs::rename(part, DatabaseBFile, ec);
  if (ec) {
    fs::remove(part, ec);
    EndStartUp(vb::MakeError(vb::kPathFileAccess, "Cannot create the user database '" + DatabaseBFile + "'"),
               kDataFolderFailed);
  }
}

// A damaged database is found out at the start, before a screen trips over it or a
// change is written into it; the settings table tells a file of another kind apart.
// The database is closed again when it fails.
void CheckBeforeUse(dao::Database& db, const char* table = nullptr) {
  try {
    db.CheckIntegrity();
    if (table != nullptr) db.OpenRecordset(table, dao::dbOpenTable).Close();
  } catch (const vb::VbError&) {
    db.Close();
    throw;
  }
}

dao::Database OpenContentDatabase() {
  try {
    dao::Database db = dao::Database::OpenDatabase(DatabaseAFile, true, true, kDatabaseConnect);
    CheckBeforeUse(db);
    return db;
  } catch (const vb::VbError& e) {
    EndStartUp(e.err(), "Velmora cannot start: its content database \"" + DatabaseAFile + "\" is missing or damaged. " +
                            kReinstall);
  }
}

dao::Database OpenUserDatabase() {
  try {
    dao::Database db = dao::Database::OpenDatabase(DatabaseBFile, true, false, kDatabaseConnect);
    CheckBeforeUse(db, "User Parameters");
    return db;
  } catch (const vb::VbError& e) {
    if (e.err().Number != vb::kFileInUse)
      EndStartUp(e.err(), "Velmora cannot start: your user database \"" + DatabaseBFile +
                        "\" cannot be opened, or is damaged. It holds your settings and your own scale sets, "
                        "compositions and phrases, so Velmora has left it as it is. Restore it from a backup copy, or "
                        "move it to another folder to start with a new user database.");
    vb::Err().Clear();
  }
  EndSecondInstance();
}

// Steps that run before the trace entry line, so that the trace file exists and the
// trace switch is known when it is written.
void PrepareStartUp() {
  common::CurrProcName = "sKZControl";
  try {
    SetProgramFolders();
  } catch (const vb::VbError& e) {
    EndStartUp(e.err(), kDataFolderFailed);
  }
  if (UserDatabaseInUse(vb::JoinPath(DataFolder, kUserDatabase))) EndSecondInstance();
  common::ErrorTraceFile = vb::JoinPath(DataFolder, "errtrace.txt");
  common::StartErrorTraceFile(common::ErrorTraceFile);
  sCheckCommandLine();
}

void StartUp() {
  sSetGlobalVariables();
  sBindForms();
  sCheckFont();
  common::sSetSQLStrings();
  CurrFormId = 1;
  sSetCurrFormById();
  sMnuTraceCheck();
  MeasureMaximisedWindow();
  ResizePending = 0;
  forms::Form& main = *FormVelmora;
  main.Ctl("Label4").SetCaption("Velmora\u2122");
  main.Ctl("Label5").SetCaption(
      "A comprehensive multi-media guide for Introduction to and Self-Instruction  of  Ragas of  North Indian "
      "Classical Music - Version " +
      common::fGetKZVerString());
  DatabaseA = OpenContentDatabase();
  CopyUserDatabaseTemplate();
  DatabaseB = OpenUserDatabase();
  // An earlier installation's data is carried over before the settings are read, so
  // its settings take effect. It is looked for in the user's own data folder.
  const std::string earlier = vb::JoinPath(DataFolder, "mrBOld.kzy");
  if (vb::FileExists(earlier)) sHandleUpgrade(earlier);
  sSetDefaultOptions();
  sMnuTipsCheck();
  LoadBackgroundPicture(main);
  int16_t sound = 2;
  sKZControl(sound);
}

void ShutDown() {
  CloseScreensToMainForm();
  sDisableKZSelections();
  TimerPurpose = 2;
  StopMainFormPlayerAndTimer();
  PictureNumber = 6;
  LoadBackgroundPicture(*FormVelmora);
  sDeleteWavFiles();
  sSaveUsageParameters();
  DatabaseA.Close();
  DatabaseB.Close();
  if (ShutdownReason == 1) {
    sTerminateApp();
  } else {
    EndRun();  // the window system goes on to unload the main form
  }
}

}  // namespace

void sKZControl(int16_t& action) {
  if (action == 0) PrepareStartUp();
  common::ProcTrace t("sKZControl");
  sound::CallbackCode = 0;
  if (action == 0) {
    StartUp();
  } else if (action == 2) {
    sInitApp1();
  } else if (action == 3) {
    int16_t open = 0;
    workshop::sWorkshop(open);
  } else if (action == 4) {
    int16_t open = 0;
    composer::sComposer(open);
  } else if (action == 20) {
    ShutDown();
  }
}

void sTerminateApp() {
  common::ProcTrace t("sTerminateApp");
  if (!sound::MusicFileToPlay.empty()) vb::KillIfExists(sound::MusicFileToPlay);
  FormVelmora->Unload();
  EndRun();
}

void sHaltProgramExecution() {
  common::ProcTrace t("sHaltProgramExecution");
  HaltStep([] {
    if (OpeningScreenForm().Loaded()) OpeningScreenForm().Unload();
  });
  HaltStep(CloseScreensToMainForm);
  HaltStep([] {
    if (!sound::MusicFileToPlay.empty()) vb::KillIfExists(sound::MusicFileToPlay);
  });
  HaltStep([] {
    if (FormVelmora != nullptr) FormVelmora->Unload();
  });
  // Nothing is saved, but the files' locks go at once rather than with the process.
  DatabaseA.Close();
  DatabaseB.Close();
  EndRun();
}

void sDeleteWavFiles() {
  common::ProcTrace t("sDeleteWavFiles");
  sDeleteWavFilePair(WavFileA);
  sDeleteWavFilePair(WavFileB);
  sDeleteWavFilePair(WavFileC);
}

void sDeleteWavFilePair(const std::string& path) {
  common::ProcTrace t("sDeleteWavFilePair");
  if (path.empty()) return;
  vb::KillIfExists(path);
  if (path.size() < 3) return;
  vb::KillIfExists(path.substr(0, path.size() - 3) + "vaw");
}

}  // namespace shell
