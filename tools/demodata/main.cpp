// ecrdemo: writes the demo shop's register files into a data folder through
// the model library.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "Demo.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

struct DemoStep {
  const char* pszWhat;
  DemoWriter pfnWrite;
};

// One line per part of the register data.
const DemoStep kSteps[] = {
    {"departments, PLUs and clerks", WriteDemoRecords},
    {"settings and keyboard", WriteDemoSettings},
    {"reports", WriteDemoReportFiles},
};

const char kUsage[] = R"(Usage: ecrdemo [--library PATH] DATA_FOLDER

Writes the register files of a small demo shop into DATA_FOLDER (created when
missing), replacing files of the same names: departments in groups, PLUs,
clerks, settings with a keyboard layout, and one report file of every kind
as the register would send them. The files are written through the
model library, as the table editor would save them.

Options:
  --library PATH   the model library (default: Arvodll.so beside ecrdemo)
  -h, --help       show this text

Exit codes: 0 done, 1 usage error, 2 the folder or a file could not be
written, 5 the model library could not be loaded.
)";

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "ecrdemo: %s\n", message.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring library = DefaultModelLibraryPath();
  std::wstring folder;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (!std::strcmp(argv[i], "--library") && i + 1 < argc) {
      library = platform::Utf8ToWide(argv[++i]);
    } else if (argv[i][0] == '-' || !folder.empty()) {
      return Fail(1, std::string("unexpected argument ") + argv[i] + "; see ecrdemo --help");
    } else {
      folder = platform::Utf8ToWide(argv[i]);
    }
  }
  if (folder.empty()) return Fail(1, "no data folder given; see ecrdemo --help");

  std::error_code failure;
  std::filesystem::create_directories(platform::NativePath(folder), failure);
  if (!platform::GetFileStatus(folder).bDirectory) return Fail(2, "cannot create the folder " + platform::WideToUtf8(folder));

  ModelLibrary model;
  std::string error;
  if (!model.Open(library, error)) return Fail(5, error);
  model.SetEcrFolder(folder);
  for (const DemoStep& step : kSteps) {
    if (!step.pfnWrite(model, folder, error)) return Fail(2, std::string(step.pszWhat) + ": " + error);
    std::printf("wrote %s\n", step.pszWhat);
  }
  return 0;
}
