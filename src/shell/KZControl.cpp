#include "shell/KZControl.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/Trace.h"
#include "composer/Composer.h"
#include "platform/dao/Database.h"
#include "platform/dao/Errors.h"
#include "platform/dao/Journal.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "platform/vb/Interaction.h"
#include "shell/ContentCheck.h"
#include "shell/DataFolder.h"
#include "shell/Font.h"
#include "shell/FormLayout.h"
#include "shell/Globals.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/OpeningScreen.h"
#include "shell/Players.h"
#include "shell/Schemas.h"
#include "shell/Settings.h"
#include "shell/ShellState.h"
#include "shell/SoundStartUp.h"
#include "shell/ScreenForms.h"
#include "shell/StartUpSeams.h"
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
const char* const kUserDataKept =
    "It holds your settings and your own scale sets, compositions and phrases, so Velmora has left it as it is. ";

std::string Quoted(const std::string& file) { return "\"" + file + "\""; }

// The data folder could not be made, locked or written in.
std::string DataFolderMessage(const vb::ErrObject& err) {
  if (TroubleOf(err, "") != FileTrouble::DiskFull) return kDataFolderFailed;
  return "Velmora cannot start: the disk that holds its data folder" + (DataFolder.empty() ? "" : " " + Quoted(DataFolder)) +
         ", where your user database and settings are kept, is full. Free space on that disk, and start Velmora "
         "again.";
}

// The trace file could not be made anew.
std::string TraceFileMessage(const vb::ErrObject& err) {
  const std::string intro = "Velmora cannot start: it cannot write its trace file " + Quoted(common::ErrorTraceFile);
  const FileTrouble trouble = TroubleOf(err, common::ErrorTraceFile);
  if (trouble == FileTrouble::DiskFull)
    return intro + ", because the disk that holds it is full. Free space on that disk, and start Velmora again.";
  if (trouble == FileTrouble::NotAFile)
    return intro + ", because " + vb::KindInWords(vb::KindOf(common::ErrorTraceFile)) +
           " has its name, which may not be written as a file. Velmora has left it as it is. Move it out of the "
           "data folder, and start Velmora again.";
  return intro + ", because the file may not be written. Make the file writable for your user (or remove it), and "
                 "start Velmora again.";
}

// Restoring or moving the user database goes with its journal, or a save cut short in
// one file would be rolled into another.
const char* const kWithItsJournal =
    " Move or restore it together with its journal \"mrB.kzy-journal\" when there is one beside it.";

// The user database cannot be used: the advice fits the cause.
std::string UserDatabaseMessage(const vb::ErrObject& err) {
  const std::string intro = "Velmora cannot start: your user database " + Quoted(DatabaseBFile);
  switch (TroubleOf(err, DatabaseBFile)) {
    case FileTrouble::DiskFull:
      return intro + " cannot be used, because the disk that holds it is full. " + kUserDataKept +
             "Free space on that disk, and start Velmora again.";
    case FileTrouble::NotReadable:
      return intro + " may not be read by you. " + kUserDataKept +
             "Make the file readable and writable for your user, and start Velmora again.";
    case FileTrouble::NotWritable:
      return intro + " may not be written by you. " + kUserDataKept +
             "Make the file (and its folder) writable for your user, and start Velmora again.";
    case FileTrouble::NotAFile:
    case FileTrouble::Damaged: break;
  }
  return intro + " cannot be opened, or is damaged. " + kUserDataKept +
         "Restore it from a backup copy, or move it to another folder to start with a new user database." +
         kWithItsJournal;
}

// A second running program ends here, leaving the other one's files alone.
[[noreturn]] void EndSecondInstance() {
  vb::Message(kSecondInstanceMessage);
  common::HaltProgram();
}

// A name of the data folder that is not a regular file: nothing is read or written
// through it, and the start ends naming it.
[[noreturn]] void EndForNotAFile(const std::string& file) {
  const vb::FileKind kind = vb::KindOf(file);
  std::string what = vb::KindInWords(kind);
  if (kind == vb::FileKind::Link) {
    std::error_code ec;
    const std::string target = fs::read_symlink(file, ec).string();
    if (!target.empty()) what += " to " + Quoted(target) + (fs::exists(file, ec) ? "" : ", which is not there");
  }
  EndStartUp(vb::MakeError(vb::kPathFileAccess, "'" + file + "' in the data folder is " + what + ", not a file"),
             "Velmora cannot start: " + Quoted(file) + " in its data folder is " + what +
                 ", not a file. Velmora uses only files of its own in its data folder, and has left it as it is. "
                 "Move it out of the folder (or put the file itself in its place), and start Velmora again.");
}

