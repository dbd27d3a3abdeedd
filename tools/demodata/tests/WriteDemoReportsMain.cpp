// Writes the demo reports into a folder and, for the spreadsheet test, what
// their CSV files must hold.
#include <cstdio>
#include <fstream>
#include <string>

#include "../DemoReports.h"
#include "DemoReportsManifest.h"
#include "platform/FileSystem.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::string(argv[1]) == "--help") {
    std::printf("Usage: write_demo_reports FOLDER EXPECTED_JSON\n"
                "Writes the demo report files into FOLDER and what their CSV files must hold into EXPECTED_JSON.\n");
    return argc == 2 ? 0 : 1;
  }
  if (!WriteDemoReports(platform::FromNativePath(argv[1]))) {
    std::fprintf(stderr, "write_demo_reports: cannot write into %s\n", argv[1]);
    return 1;
  }
  std::ofstream(argv[2]) << demo::ManifestJson(demo::ExpectedDemoCsv());
  return 0;
}
