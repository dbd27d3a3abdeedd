// Report files as a register, a broken cable or a wrong file may leave them:
// random bytes and every kind of truncation. Each conversion must end with
// 1 or 0 and well-formed CSV, never reading or writing outside a buffer
// (this test runs under AddressSanitizer with `make sanitize`).
#include <gtest/gtest.h>

#include <random>

#include "model_library/reports/CsvTableReader.h"
#include "model_library/reports/ReportCsv.h"
#include "model_library/tests/ReportFixtures.h"

using namespace fixtures;

namespace {

Bytes Names(int count) {
  Bytes names;
  for (int i = 1; i <= count; ++i) names += Name("N" + std::to_string(i));
  return names;
}

// One well-formed report of every layout, by kind.
std::vector<std::pair<int, Bytes>> SampleReports() {
  Bytes triples = Triple(1, 10000, 100) + Triple(2, 20000, 200) + Triple(3, 30000, 300);
  Bytes plu = Code(123) + Name("PLU") + Byte(1) + Byte(2) + Quantity(50000) + triples;
  Bytes hourly;
  for (int h = 0; h < 24; ++h) hourly += SignedCount(h) + Amount(h * 100);
  Bytes journal;
  for (int i = 0; i < 5; ++i) journal += Text("LINE " + std::to_string(i), 24) + "\r\n";
  return {
      {RK_FINANCIAL, EntryA("A", 1) + EntryA("B", 2) + EntryA("C", 3) + FinancialBlock()},
      {RK_ALL_CLERK, Byte(1) + Name("ANNA") + Count(5) + FinancialBlock() + Byte(2) + Name("BEN") + Count(0) +
                         FinancialBlock()},
      {RK_CLERK_SALES, Byte(2) + Byte(1) + Name("ANNA") + Code(1) + Name("X") + triples + Byte(0xFF) + Byte(2) +
                           Name("BEN") + Code(2) + Name("Y") + triples + Byte(0xFF)},
      {RK_CLERK_SALES, Byte(0) + Byte(2) + Names(2) + Byte(1) + Name("ANNA") + Triple(1, 1, 1) + Triple(2, 2, 2)},
      {RK_ALL_DEPARTMENT, Byte(2) + Names(9) + Byte(1) + Byte(9) + Name("D1") + Triple(1, 1, 1) + Byte(2) + Byte(0) +
                              Name("D2") + Triple(0, 0, 0)},
      {RK_ALL_PLU, Byte(2) + Names(2) + Names(99) + plu + plu},
      {RK_URGENT_PLU, Byte(1) + Names(1) + Code(5) + Byte(1) + triples + Code(6) + Byte(0) + triples},
      {RK_HOURLY, hourly},
      {RK_OPEN_TABLE_ONE, Byte(1) + Byte(0x11) + Amount(5) + Byte(2) + Byte(0x99) + Amount(-5)},
      {RK_TRAINING_CLERK, Byte(2) + Byte(2) + Names(9) + Names(2) + Names(99) + Byte(1) + Name("T") + Count(1) +
                              FinancialBlock() + Byte(0xFF) + Byte(1) + Byte(1) + Triple(1, 1, 1) + Byte(2) + Byte(0) +
                              Triple(0, 0, 0) + plu},
      {RK_JOURNAL_FULL, journal},
      {RK_REALTIME_EJ, journal.substr(0, 26) + "no separators after this"},
  };
}

class ReportRobustnessTest : public ::testing::Test {
 protected:
  // Converts and checks what any conversion must give: the byte-order
  // mark, whole UTF-16 units and whole lines. (Texts of random bytes may
  // hold CR LF themselves, so lines are not split here.)
  void Check(int kind, const Bytes& report) {
    Conversion csv = Convert(store, kind, report);
    ASSERT_TRUE(csv.result == 0 || csv.result == 1) << kind;
    ASSERT_EQ(std::string("\xFF\xFE", 2), csv.bytes.substr(0, 2)) << kind;
    ASSERT_EQ(0u, csv.bytes.size() % 2) << kind;
    if (csv.bytes.size() > 2) {
      ASSERT_EQ(std::string("\r\0\n\0", 4), csv.bytes.substr(csv.bytes.size() - 4)) << kind;
    }
    ++conversions;
  }

