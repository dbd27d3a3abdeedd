// Conversion speed of the report converter against the floor of any
// byte-to-UTF-16 conversion: iconv from CP1252 to UTF-16LE over the same
// bytes, in the same run. Inputs: a PLU report of 10,000 records and a 50 MB
// journal. Prints MB/s of input (best of several rounds) and the ratio.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "model_library/reports/ReportConversion.h"
#include "model_library/reports/ReportEcr.h"
#include "platform/FileSystem.h"
#include "tools/demodata/ReportBytes.h"
#include "testing/TempFolder.h"

namespace {

using Bytes = reportbytes::Bytes;

// A PLU report in the register's layout: department and group name lists,
// then 82-byte PLU records.
Bytes PluReport(int records) {
  using namespace reportbytes;
  Bytes out = Byte(99);
  for (int d = 1; d <= 99; ++d) out += Name("DEPARTMENT " + std::to_string(d));
  for (int g = 1; g <= 99; ++g) out += Name("GROUP " + std::to_string(g));
  for (int i = 0; i < records; ++i) {
    out += Code(4000000000000ull + static_cast<uint64_t>(i) * 7919);
    out += Name("ARTICLE NO " + std::to_string(i));
    out += Byte(1 + i % 99) + Byte(1 + i % 97);
    out += Quantity(static_cast<int64_t>(i % 5000) * 10000 + 2500);
    for (int level = 0; level < 3; ++level) out += Triple(i % 50, (i % 50) * 10000, (i % 50) * 129);
  }
  return out;
}

Bytes Journal(size_t bytes) {
  Bytes out;
  out.reserve(bytes + 26);
  for (int line = 0; out.size() + 26 <= bytes; ++line) {
    char text[32];
    std::snprintf(text, sizeof text, "ITEM %-10d %7d.%02d", line, line % 1000, line % 100);
    out.append(text, 24);
    out += "\r\n";
  }
  return out;
}

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best time of each piece of work over several rounds, the pieces taking
// turns, so that a busy moment of the shared machine weighs on all alike.
std::vector<double> BestSeconds(int rounds, const std::vector<std::function<void()>>& works) {
  std::vector<double> best(works.size(), 1e30);
  for (int round = 0; round < rounds; ++round)
    for (size_t i = 0; i < works.size(); ++i) best[i] = std::min(best[i], Seconds(works[i]));
  return best;
}

size_t IconvUtf16(iconv_t converter, const Bytes& input, std::vector<char>& output) {
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0 && iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) && errno == EILSEQ) {
    ++in;
    --inLeft;
  }
  return output.size() - outLeft;
}

struct Case {
  const char* title;
  const char* fileName;
  int kind;
  Bytes report;
  double target;  // share of iconv's rate to reach
  int repeats;    // conversions per timed round, so that a round lasts long enough
};

}  // namespace

int main(int argc, char** /*argv*/) {
  if (argc > 1) {
    std::printf("Usage: report_bench\nConverts a 10,000-record PLU report and a 50 MB journal and compares "
                "the rate with iconv CP1252 -> UTF-16LE.\n");
    return 0;
  }
  CCaptionMgr captions;
  CCaptionManagerBase* cell = &captions;
  SetCaptionCell(&cell);
  iconv_t converter = iconv_open("UTF-16LE", "CP1252");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "report_bench: iconv has no CP1252\n");
    return 1;
  }

  std::vector<Case> cases = {{"PLU report, 10,000 records", "ALPL0001.ECR", RK_ALL_PLU, PluReport(10000), 0.20, 10},
                             {"journal, 50 MB", "FLEJ0001.ECR", RK_JOURNAL_FULL, Journal(50u << 20), 0.50, 1}};
  TempFolder folder;
  bool allMet = true;
  for (const Case& c : cases) {
    const double megabytes = static_cast<double>(c.report.size()) * c.repeats / 1e6;
    std::vector<char> utf16(c.report.size() * 2 + 16);
    CReportEcr store;
    store.m_bDecimalPoint = 0;
    folder.Write(c.fileName, c.report);
    store.Load(folder.WPath().c_str());
    std::vector<double> seconds = BestSeconds(7, {
        [&] {
          for (int i = 0; i < c.repeats; ++i) IconvUtf16(converter, c.report, utf16);
        },
        [&] {
          for (int i = 0; i < c.repeats; ++i) {
            CReportInput input(reinterpret_cast<const uint8_t*>(c.report.data()), c.report.size());
            CCsvOutput output;
            ConvertReportData(store, c.kind, input, output);
          }
        },
        [&] {
          for (int i = 0; i < c.repeats; ++i) store.ConvertReport(0, nullptr);
        }});
    const double iconvSeconds = seconds[0], memorySeconds = seconds[1], fileSeconds = seconds[2];
    std::filesystem::remove_all(folder.Path());
    std::filesystem::create_directory(folder.Path());

    const double iconvRate = megabytes / iconvSeconds;
    const double memoryRate = megabytes / memorySeconds;
    const double fileRate = megabytes / fileSeconds;
    const bool met = memoryRate >= c.target * iconvRate;
    allMet = allMet && met;
    std::printf("%s (%.1f MB of input)\n", c.title, static_cast<double>(c.report.size()) / 1e6);
    std::printf("  iconv CP1252 -> UTF-16LE     %9.1f MB/s\n", iconvRate);
    std::printf("  conversion in memory         %9.1f MB/s  (%.0f %% of iconv; target %.0f %%: %s)\n", memoryRate,
                100.0 * memoryRate / iconvRate, 100.0 * c.target, met ? "met" : "NOT met");
    std::printf("  ConvertReport, file to file  %9.1f MB/s  (%.0f %% of iconv, with the atomic write)\n", fileRate,
                100.0 * fileRate / iconvRate);
  }
  iconv_close(converter);
  // A shared machine can slow any round; the verdict is printed, not enforced.
  std::printf("%s\n", allMet ? "All targets met." : "Some targets NOT met.");
  return 0;
}