// The files of the data folder that the start-up reads or writes are taken only as
// regular files of the folder (the trace file is looked at before it is made anew, the
// script by the command line's reading).
void CheckDataFolderFiles() {
  for (const char* name : {kUserDatabase, "mrB.kzy-journal", "ignoerr.txt", "D.Wav", "mrBOld.kzy"}) {
    const std::string file = vb::JoinPath(DataFolder, name);
    const vb::FileKind kind = vb::KindOf(file);
    if (kind != vb::FileKind::Regular && kind != vb::FileKind::Missing) EndForNotAFile(file);
  }
}

// The journal beside the user database must belong to it, or a save cut short in another
// file would be rolled into this one (Journal.h); such a journal and the database are
// left as they are. True when there is a journal to roll back.
bool CheckUserJournal() {
  const dao::JournalState journal = dao::ExamineJournal(DatabaseBFile);
  if (journal.fault.empty()) return journal.hot;
  const std::string name = dao::JournalName(DatabaseBFile);
  const vb::ErrObject err = vb::MakeError(dao::kDamagedDatabase, "The user database cannot be opened: " + journal.fault);
  const std::string intro = "Velmora cannot start: the journal " + Quoted(name) + " was left by a save of your user "
                            "database that was cut short, ";
  if (!HoldsData(DatabaseBFile))
    EndStartUp(err, intro + "but the user database " + Quoted(DatabaseBFile) +
                        " is not there beside it (it was moved away or removed without its journal). Velmora has "
                        "left the journal as it is and made no new user database. Put your user database back "
                        "together with its journal, or move the journal to another folder, and start Velmora again.");
  EndStartUp(err, intro + "and it does not belong to the user database " + Quoted(DatabaseBFile) +
                      " that is there now (the database was moved, restored from a backup copy or made anew without "
                      "its journal). Velmora has left both as they are. If you moved or restored your user database, "
                      "put it back together with its journal; otherwise move the journal to another folder, and "
                      "start Velmora again.");
}

// A damaged database is found out at the start, before a screen trips over it or a
// change is written into it: its pages, then every table, column and index the
// program uses. The database is closed again when it fails.
void CheckBeforeUse(dao::Database& db, dao::Database::Check check, const std::string& schema) {
  try {
    db.CheckIntegrity(check);
    db.CheckSchema(schema);
  } catch (const vb::VbError&) {
    db.Close();
    throw;
  }
}

// The installed template is checked as the user database is, before it is copied: a
// broken one is the installation's fault, and no copy of it is made.
void CheckTemplate(const std::string& templ) {
  try {
    if (!vb::FileExists(templ))
      vb::Raise(vb::MakeError(vb::kFileNotFound, "The user database template '" + templ + "' is missing"));
    dao::Database db = dao::Database::OpenDatabase(templ, false, true, kDatabaseConnect);
    CheckBeforeUse(db, dao::Database::Check::Thorough, UserSchemaSql());
    db.Close();
  } catch (const vb::VbError& e) {
    vb::ErrObject err = e.err();
    err.Description = "The user database template '" + templ + "' cannot be used: " + err.Description;
    EndStartUp(err, "Velmora cannot start: the user database template " + Quoted(templ) +
                        " of its installation is missing or damaged, so no user database can be made from it, and "
                        "none was made. " + kReinstall);
  }
}

// Copies of the template that a killed first start left behind ("mrB.kzy.<n>.part");
// the data folder's lock makes sure no running program is still writing one.
void RemoveLeftoverCopies(const fs::path& database) {
  const std::string prefix = database.filename().string() + ".";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(database.parent_path(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= prefix.size() + 4 && name.rfind(prefix, 0) == 0 && name.ends_with(".part") &&
        entry.is_regular_file(ec) && !entry.is_symlink(ec)) {
      std::error_code removed;
      fs::remove(entry.path(), removed);
    }
  }
}

