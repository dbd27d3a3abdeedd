// The report's own number formatting gives exactly FormatValue's text.
#include <gtest/gtest.h>

#include <random>

#include "common/ValueFormat.h"
#include "model_library/reports/ReportValueFormat.h"
#include "model_library/tests/ReportFixtures.h"

namespace {

stField_t FieldOf(uint32_t type, int width) {
  stField_t field{};
  field.uType = type;
  field.nWidth = width;
  return field;
}

TEST(ReportValueFormatTest, SameTextAsFormatValue) {
  const stField_t fields[] = {FieldOf(0x801, 2),  FieldOf(0x401, 1),  FieldOf(0x812, 4), FieldOf(0x802, 4),
                              FieldOf(0x902, 4),  FieldOf(0x908, 16), FieldOf(0xb08, 14), FieldOf(0x906, 12),
                              FieldOf(0x808, 16), FieldOf(0xb08, 3)};
  std::mt19937_64 random(5);
  int compared = 0;
  for (const stField_t& field : fields) {
    for (int round = 0; round < 20000; ++round) {
      uint64_t raw = random();
      switch (round % 4) {
        case 0: raw = fixtures::PackDigits(raw % 10000000000000000ull); break;                        // valid digits
        case 1: raw = fixtures::PackDigits(raw % 1000000000000000ull) | (1ull << 63) | (1ull << 47); break;  // signed
        case 2: raw &= 0xFFFF; break;
        default: break;  // any bits, non-decimal nibbles included
      }
      uint8_t bytes[8];
      for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(raw >> (8 * i));
      char text[REPORT_NUMBER_CHARS];
      int length = FormatReportNumber(field, bytes, text);
      if (length < 0) continue;
      std::wstring expected;
      FormatValue(bytes, expected, field);
      ASSERT_EQ(expected, std::wstring(text, text + length)) << std::hex << field.uType << " " << raw;
      ++compared;
    }
  }
  EXPECT_GT(compared, 150000);
}

TEST(ReportValueFormatTest, OtherTypesAreLeftToFormatValue) {
  uint8_t bytes[8] = {0x0A, 0, 0, 0, 0, 0, 0, 0x80};
  char text[REPORT_NUMBER_CHARS];
  EXPECT_EQ(-1, FormatReportNumber(FieldOf(0x400, 8), bytes, text));
  EXPECT_EQ(-1, FormatReportNumber(FieldOf(0x904, 8), bytes, text));
  EXPECT_EQ(-1, FormatReportNumber(FieldOf(0x908, 16), bytes, text)) << "negative with a non-decimal digit";
}

// A caption manager whose conversion is not one character per byte.
class DoublingManager : public CCaptionManagerBase {
 public:
  int OpenCaptionFile(const wchar_t*, const wchar_t*, const wchar_t*) override { return 0; }
  void FlushCaptions() override {}
  S_ECR_CAP* GetCaption(int32_t, int32_t) override { return nullptr; }
  void SetCaption(int32_t, int32_t, const S_ECR_CAP*) override {}
  int LoadCharTable(const wchar_t*, const wchar_t*) override { return 0; }
  void ClearCharTable() override {}
  void EcrToText(const std::string& bytes, std::wstring& text) override {
    text.clear();
    for (char ch : bytes) text.append(2, static_cast<wchar_t>(static_cast<unsigned char>(ch)));
  }
  void TextToEcr(const std::wstring&, std::string& bytes) override { bytes.clear(); }
};

TEST(ReportValueFormatTest, ManagersThatAreNotByteForByteAreAskedPerText) {
  DoublingManager manager;
  CCaptionManagerBase* cell = &manager;
  SetCaptionCell(&cell);
  CReportEcr store;
  fixtures::Conversion csv = fixtures::Convert(store, RK_JOURNAL_FULL, fixtures::Text("AB", 24));
  SetCaptionCell(nullptr);
  EXPECT_EQ((std::vector<fixtures::Line>{{L"AABB"}}), csv.lines);
}

}  // namespace
