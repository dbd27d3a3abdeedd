#include <gtest/gtest.h>

#include "platform/TextCodec.h"

namespace {

TEST(TextCodecTest, EveryWindows1252ByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(all, platform::WideToCp1252(platform::Cp1252ToWide(all)));
  EXPECT_EQ(L"\u20ac\u0081\u201a\u0178\u00e9", platform::Cp1252ToWide("\x80\x81\x82\x9f\xe9"));
}

TEST(TextCodecTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ("a?b?", platform::WideToCp1252(L"a\u65e5b\U0001F600"));
}

TEST(TextCodecTest, Utf16KeepsCharactersOutsideTheBasicPlane) {
  std::wstring text = L"A\u00e9\u65e5\U0001F600";
  std::string bytes = platform::WideToUtf16Le(text);
  EXPECT_EQ(10u, bytes.size());
  EXPECT_EQ(text, platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  const uint8_t odd[] = {'A', 0, 'B'};
  EXPECT_EQ(L"A", platform::Utf16LeToWide(odd, sizeof odd)) << "a last odd byte is dropped";
}

TEST(TextCodecTest, Utf8FallsBackToTheCodePageForInvalidBytes) {
  EXPECT_EQ(L"caf\u00e9", platform::Utf8ToWide("caf\xC3\xA9"));
  EXPECT_EQ(L"caf\u00e9", platform::Utf8ToWide("caf\xE9"));
  EXPECT_EQ("\xE2\x82\xAC", platform::WideToUtf8(L"\u20ac"));
}

TEST(TextCodecTest, CaseFolding) {
  EXPECT_EQ(L"ARVO_\u00c9.CAP", platform::ToUpper(L"arvo_\u00e9.Cap"));
  EXPECT_TRUE(platform::EqualsNoCase(L"Plu.ecr", L"PLU.ECR"));
  EXPECT_FALSE(platform::EqualsNoCase(L"PLU.ECR", L"PLU.EC"));
}

}  // namespace