// The user database, its journal and the other files of the data folder are checked
// before anything is written there. On a first start the user database is made from the
// installed template, readable and writable only by the user. The copy is written under
// a name of its own, flushed to the disk and then renamed into place, so neither a kill
// nor a power loss leaves a half-copied user database behind. True when the journal
// beside the user database is to be rolled back.
bool PrepareUserDatabase() {
  common::ProcTrace t("sCopyUserDatabaseTemplate");
  CheckDataFolderFiles();
  const bool hot = CheckUserJournal();
  RemoveLeftoverCopies(fs::path(DatabaseBFile));
  if (HoldsData(DatabaseBFile)) return hot;
  const std::string templ = vb::JoinPath(ShareFolder, kUserDatabase);
  CheckTemplate(templ);
  if (StartUpSeams.BeforeTemplateCopy) StartUpSeams.BeforeTemplateCopy();
  const std::string part = DatabaseBFile + "." + std::to_string(getpid()) + ".part";
  std::error_code ec;
  try {
    vb::CopyFileDurably(templ, part);
    vb::RenameDurably(part, DatabaseBFile);
  } catch (const vb::VbError& e) {
    fs::remove(part, ec);
    vb::ErrObject err = e.err();
    err.Description = "Cannot create the user database '" + DatabaseBFile + "': " + err.Description;
    EndStartUp(err, DataFolderMessage(err));
  }
  return false;
}

dao::Database OpenContentDatabase() {
  try {
    dao::Database db = dao::Database::OpenDatabase(DatabaseAFile, true, true, kDatabaseConnect);
    CheckBeforeUse(db, dao::Database::Check::Quick, ContentSchemaSql());
    try {
      CheckContentRows(db);
    } catch (const vb::VbError&) {
      db.Close();
      throw;
    }
    return db;
  } catch (const vb::VbError& e) {
    EndStartUp(e.err(), "Velmora cannot start: its content database \"" + DatabaseAFile + "\" is missing or damaged. " +
                            kReinstall);
  }
}

// The checks of a user database with a journal to roll back run on a copy of both in
// the run's private folder, so that a file that fails them is left as it is.
void CheckUserDatabaseCopy() {
  const std::string copy = (TempFolder.empty() ? DataFolder + "/" : TempFolder) + "checked-" + kUserDatabase;
  std::error_code ec;
  const auto removeCopies = [&] {
    fs::remove(copy, ec);
    fs::remove(dao::JournalName(copy), ec);
  };
  removeCopies();
  try {
    vb::CopyFileDurably(DatabaseBFile, copy);
    vb::CopyFileDurably(dao::JournalName(DatabaseBFile), dao::JournalName(copy));
    dao::Database db = dao::Database::OpenDatabase(copy, false, false, kDatabaseConnect);
    CheckBeforeUse(db, dao::Database::Check::Thorough, UserSchemaSql());
    db.Close();
  } catch (const vb::VbError&) {
    removeCopies();
    throw;
  }
  removeCopies();
}

// The user database is opened read-only until it has passed the start-up checks, so a
// file that fails them is never written. It is small, so every index is checked against
// its rows too. Then it is opened for the run, and a file without a stamp yet gets its
// first one (Journal.h).
dao::Database OpenUserDatabase(bool journalToRollBack) {
  try {
    if (journalToRollBack) {
      CheckUserDatabaseCopy();
    } else {
      dao::Database checked = dao::Database::OpenDatabase(DatabaseBFile, true, true, kDatabaseConnect);
      CheckBeforeUse(checked, dao::Database::Check::Thorough, UserSchemaSql());
      checked.Close();
    }
    dao::Database db = dao::Database::OpenDatabase(DatabaseBFile, true, false, kDatabaseConnect);
    // Without its stamp (a full disk) the run goes on as before; the next start tries again.
    common::fRunOrTell([&] { db.TakeFirstStamp(); }, [](const vb::ErrObject& err) { common::RecordError(err); });
    return db;
  } catch (const vb::VbError& e) {
    if (e.err().Number != vb::kFileInUse) EndStartUp(e.err(), UserDatabaseMessage(e.err()));
    vb::Err().Clear();
  }
  EndSecondInstance();
}

