#include "shell/Globals.h"

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"

namespace shell {

void SetProgramFolders() {
  ProgramFolder = vb::ProgramFolderPath();
  ShareFolder = vb::ShareFolderPath();
  DataFolder = vb::UserDataFolderPath();
  // The music files are written and deleted in this folder: never fall back to the
  // folder the program was started from.
  TempFolder = vb::SessionTempFolder(DataFolder);
  if (TempFolder.empty())
    vb::Raise(vb::MakeError(vb::kPathFileAccess, "No private folder for the temporary music files could be made "
                                                 "in $TMPDIR, /tmp or " + DataFolder));
}

void sSetGlobalVariables() {
  common::ProcTrace t("sSetGlobalVariables");
  HelpFile = vb::JoinPath(ShareFolder, "KZHelp.html");
  DatabaseAFile = vb::JoinPath(ShareFolder, "mrA.kzy");
  DatabaseBFile = vb::JoinPath(DataFolder, "mrB.kzy");
  // TempFolder ends with its separator (or is ""), so names follow it directly.
  WavFileA = TempFolder + "A.wav";
  WavFileB = TempFolder + "B.wav";
  WavFileC = TempFolder + "C.wav";
  WavFiles = {TempFolder + "A.wav", TempFolder + "B.wav", TempFolder + "C.wav", ""};
  DroneFile = vb::JoinPath(DataFolder, "D.Wav");
  AlternateFlag = -1;
  ThekaFiles = {"", "", vb::JoinPath(ShareFolder, "vlb.kzy"), vb::JoinPath(ShareFolder, "clb.kzy"), ""};
  SpeedFactors = {0.0, 5.0,  3.33, 2.5,  2.0, 1.67, 1.43, 1.25, 1.11, 1.0,
                  0.8, 0.67, 0.57, 0.5, 0.44, 0.4,  0.36, 0.33, 0.0};
  PromptSeparator = " - ";
}

void sCheckCommandLine() {
  common::ProcTrace t("sCheckCommandLine");
  const bool trace = CommandLineText.find('1') != std::string::npos;
  common::TraceAvailable = trace ? -1 : 0;
  common::TraceOn = trace ? -1 : 0;
  ScriptLineCount = 0;
  ScriptPresent = 0;
  ScriptLines.clear();
  if (CommandLineText.find('2') == std::string::npos) return;
  const std::string script = vb::JoinPath(DataFolder, "KZScript.txt");
  if (vb::KindOf(script) == vb::FileKind::Missing) return;
  // A script that cannot be taken (not a file, not readable, too large) is told and left
  // out; the start goes on.
  try {
    ScriptLines = vb::ReadLinesOfFile(script, kLargestScript);
  } catch (const vb::VbError& e) {
    ScriptLines.clear();
    vb::Err().Clear();
    common::RecordError(e.err());
    vb::Message("The script file \"" + script + "\" cannot be read, so Velmora starts without it.\n\n(" +
                e.err().Description + ")");
    return;
  }
  ScriptLineCount = static_cast<int32_t>(ScriptLines.size());
  ScriptPresent = -1;
}

}  // namespace shell
