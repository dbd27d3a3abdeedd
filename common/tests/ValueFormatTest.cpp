// The value routines over every storage type and flag.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "common/ValueFormat.h"

namespace {

stField_t Field(uint32_t type, int width) {
  stField_t field{};
  field.uType = type;
  field.nWidth = width;
  return field;
}

std::wstring Format(const std::vector<uint8_t>& bytes, uint32_t type, int width) {
  std::wstring text;
  FormatValue(bytes.data(), text, Field(type, width));
  return text;
}

std::vector<uint8_t> Parse(const wchar_t* text, uint32_t type, int width, size_t size) {
  std::vector<uint8_t> bytes(size, 0xEE);
  EXPECT_EQ(1, ParseValue(Field(type, width), bytes.data(), text));
  return bytes;
}

// Each value routine works with or without a caption manager; numbers never need one.
class ValueFormatTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCaptionCell(nullptr); }
  void TearDown() override { SetCaptionCell(nullptr); }
};

struct FormatCase {
  const char* what;
  std::vector<uint8_t> bytes;
  uint32_t type;
  int width;
  const wchar_t* text;
};

TEST_F(ValueFormatTest, FormatsEveryNumberType) {
  const FormatCase cases[] = {
      {"packed byte", {0x46}, 0x2901, 2, L"46"},
      {"packed byte with a letter nibble", {0x4F}, 0x2901, 2, L"4F"},
      {"packed word with leading zeros", {0x42, 0x00}, 0x2302, 4, L"0042"},
      {"plain byte", {200}, 0x2801, 3, L"200"},
      {"plain byte with leading zeros", {7}, 0x2a01, 3, L"007"},
      {"plain word", {0x34, 0x12}, 0x802, 5, L"4660"},
      {"unsigned long shown signed", {0xFF, 0xFF, 0xFF, 0xFF}, 0x804, 8, L"-1"},
      {"packed long", {0x78, 0x56, 0x34, 0x12}, 0x2904, 8, L"12345678"},
      {"signed byte", {0xFE}, 0x811, 4, L"-2"},
      {"signed word", {0x00, 0x80}, 0x812, 6, L"-32768"},
      {"signed long", {0xD6, 0xFF, 0xFF, 0xFF}, 0x814, 8, L"-42"},
      {"packed code of fourteen digits", {0x34, 0x12, 0x90, 0x78, 0x56, 0x34, 0x12, 0x00}, 0x2b08, 14,
       L"12345678901234"},
      {"packed code 42 with leading zeros", {0x42, 0, 0, 0, 0, 0, 0, 0}, 0x2b08, 14, L"00000000000042"},
      {"negative packed amount", {0x34, 0x12, 0, 0, 0, 0, 0, 0x80}, 0x908, 16, L"-1234"},
      {"negative packed amount, zero padding counts the sign", {0x34, 0x12, 0, 0, 0, 0, 0, 0x80}, 0xb08, 14,
       L"-0000000001234"},
      {"plain 64-bit", {0x40, 0xE2, 0x01, 0, 0, 0, 0, 0}, 0x808, 10, L"123456"},
      {"negative plain 64-bit is sign and magnitude", {5, 0, 0, 0, 0, 0, 0, 0x80}, 0x808, 10, L"-5"},
      {"packed amount 12.5", {0x00, 0x50, 0x12, 0x00, 0x00, 0x00}, 0x2b06, 11, L"12.500"},
      {"packed amount, fourth decimal dropped", {0x99, 0x99, 0x00, 0x00, 0x00, 0x00}, 0x2b06, 11, L"0.999"},
      {"negative packed amount", {0x00, 0x00, 0x03, 0x00, 0x00, 0x80}, 0x2b06, 11, L"-3.000"},
      {"negative zero shows no sign", {0, 0, 0, 0, 0, 0x80}, 0x2b06, 11, L"0.000"},
      {"negative below one", {0x00, 0x50, 0x00, 0x00, 0x00, 0x80}, 0x2b06, 11, L"-0.500"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(std::wstring(c.text), Format(c.bytes, c.type, c.width)) << c.what;
}

struct ParseCase {
  const char* what;
  const wchar_t* text;
  uint32_t type;
  int width;
  std::vector<uint8_t> bytes;
};

TEST_F(ValueFormatTest, ParsesEveryNumberType) {
  const ParseCase cases[] = {
      {"packed byte", L"46", 0x2901, 2, {0x46}},
      {"packed byte stops at the first non-digit", L"4G", 0x2901, 2, {0x04}},
      {"packed word", L"0042", 0x2302, 4, {0x42, 0x00}},
      {"plain byte keeps the low eight bits", L"300", 0x2801, 3, {44}},
      {"empty text is zero", L"", 0x2801, 3, {0}},
      {"text that is no number is zero", L"abc", 0x2801, 3, {0}},
      {"leading blanks are skipped", L"  12", 0x2801, 3, {12}},
      {"unsigned long from -1", L"-1", 0x804, 8, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"packed long", L"12345678", 0x2904, 8, {0x78, 0x56, 0x34, 0x12}},
      {"signed word", L"-2", 0x812, 4, {0xFE, 0xFF}},
      {"signed long saturates like a 32-bit long", L"99999999999", 0x814, 11, {0xFF, 0xFF, 0xFF, 0x7F}},
      {"packed code", L"12345678901234", 0x2b08, 14, {0x34, 0x12, 0x90, 0x78, 0x56, 0x34, 0x12, 0x00}},
      {"negative packed amount is sign and magnitude", L"-1234", 0x908, 16, {0x34, 0x12, 0, 0, 0, 0, 0, 0x80}},
      {"amount 12.5", L"12.5", 0x2b06, 11, {0x00, 0x50, 0x12, 0x00, 0x00, 0x00}},
      {"amount without decimals", L"7", 0x2b06, 11, {0x00, 0x00, 0x07, 0x00, 0x00, 0x00}},
      {"amount with three decimals", L"1.125", 0x2b06, 11, {0x50, 0x12, 0x01, 0x00, 0x00, 0x00}},
      {"amount starting with a point", L".5", 0x2b06, 11, {0x00, 0x50, 0x00, 0x00, 0x00, 0x00}},
      {"amount ending with a point", L"5.", 0x2b06, 11, {0x00, 0x00, 0x05, 0x00, 0x00, 0x00}},
      {"negative amount", L"-3", 0x2b06, 11, {0x00, 0x00, 0x03, 0x00, 0x00, 0x80}},
      {"negative zero is stored without sign", L"-0", 0x2b06, 11, {0, 0, 0, 0, 0, 0}},
      {"amount -12.125", L"-12.125", 0x2b06, 11, {0x50, 0x12, 0x12, 0x00, 0x00, 0x80}},
  };
  for (const ParseCase& c : cases)
    EXPECT_EQ(c.bytes, Parse(c.text, c.type, c.width, c.bytes.size())) << c.what;
}

TEST_F(ValueFormatTest, NumbersRoundTripThroughText) {
  const struct {
    uint32_t type;
    int width;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {0x2901, 2, {0x99}},
      {0x2b02, 4, {0x01, 0x00}},
      {0x2904, 8, {0x99, 0x99, 0x99, 0x99}},
      {0x2b08, 14, {0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x00}},
      {0x2b06, 11, {0x90, 0x99, 0x99, 0x99, 0x99, 0x80}},
      {0x814, 11, {0x00, 0x00, 0x00, 0x80}},
      {0x908, 16, {0x01, 0, 0, 0, 0, 0, 0, 0x80}},
  };
  for (const auto& c : cases) {
    std::wstring text = Format(c.bytes, c.type, c.width);
    EXPECT_EQ(c.bytes, Parse(text.c_str(), c.type, c.width, c.bytes.size())) << std::string(text.begin(), text.end());
  }
}

TEST_F(ValueFormatTest, InvalidTypesAndNullValues) {
  uint8_t byte = 0x12;
  std::wstring text = L"old";
  for (uint32_t type : {3u, 5u, 7u, 9u, 16u, 19u, 21u, 255u}) {
    EXPECT_EQ(0, FormatValue(&byte, text, Field(type, 2)));
    EXPECT_EQ(L"?", text);
    EXPECT_EQ(0, ParseValue(Field(type, 2), &byte, L"34"));
    EXPECT_EQ(0x12, byte) << "nothing is written for type " << type;
    EXPECT_EQ(0, StorageSize(Field(type, 2)));
  }
  EXPECT_EQ(0, FormatValue(nullptr, text, Field(FT_U8, 2)));
  EXPECT_EQ(L"?", text);
}

TEST_F(ValueFormatTest, TextWithoutCaptionManager) {
  // Without a caption manager, register text formats as empty and parses through the code page.
  std::vector<uint8_t> row(18, 0);
  ASSERT_EQ(1, ParseValue(Field(0x2400, 18), row.data(), L"T\u00e9a"));
  std::vector<uint8_t> expected = {'T', 0xE9, 'a'};
  expected.resize(18, ' ');
  EXPECT_EQ(expected, row);
  EXPECT_EQ(L"", Format(row, 0x2400, 18));
  // Raw text (flag 0x4000) always goes through the code page.
  EXPECT_EQ(L"T\u00e9a", Format(row, 0x4400, 18));
}

TEST_F(ValueFormatTest, TextThroughTheCharacterTable) {
  CCaptionMgr manager;  // no character table loaded: the code page is used
  CCaptionManagerBase* cell = &manager;
  SetCaptionCell(&cell);

  std::vector<uint8_t> row(18, 0xAA);
  ASSERT_EQ(1, ParseValue(Field(0x2400, 18), row.data(), L"ABC"));
  std::vector<uint8_t> expected = {'A', 'B', 'C'};
  expected.resize(18, ' ');
  EXPECT_EQ(expected, row) << "three bytes followed by fifteen blanks";
  EXPECT_EQ(L"ABC", Format(row, 0x2400, 18));

  ASSERT_EQ(1, ParseValue(Field(0x2400, 4), row.data(), L"TOO LONG"));
  EXPECT_EQ(std::vector<uint8_t>({'T', 'O', 'O', ' '}), std::vector<uint8_t>(row.begin(), row.begin() + 4));

  std::vector<uint8_t> stopped = {'A', 'B', 0, 'C', ' ', ' '};
  EXPECT_EQ(L"AB", Format(stopped, 0x2400, 6)) << "a zero byte ends the text";
  std::vector<uint8_t> blanks = {'A', ' ', '\t', ' '};
  EXPECT_EQ(L"A", Format(blanks, 0x2400, 4));
}

}  // namespace
