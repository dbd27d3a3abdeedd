// ecrtool: command-line access to the register files of a data folder, for
// scripts and for dealers who program many registers.
#pragma once

#include <string>
#include <vector>

// Exit codes.
enum {
  EXIT_OK = 0,
  EXIT_USAGE = 1,        // bad command line, unknown object, table, row or field
  EXIT_NOT_LOADED = 2,   // the object's file is missing or does not load
  EXIT_REFUSED = 3,      // the value was refused; nothing was saved
  EXIT_FILE_ERROR = 4,   // a file could not be saved, exported or imported
};

struct ToolOptions {
  std::wstring strLibrary;   // empty: Arvodll.so beside the program
  std::wstring strCapFolder;
  std::wstring strModel;
  std::wstring strLanguage;
  bool bHelp = false;
  std::vector<std::wstring> words;  // the command and its arguments
};

// False with a message for options that are unknown or lack their value.
bool ParseCommandLine(int argc, char** argv, ToolOptions& options, std::string& error);
const char* UsageText();

// Runs the command of the options; messages go to standard error.
int RunTool(const ToolOptions& options);
