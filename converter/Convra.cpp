// Convra: converts every report file of a folder into CSV files, without the
// main tool, through the report store of the model library.
#include <cstdio>
#include <cstring>
#include <string>

#include "converter/ConverterRun.h"
#include "platform/FileSystem.h"

namespace {

void PrintUsage(const std::wstring& settingsPath) {
  std::printf(
      "Usage: Convra INPUT_FOLDER OUTPUT_FOLDER\n"
      "\n"
      "Converts every report file received from the register (FINC*.ecr, ALPL*.ecr, ...)\n"
      "in INPUT_FOLDER into a CSV file of the same name in OUTPUT_FOLDER (UTF-16, one\n"
      "quoted value per column, for spreadsheets).\n"
      "\n"
      "Settings: %s\n"
      "  [PATH] DLL=path of the model library (Arvodll.so)\n"
      "  [CAP]  CAP=folder of the caption files and the register character table\n"
      "A file repcnv_ex.ini beside this program puts a decimal point into amounts.\n"
      "\n"
      "Exit code: 0 when at least one report was converted, 1 otherwise.\n",
      platform::NativePath(settingsPath).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::wstring settingsPath = convra::SettingsPathFor(platform::ExecutablePath());
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage(settingsPath);
      return convra::EXIT_CONVERTED;
    }
  }
  std::wstring input = argc > 1 ? convra::FolderArgument(argv[1]) : std::wstring();
  std::wstring output = argc > 2 ? convra::FolderArgument(argv[2]) : std::wstring();
  if (input.empty() || output.empty()) {
    std::fprintf(stderr, "Convra: an input folder and an output folder are needed (Convra --help)\n");
    return convra::EXIT_NOTHING_CONVERTED;
  }
  std::string error;
  int code = convra::Convert(input, output, convra::ReadSettings(settingsPath), error);
  if (!error.empty()) std::fprintf(stderr, "Convra: %s\n", error.c_str());
  return code;
}
