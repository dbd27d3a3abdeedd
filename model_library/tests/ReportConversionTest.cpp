// The lines each report layout converts into, built from small report files
// laid out by the layout tables.
#include <gtest/gtest.h>

#include <fstream>

#include "model_library/tests/ReportFixtures.h"
#include "testing/TempFolder.h"

using namespace fixtures;

namespace {

class ReportConversionTest : public ::testing::Test {
 protected:
  void SetUp() override { store.m_bDecimalPoint = 0; }

  Conversion Run(int kind, const Bytes& report) { return Convert(store, kind, report); }

  CaptionScope captions;
  CReportEcr store;
};

TEST(InsertDecimalPointTest, PutsThePointBeforeTheLastTwoDigits) {
  const struct {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"", L""},         {L"5", L"0.05"},       {L"-5", L"-0.05"},    {L"12", L"0.12"},  {L"-12", L"-0.12"},
      {L"12345", L"123.45"}, {L"100", L"1.00"},  {L"0", L"0.00"},      {L"1.5", L"1.5"},  {L"12a3", L"12a3"},
      {L"-", L"-"},       {L"-123", L"-1.23"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, InsertDecimalPoint(c.in)) << c.in;
}

TEST_F(ReportConversionTest, FinancialReportGivesHeaderAndBlockLines) {
  Bytes report = EntryA("GROSS", 1000) + EntryA("NET", -250) + EntryA("CASH", 5) + FinancialBlock();
  Conversion csv = Run(RK_FINANCIAL, report);
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(72u, csv.lines.size());
  EXPECT_EQ((Line{L"GROSS", L"", L"1000"}), csv.lines[0]);
  EXPECT_EQ((Line{L"NET", L"", L"-250"}), csv.lines[1]);
  for (int n = 1; n <= 69; ++n) {
    const Line& line = csv.lines[static_cast<size_t>(n) + 2];
    std::wstring number = std::to_wstring(n), amount = std::to_wstring(100 * n);
    switch (FinancialForm(n)) {
      case 'C': EXPECT_EQ((Line{L"E" + number, number, amount}), line) << n; break;
      case 'S': EXPECT_EQ((Line{L"E" + number, L"", number}), line) << n; break;
      case 'A':
        if (n != 4 && n != 9 && n != 14) {
          EXPECT_EQ((Line{L"E" + number, L"", amount}), line) << n;
        }
        break;
      default: EXPECT_EQ(amount, line.at(2)) << n; EXPECT_EQ(L"", line.at(1)) << n; break;
    }
  }
  // The D entries take their captions from the head of their group.
  const struct {
    int entry;
    const wchar_t* caption;
  } derived[] = {{4, L"TAX TL1"}, {5, L"TAX TL2"}, {6, L"TAX TL3"}, {7, L"TAX TL4"},   {8, L"TOTAL TAX "},
                 {9, L"TAX1"},    {10, L"TAX2"},   {11, L"TAX3"},   {12, L"TAX4"},     {13, L"TOTAL TAX"},
                 {14, L"VAT TL1"}, {15, L"VAT TL2"}, {16, L"VAT TL3"}, {17, L"VAT TL4"}, {18, L"TOTAL VAT "}};
  for (const auto& d : derived) EXPECT_EQ(d.caption, csv.lines[static_cast<size_t>(d.entry) + 2].at(0)) << d.entry;

  EXPECT_EQ(csv.bytes, Run(RK_FINANCIAL_GT, report).bytes) << "the GT report reads with the same descriptors";
}

TEST_F(ReportConversionTest, DecimalPointOnlyInAmounts) {
  store.m_bDecimalPoint = 1;
  Conversion csv = Run(RK_FINANCIAL, EntryA("GROSS", 1000) + EntryA("", 0) + EntryA("", 0) + FinancialBlock());
  ASSERT_EQ(72u, csv.lines.size());
  EXPECT_EQ(L"10.00", csv.lines[0][2]);
  EXPECT_EQ((Line{L"E1", L"1", L"1.00"}), csv.lines[3]);        // C: the count stays whole
  EXPECT_EQ((Line{L"E2", L"", L"2.00"}), csv.lines[4]);         // A
  EXPECT_EQ((Line{L"TAX TL2", L"", L"5.00"}), csv.lines[7]);    // D
  EXPECT_EQ((Line{L"E37", L"", L"37"}), csv.lines[39]);         // S: a number, not an amount
}

TEST_F(ReportConversionTest, ShortFinancialFileStillGivesEveryLine) {
  Conversion csv = Run(RK_FINANCIAL, EntryA("GROSS", 1000).substr(0, 15));
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(72u, csv.lines.size());
  EXPECT_EQ(L"GROSS", csv.lines[0][0]);
  EXPECT_EQ((Line{L"", L"0", L"0"}), csv.lines[3]);
}

TEST_F(ReportConversionTest, ClerkSectionsUntilTheFileEnds) {
  Bytes clerk1 = Byte(1) + Name("ANNA") + Count(250) + FinancialBlock();
  Bytes clerk2 = Byte(12) + Name("BEN") + Count(0) + FinancialBlock();
  for (int kind : {RK_ALL_CLERK, RK_ALL_CLERK_GT, RK_TRAINING_CLERK_GT}) {
    Conversion csv = Run(kind, clerk1 + clerk2 + "12345");  // too short for a third header
    EXPECT_EQ(1, csv.result);
    ASSERT_EQ(140u, csv.lines.size()) << kind;
    EXPECT_EQ((Line{L"1", L"ANNA", L"250"}), csv.lines[0]);
    EXPECT_EQ((Line{L"E1", L"1", L"100"}), csv.lines[1]);
    EXPECT_EQ((Line{L"12", L"BEN", L"0"}), csv.lines[70]);
  }
  Conversion cut = Run(RK_ALL_CLERK, clerk1.substr(0, 30));
  EXPECT_EQ(1, cut.result) << "a block cut short still yields its lines";
  EXPECT_EQ(70u, cut.lines.size());
  Conversion none = Run(RK_ALL_CLERK, clerk1.substr(0, 20));
  EXPECT_EQ(0, none.result);
  EXPECT_TRUE(none.lines.empty());
}

TEST_F(ReportConversionTest, ItemisedClerkSales) {
  Bytes item1 = Code(123) + Name("COLA") + Triple(1, 20000, 258) + Triple(0, 0, 0) + Triple(0, 10000, -99);
  Bytes item2 = Code(4711) + Name("BEER") + Triple(1, 15000, 150) + Triple(0, 0, 0) + Triple(0, 0, 0);
  Bytes report = Byte(2) + Byte(1) + Name("ANNA") + item1 + item2 + Byte(0xFF) + Byte(2) + Name("BEN") + item1 +
                 Byte(0xFF);
  Conversion csv = Run(RK_CLERK_SALES, report);
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(3u, csv.lines.size());
  EXPECT_EQ((Line{L"1", L"ANNA", L"123", L"COLA", L"2.000", L"258", L"0.000", L"0", L"1.000", L"-99"}), csv.lines[0]);
  EXPECT_EQ((Line{L"1", L"ANNA", L"4711", L"BEER", L"1.500", L"150", L"0.000", L"0", L"0.000", L"0"}), csv.lines[1]);
  EXPECT_EQ(L"BEN", csv.lines[2][1]);

  // A clerk whose items never end: the items read whole are kept.
  Conversion open = Run(RK_CLERK_SALES, Byte(2) + Byte(1) + Name("ANNA") + item1 + item2.substr(0, 40));
  EXPECT_EQ(1, open.result);
  EXPECT_EQ(1u, open.lines.size());
  EXPECT_EQ(0, Run(RK_CLERK_SALES, Byte(2)).result) << "no clerk section started";
  EXPECT_EQ(0, Run(RK_CLERK_SALES, Bytes()).result) << "no mode byte";
}

TEST_F(ReportConversionTest, PositionalClerkSales) {
  Bytes report = Byte(0) + Byte(2) + Name("BREAD") + Name("MILK") + Byte(1) + Name("ANNA") +
                 Triple(3, 30000, 567) + Triple(1, 5000, 99) + Byte(2) + Name("BEN") + Triple(0, 0, 0) +
                 Triple(0, 0, 0) + Byte(3);
  Conversion csv = Run(RK_CLERK_SALES, report);
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(4u, csv.lines.size());
  EXPECT_EQ((Line{L"1", L"ANNA", L"1", L"BREAD             ", L"3.000", L"567", L"", L"", L"", L""}), csv.lines[0]);
  EXPECT_EQ((Line{L"", L"", L"2", L"MILK              ", L"0.500", L"99", L"", L"", L"", L""}), csv.lines[1]);
  EXPECT_EQ((Line{L"2", L"BEN", L"1", L"BREAD             ", L"0.000", L"0", L"", L"", L"", L""}), csv.lines[2]);
}

TEST_F(ReportConversionTest, DepartmentsWithGroupNames) {
  Bytes groups;
  for (int g = 1; g <= 9; ++g) groups += Name("GROUP" + std::to_string(g));
  Bytes report = Byte(3) + groups + Byte(1) + Byte(2) + Name("BREAD") + Triple(5, 120000, 2268) + Byte(2) +
                 Byte(0) + Name("MISC") + Triple(0, 0, 0) + Byte(3) + Byte(10) + Name("BAD") + Triple(0, 0, 0);
  Conversion csv = Run(RK_ALL_DEPARTMENT, report);
  EXPECT_EQ(0, csv.result) << "group 10 lies past the nine group names";
  ASSERT_EQ(2u, csv.lines.size());
  EXPECT_EQ((Line{L"1", L"BREAD", L"2", L"GROUP2            ", L"12.000", L"2268"}), csv.lines[0]);
  EXPECT_EQ((Line{L"2", L"MISC", L"0", L"", L"0.000", L"0"}), csv.lines[1]);

  Conversion shorter = Run(RK_ALL_DEPARTMENT_GT, report.substr(0, 1 + 9 * 18 + 36 + 10));
  EXPECT_EQ(1, shorter.result);
  EXPECT_EQ(1u, shorter.lines.size());
}

Bytes PluGroups() {
  Bytes groups;
  for (int g = 1; g <= 99; ++g) groups += Name("PG" + std::to_string(g));
  return groups;
}

TEST_F(ReportConversionTest, PluRecords) {
  Bytes head = Byte(2) + Name("DRINKS") + Name("FOOD") + PluGroups();
  Bytes plu = Code(123) + Name("COLA 0.5") + Byte(1) + Byte(7) + Quantity(-123456) + Triple(1, 20000, 258) +
              Triple(0, 0, 0) + Triple(0, 10000, 100);
  for (int kind : {RK_ALL_PLU, RK_ALL_PLU_GT}) {
    Conversion csv = Run(kind, head + plu + plu.substr(0, 81));
    EXPECT_EQ(1, csv.result);
    ASSERT_EQ(1u, csv.lines.size());
    EXPECT_EQ((Line{L"00000000000123", L"COLA 0.5", L"1", L"DRINKS            ", L"7", L"PG7               ",
                    L"-12.345", L"2.000", L"258", L"0.000", L"0", L"1.000", L"100"}),
              csv.lines[0]);
  }
  EXPECT_EQ(0, Run(RK_ALL_PLU, head).result) << "no PLU record";
  Bytes badDepartment = plu;
  badDepartment[26] = 3;
  Conversion bad = Run(RK_ALL_PLU, head + plu + badDepartment + plu);
  EXPECT_EQ(0, bad.result);
  EXPECT_EQ(1u, bad.lines.size());
  Bytes badGroup = plu;
  badGroup[27] = 100;
  EXPECT_EQ(0, Run(RK_ALL_PLU, head + badGroup).result);
}

TEST_F(ReportConversionTest, UrgentPluRecords) {
  Bytes report = Byte(1) + Name("DRINKS") + Code(42) + Byte(1) + Triple(1, 10000, 5) + Triple(0, 0, 0) +
                 Triple(0, 0, 0) + Code(43) + Byte(0) + Triple(0, 0, 0) + Triple(0, 0, 0) + Triple(0, 0, 0);
  Conversion csv = Run(RK_URGENT_PLU, report);
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(2u, csv.lines.size());
  EXPECT_EQ((Line{L"00000000000042", L"1", L"DRINKS            ", L"1.000", L"5", L"0.000", L"0", L"0.000", L"0"}),
            csv.lines[0]);
  EXPECT_EQ(L"", csv.lines[1][2]);
  EXPECT_EQ(0, Run(RK_URGENT_PLU, report.substr(0, 1 + 18 + 56)).result);
  Bytes bad = report;
  bad[1 + 18 + 8] = 2;
  EXPECT_EQ(0, Run(RK_URGENT_PLU, bad).result);
}

TEST_F(ReportConversionTest, HourlyLines) {
  Bytes report = SignedCount(3) + Amount(1250) + SignedCount(-2) + Amount(-5);
  report.resize(240, '\0');
  Conversion csv = Run(RK_HOURLY, report + "ignored");
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(24u, csv.lines.size());
  EXPECT_EQ((Line{L"00:00 - 00:59", L"3", L"1250"}), csv.lines[0]);
  EXPECT_EQ((Line{L"01:00 - 01:59", L"-2", L"-5"}), csv.lines[1]);
  EXPECT_EQ((Line{L"23:00 - 23:59", L"0", L"0"}), csv.lines[23]);

  store.m_bDecimalPoint = 1;
  csv = Run(RK_HOURLY, report.substr(0, 20));
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(24u, csv.lines.size()) << "a short file still yields 24 lines";
  EXPECT_EQ(L"12.50", csv.lines[0][2]);
  EXPECT_EQ(L"-0.05", csv.lines[1][2]);
}

TEST_F(ReportConversionTest, OpenTables) {
  Bytes report = Byte(7) + Byte(0x12) + Amount(4550) + Byte(200) + Byte(0x05) + Amount(0) + "123";
  for (int kind : {RK_OPEN_TABLE_ALL, RK_OPEN_TABLE_ONE}) {
    Conversion csv = Run(kind, report);
    EXPECT_EQ(1, csv.result);
    ASSERT_EQ(2u, csv.lines.size());
    EXPECT_EQ((Line{L"7", L"12", L"4550"}), csv.lines[0]);
    EXPECT_EQ((Line{L"200", L"5", L"0"}), csv.lines[1]);
  }
  EXPECT_EQ(0, Run(RK_OPEN_TABLE_ALL, report.substr(0, 9)).result);
}

Bytes TrainingHead(int departments) {
  Bytes head = Byte(0) + Byte(departments);
  for (int g = 1; g <= 9; ++g) head += Name("DG" + std::to_string(g));
  for (int d = 1; d <= departments; ++d) head += Name("DEPT" + std::to_string(d));
  return head + PluGroups();
}

TEST_F(ReportConversionTest, TrainingClerks) {
  Bytes clerk = Byte(0x31) + Name("TRAINEE") + Count(15) + FinancialBlock();
  Bytes departments = Byte(1) + Byte(2) + Triple(1, 10000, 189) + Byte(2) + Byte(0) + Triple(0, 0, 0);
  Bytes plu = Code(123) + Name("COLA") + Byte(2) + Byte(3) + Quantity(50000) + Triple(1, 10000, 129) +
              Triple(0, 0, 0) + Triple(0, 0, 0);
  Conversion csv = Run(RK_TRAINING_CLERK, TrainingHead(2) + clerk + Byte(0xFF) + departments + plu);
  EXPECT_EQ(1, csv.result);
  ASSERT_EQ(2u + 69 + 2 + 1, csv.lines.size());
  EXPECT_EQ((Line{L"49", L"TRAINEE"}), csv.lines[0]);
  EXPECT_EQ((Line{L"15"}), csv.lines[1]);
  EXPECT_EQ((Line{L"E1", L"1", L"100"}), csv.lines[2]);
  EXPECT_EQ((Line{L"1", L"DEPT1             ", L"2", L"DG2               ", L"1.000", L"189"}), csv.lines[71]);
  EXPECT_EQ((Line{L"2", L"DEPT2             ", L"0", L"", L"0.000", L"0"}), csv.lines[72]);
  EXPECT_EQ((Line{L"123", L"COLA", L"2", L"DEPT2             ", L"3", L"PG3               ", L"5.000", L"1.000",
                  L"129", L"0.000", L"0", L"0.000", L"0"}),
            csv.lines[73]);

  Conversion unended = Run(RK_TRAINING_CLERK, TrainingHead(2) + clerk);
  EXPECT_EQ(0, unended.result) << "the clerk sections never ended";
  EXPECT_EQ(71u, unended.lines.size());
  EXPECT_EQ(0, Run(RK_TRAINING_CLERK, Bytes()).result);
  Bytes badPlu = plu;
  badPlu[26] = 3;
  EXPECT_EQ(0, Run(RK_TRAINING_CLERK, TrainingHead(2) + Byte(0xFF) + departments + badPlu).result);
}

TEST_F(ReportConversionTest, JournalLinesWithAndWithoutSeparators) {
  Bytes line1 = Text("RECEIPT 0001", 24), line2 = Text("TOTAL\xFF\xFF" "12.50", 24);
  Conversion separated = Run(RK_JOURNAL_FULL, line1 + "\r\n" + line2 + "\r\n");
  EXPECT_EQ(1, separated.result);
  EXPECT_EQ(1, store.m_bJournalCrLf);
  EXPECT_EQ((std::vector<Line>{{L"RECEIPT 0001"}, {L"TOTAL  12.50"}}), separated.lines);

  Bytes plain = line1 + line2 + "\r\nXY";  // 52 bytes; bytes 24 and 25 are no separator
  for (int kind : {RK_JOURNAL_LATEST, RK_JOURNAL_OLDEST, RK_JOURNAL_DAILY, RK_REALTIME_EJ}) {
    Conversion csv = Run(kind, plain);
    EXPECT_EQ(1, csv.result);
    EXPECT_EQ(0, store.m_bJournalCrLf);
    EXPECT_EQ((std::vector<Line>{{L"RECEIPT 0001"}, {L"TOTAL  12.50"}}), csv.lines) << kind;
  }
  for (size_t size = 0; size <= 25; ++size) {
    Conversion csv = Run(RK_REALTIME_EJ, (line1 + "\r\n").substr(0, size));
    EXPECT_EQ(size >= 24 ? 1 : 0, csv.result) << size;
    EXPECT_EQ(size >= 24 ? 1u : 0u, csv.lines.size()) << size;
  }
  Conversion cutText = Run(RK_JOURNAL_FULL, Text(std::string("AB\0CD", 5), 24));
  EXPECT_EQ((std::vector<Line>{{L"AB"}}), cutText.lines) << "a 0 byte ends a text";
}

TEST_F(ReportConversionTest, ValueForms) {
  Bytes report = Byte(1) + Byte(0x01) + Bytes("\x05\0\0\0\0\0\0\x80", 8);
  EXPECT_EQ(L"-5", Run(RK_OPEN_TABLE_ALL, report).lines.at(0).at(2));
  store.m_bDecimalPoint = 1;
  EXPECT_EQ(L"-0.05", Run(RK_OPEN_TABLE_ALL, report).lines.at(0).at(2));
}

TEST_F(ReportConversionTest, OutputIsQuotedUtf16WithCrLf) {
  Bytes journal = Text("SAY \"HI\", \x80 5", 24);
  Conversion csv = Run(RK_JOURNAL_FULL, journal);
  std::string expected("\xFF\xFE", 2);
  for (wchar_t ch : std::wstring(L"\"SAY \"HI\", \x20AC 5\"\r\n")) {
    expected.push_back(static_cast<char>(ch & 0xFF));
    expected.push_back(static_cast<char>(ch >> 8));
  }
  EXPECT_EQ(expected, csv.bytes) << "quotes inside a value are not doubled";
}

TEST_F(ReportConversionTest, TextsGoThroughTheCharacterTable) {
  TempFolder folder;
  std::string table = "\xFF\xFE";
  for (wchar_t ch : std::wstring(L"\x00C4=41\r\n")) {
    table.push_back(static_cast<char>(ch & 0xFF));
    table.push_back(static_cast<char>(ch >> 8));
  }
  folder.Write("ARVODLL_ECR.CNV", table);
  ASSERT_EQ(1, captions.Manager().LoadCharTable(folder.WPath().c_str(), L"ARVODLL"));
  Conversion csv = Run(RK_JOURNAL_FULL, Text("ABC", 24));
  EXPECT_EQ((std::vector<Line>{{L"\x00C4" L"BC"}}), csv.lines);
}

TEST_F(ReportConversionTest, WithoutCaptionManagerTextsAreEmpty) {
  SetCaptionCell(nullptr);
  Conversion csv = Run(RK_JOURNAL_FULL, Text("ABC", 24));
  EXPECT_EQ((std::vector<Line>{{L""}}), csv.lines);
}

TEST_F(ReportConversionTest, UnknownKindConvertsNothing) {
  EXPECT_EQ(0, Run(-1, "abc").result);
  EXPECT_EQ(0, Run(REPORT_KIND_COUNT, "abc").result);
}

}  // namespace