  CaptionScope captions;
  CReportEcr store;
  int conversions = 0;
};

TEST_F(ReportRobustnessTest, SampleReportsConvertWhole) {
  for (const auto& [kind, report] : SampleReports()) EXPECT_EQ(1, Convert(store, kind, report).result) << kind;
}

TEST_F(ReportRobustnessTest, EveryTruncationOfEveryLayout) {
  for (int decimalPoint = 0; decimalPoint <= 1; ++decimalPoint) {
    store.m_bDecimalPoint = static_cast<uint8_t>(decimalPoint);
    for (const auto& [kind, report] : SampleReports()) {
      size_t step = report.size() > 1500 ? 7 : 1;
      for (size_t size = 0; size <= report.size(); size += step) Check(kind, report.substr(0, size));
    }
  }
  EXPECT_GT(conversions, 3000);
}

TEST_F(ReportRobustnessTest, RandomBytesOfEveryKind) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<size_t> length(0, 4000);
  for (int kind = -1; kind <= REPORT_KIND_COUNT; ++kind) {
    for (int round = 0; round < 150; ++round) {
      Bytes report(length(random), '\0');
      // Half of them lean on the bytes that end lists and sections.
      for (char& b : report) b = static_cast<char>(round % 2 && byte(random) < 64 ? 0xFF : byte(random));
      Check(kind, report);
    }
  }
  EXPECT_GT(conversions, 3000);
}

TEST_F(ReportRobustnessTest, SampleReportsWithRandomDamage) {
  std::mt19937 random(7);
  for (const auto& [kind, report] : SampleReports()) {
    for (int round = 0; round < 100; ++round) {
      Bytes damaged = report;
      for (int hits = 0; hits < 4; ++hits)
        damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
      Check(kind, damaged);
    }
  }
}

TEST(CsvRobustnessTest, RandomAndTruncatedCsvFiles) {
  CaptionScope captions;
  CReportCsv csvStore;
  std::mt19937 random(99);
  const std::string alphabet("\"\",,\r\n\x0A\x0D\xFF\xFE\x00 ab", 15);
  Bytes sample("\xFF\xFE", 2);
  for (wchar_t ch : std::wstring(L"\"1\",\"12,345\",\"\"\r\n\"2\",,\"x\"\r\n")) sample += Le(static_cast<uint16_t>(ch), 2);
  int files = 0;
  for (int kind = 0; kind < REPORT_KIND_COUNT; ++kind) {
    const stTable_t& pattern = *csvStore.GetCsvTemplate(kind);
    std::vector<Bytes> inputs;
    for (size_t size = 0; size <= sample.size(); ++size) inputs.push_back(sample.substr(0, size));
    for (int round = 0; round < 100; ++round) {
      Bytes bytes(random() % 3000, '\0');
      for (char& b : bytes) b = round % 2 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
      if (round % 4 == 0) bytes.insert(0, "\xFF\xFE");
      inputs.push_back(bytes);
    }
    for (const Bytes& input : inputs) {
      std::vector<uint8_t> rows;
      int count = ReadCsvRows(reinterpret_cast<const uint8_t*>(input.data()), input.size(), pattern, rows);
      ASSERT_GE(count, 0);
      ASSERT_EQ(static_cast<size_t>(count) * static_cast<size_t>(pattern.nRecordSize), rows.size());
      ASSERT_LE(static_cast<size_t>(count), input.size());
      ++files;
    }
  }
  EXPECT_GT(files, 2000);
}

}  // namespace
