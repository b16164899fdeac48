// The command line and the script file "KZScript.txt" it may ask for.
#include "FuzzTarget.h"

#include <cstdio>
#include <string>

#include "common/CommonState.h"
#include "shell/Globals.h"
#include "shell/ShellState.h"

// Input: the command line.
VELMORA_FUZZ_TARGET(commandline) {
  shell::DataFolder = fuzz::ScratchFolder();
  shell::CommandLineText = std::string(input);
  shell::sCheckCommandLine();
  const bool trace = shell::CommandLineText.find('1') != std::string::npos;
  if ((common::TraceOn != 0) != trace) fuzz::Fail("tracing does not follow the command line");
  common::TraceOn = 0;
  common::TraceAvailable = 0;
}

// Input: the script file's bytes.
VELMORA_FUZZ_TARGET(kzscript) {
  shell::DataFolder = fuzz::ScratchFolder();
  const std::string path = shell::DataFolder + "/KZScript.txt";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) fuzz::Fail("cannot write " + path);
  std::fwrite(input.data(), 1, input.size(), file);
  std::fclose(file);
  shell::CommandLineText = "2";
  shell::sCheckCommandLine();
  size_t lines = 0;
  for (size_t i = 0; i < input.size(); ++i)
    if (input[i] == '\n' || i + 1 == input.size()) ++lines;
  if (shell::ScriptPresent != -1 || static_cast<size_t>(shell::ScriptLineCount) != lines ||
      shell::ScriptLines.size() != lines)
    fuzz::Fail("the script's " + std::to_string(lines) + " lines were read as " +
               std::to_string(shell::ScriptLineCount));
}