// Steps that run before the trace entry line, so that the trace file exists and the
// trace switch is known when it is written.
//
// The data folder's lock comes before anything in the folder is read or written, so a
// second running program changes nothing there, not even the trace file.
void PrepareStartUp() {
  common::CurrProcName = "sKZControl";
  bool locked = false;
  try {
    SetProgramFolders();
    locked = LockDataFolder(DataFolder);
  } catch (const vb::VbError& e) {
    const std::string lock = vb::JoinPath(DataFolder, kDataFolderLock);
    if (!DataFolder.empty() && TroubleOf(e.err(), lock) == FileTrouble::NotAFile) EndForNotAFile(lock);
    EndStartUp(e.err(), DataFolderMessage(e.err()));
  }
  if (!locked) EndSecondInstance();
  common::ErrorTraceFile = vb::JoinPath(DataFolder, "errtrace.txt");
  try {
    common::StartErrorTraceFile(common::ErrorTraceFile);
  } catch (const vb::VbError& e) {
    EndStartUp(e.err(), TraceFileMessage(e.err()));
  }
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
  const bool journalToRollBack = PrepareUserDatabase();
  DatabaseB = OpenUserDatabase(journalToRollBack);
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

// The settings could not be saved at exit: the user is told why, and what the user
// database now holds (its transaction kept it as it was); the shut-down goes on.
void ReportSettingsNotSaved(const vb::ErrObject& err) {
  const std::string intro = "Velmora could not save your settings in your user database " + Quoted(DatabaseBFile);
  const std::string kept = "The user database is as it was before: it keeps the settings of your earlier run. ";
  std::string message;
  switch (TroubleOf(err, DatabaseBFile)) {
    case FileTrouble::DiskFull:
      message = intro + ", because the disk that holds it is full. " + kept +
                "Free space on that disk before you start Velmora again.";
      break;
    case FileTrouble::NotReadable:
    case FileTrouble::NotWritable:
    case FileTrouble::NotAFile:
      message = intro + ", because the file may not be written. " + kept +
                "Make the file (and its folder) writable for your user before you start Velmora again.";
      break;
    case FileTrouble::Damaged:
      if (err.Number == dao::kValidationRule || err.Number == dao::kNullNotAllowed) {
        message = intro + ", because the user database refused the change by a rule of its own (a trigger or a "
                          "constraint that Velmora's own databases do not have). " + kept +
                  "Restore it from a backup copy, or move it to another folder to start with a new user database." +
                  kWithItsJournal;
        break;
      }
      message = intro + ". " + kept +
                "It may be damaged: if Velmora does not start again, restore it from a backup copy, or move it to "
                "another folder to start with a new user database." + kWithItsJournal;
      break;
  }
  vb::Message(message + "\n\n(" + err.Description + ")");
}

void SaveSettingsAtExit() {
  const int16_t depth = common::TraceDepth;  // the trace of procedures a failure unwinds
  const std::string indent = common::TraceIndent;
  try {
    sSaveUsageParameters();
  } catch (const vb::VbError& e) {
    if (!IsRefusedChange(e.err())) throw;  // a fault of the program is reported as one
    common::RecordError(e.err());      // naming the procedure in which it arose
    vb::Err().Clear();
    common::TraceDepth = depth;
    common::TraceIndent = indent;
    common::CurrProcName = "sKZControl";
    ReportSettingsNotSaved(e.err());
  }
}

void ShutDown() {
  CloseScreensToMainForm();
  sDisableKZSelections();
  TimerPurpose = 2;
  StopMainFormPlayerAndTimer();
  PictureNumber = 6;
  LoadBackgroundPicture(*FormVelmora);
  sDeleteWavFiles();
  SaveSettingsAtExit();
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

void sCheckFirstInstance() {
  const std::string folder = vb::UserDataFolderName();
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return;
  bool locked = true;
  try {
    locked = LockDataFolder(folder);
  } catch (const vb::VbError&) {
    vb::Err().Clear();  // a folder that cannot be locked now is told by the start-up
  }
  if (!locked) EndSecondInstance();
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
