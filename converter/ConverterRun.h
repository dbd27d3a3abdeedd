// One run of the console report converter: the command line, the settings
// file beside the program, the model library and the calls that convert
// every report file of the input folder into the output folder.
#pragma once

#include <string>
#include <vector>

namespace convra {

enum ExitCode { EXIT_CONVERTED = 0, EXIT_NOTHING_CONVERTED = 1 };

struct Settings {
  std::wstring strLibrary;      // "PATH" / "DLL"
  std::wstring strCaptionFolder;  // "CAP" / "CAP"
};

// A folder argument without enclosing double quotes and trailing "/".
std::wstring FolderArgument(const std::string& argument);
// The settings file of a program: the file name in capitals, a trailing
// ".EXE" replaced by ".ini", otherwise ".ini" appended.
std::wstring SettingsPathFor(const std::wstring& programPath);
Settings ReadSettings(const std::wstring& settingsPath);
// The library's file name in capitals, cut before its first ".".
std::wstring ModelName(const std::wstring& libraryPath);

// Converts and answers the exit code; the reason of a failure goes to `error`.
int Convert(const std::wstring& inputFolder, const std::wstring& outputFolder, const Settings& settings,
            std::string& error);

}  // namespace convra
