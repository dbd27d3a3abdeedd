// Caption files and character tables.
#include <gtest/gtest.h>

#include "common/CaptionMgr.h"
#include "platform/TextCodec.h"
#include "testing/TempFolder.h"

namespace {

std::string Utf16File(const std::wstring& text) { return "\xFF\xFE" + platform::WideToUtf16Le(text); }

std::wstring ReadUtf16(const TempFolder& folder, const std::string& name) {
  std::string bytes = folder.Read(name);
  EXPECT_GE(bytes.size(), 2u);
  EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2)) << "caption files keep their byte-order mark";
  return platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()) + 2, bytes.size() - 2);
}

S_ECR_CAP Caption(const std::wstring& text, int32_t toolTipFlag, const std::wstring& toolTip) {
  S_ECR_CAP caption;
  caption.font.lfHeight = -13;
  caption.font.lfWeight = 700;
  caption.font.lfItalic = 1;
  caption.font.lfCharSet = 128;
  caption.font.lfPitchAndFamily = 0x22;
  std::wstring face = L"DejaVu Sans";
  face.copy(caption.font.lfFaceName, face.size());
  caption.text = text;
  caption.nToolTip = toolTipFlag;
  caption.toolTip = toolTip;
  return caption;
}

TEST(CaptionMgrTest, OpenCreatesAnUpperCaseFileWithByteOrderMark) {
  TempFolder folder;
  CCaptionMgr manager;
  EXPECT_EQ(0, manager.OpenCaptionFile(folder.WPath().c_str(), L"m", L"jpn")) << "created empty";
  EXPECT_EQ(folder.WPath() + L"/M_JPN.CAP", manager.CaptionFilePath()) << "only the file name is upper-cased";
  EXPECT_EQ("\xFF\xFE", folder.Read("M_JPN.CAP"));
  EXPECT_EQ(1, manager.OpenCaptionFile(folder.WPath().c_str(), L"m", L"jpn")) << "already the current file";

  CCaptionMgr other;
  EXPECT_EQ(1, other.OpenCaptionFile(folder.WPath().c_str(), L"M", L"JPN")) << "exists now";
  EXPECT_EQ(nullptr, other.GetCaption(0, 1));
}

TEST(CaptionMgrTest, RoundTripOfMultiLineEmptyAndLargeSectionCaptions) {
  TempFolder folder;
  {
    CCaptionMgr manager;
    manager.OpenCaptionFile(folder.WPath().c_str(), L"ARVODLL", L"ENG");
    S_ECR_CAP twoLines = Caption(L"First line\r\nSecond line", 1, L"Tip\r\nmore");
    S_ECR_CAP empty = Caption(L"", 0, L"");
    S_ECR_CAP table = Caption(L"PLU SETTING \u00c9\u65e5", 0, L"kept tip");
    manager.SetCaption(17, 1001, &twoLines);
    manager.SetCaption(0, 5, &empty);
    manager.SetCaption(WND_TABLE_CAPTIONS, 400, &table);
  }  // destruction flushes

  std::wstring file = ReadUtf16(folder, "ARVODLL_ENG.CAP");
  EXPECT_NE(std::wstring::npos, file.find(L"[268435456]")) << "sections are window numbers in decimal";
  EXPECT_NE(std::wstring::npos, file.find(L"First line\\nSecond line")) << "line breaks are stored as \\n";
  EXPECT_EQ(std::wstring::npos, file.find(L"First line\r\n"));

  CCaptionMgr reader;
  EXPECT_EQ(1, reader.OpenCaptionFile(folder.WPath().c_str(), L"ARVODLL", L"ENG"));
  S_ECR_CAP* twoLines = reader.GetCaption(17, 1001);
  ASSERT_NE(nullptr, twoLines);
  EXPECT_EQ(L"First line\r\nSecond line", twoLines->text);
  EXPECT_EQ(1, twoLines->nToolTip);
  EXPECT_EQ(L"Tip\r\nmore", twoLines->toolTip);
  EXPECT_EQ(-13, twoLines->font.lfHeight);
  EXPECT_EQ(700, twoLines->font.lfWeight);
  EXPECT_EQ(1, twoLines->font.lfItalic);
  EXPECT_EQ(128, twoLines->font.lfCharSet);
  EXPECT_EQ(0x22, twoLines->font.lfPitchAndFamily);
  EXPECT_STREQ(L"DejaVu Sans", twoLines->font.lfFaceName);

  S_ECR_CAP* empty = reader.GetCaption(0, 5);
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(L" ", empty->text) << "an empty text is written and read back as one blank";

  S_ECR_CAP* table = reader.GetCaption(WND_TABLE_CAPTIONS, 400);
  ASSERT_NE(nullptr, table);
  EXPECT_EQ(L"PLU SETTING \u00c9\u65e5", table->text);
  EXPECT_EQ(L"kept tip", table->toolTip);
  EXPECT_EQ(table, reader.GetCaption(WND_TABLE_CAPTIONS, 400)) << "cached";
}

TEST(CaptionMgrTest, MissingCaptionsAreReadAgainEveryTime) {
  TempFolder folder;
  CCaptionMgr manager;
  manager.OpenCaptionFile(folder.WPath().c_str(), L"M", L"ENG");
  EXPECT_EQ(nullptr, manager.GetCaption(3, 7));
  // Another program adds the caption meanwhile: the next request sees it.
  S_ECR_CAP added = Caption(L"Added", 0, L"");
  folder.Write("M_ENG.CAP", Utf16File(L"[3]\r\n7=" + CCaptionMgr::FormatCaptionLine(added) + L"\r\n"));
  S_ECR_CAP* found = manager.GetCaption(3, 7);
  ASSERT_NE(nullptr, found);
  EXPECT_EQ(L"Added", found->text);
}

TEST(CaptionMgrTest, FlushWritesOnlyWhenSomethingChanged) {
  TempFolder folder;
  S_ECR_CAP stored = Caption(L"Stored", 0, L"");
  const std::string original = Utf16File(L"; comment kept\r\n[1]\r\n2=" + CCaptionMgr::FormatCaptionLine(stored) + L"\r\n");
  folder.Write("M_ENG.CAP", original);

  CCaptionMgr manager;
  manager.OpenCaptionFile(folder.WPath().c_str(), L"M", L"ENG");
  ASSERT_NE(nullptr, manager.GetCaption(1, 2));
  manager.FlushCaptions();
  EXPECT_EQ(original, folder.Read("M_ENG.CAP")) << "nothing changed, nothing written";

  // Read one caption, change another: both cached captions are written,
  // and captions that were never read are not touched.
  folder.Write("M_ENG.CAP", Utf16File(L"; comment kept\r\n[1]\r\n2=" + CCaptionMgr::FormatCaptionLine(stored) +
                                      L"\r\n3=untouched\u2FFFvalue\r\n"));
  ASSERT_NE(nullptr, manager.GetCaption(1, 2));
  S_ECR_CAP changed = Caption(L"Changed", 1, L"tip");
  manager.SetCaption(1, 9, &changed);
  manager.FlushCaptions();
  std::wstring file = ReadUtf16(folder, "M_ENG.CAP");
  EXPECT_NE(std::wstring::npos, file.find(L"; comment kept"));
  EXPECT_NE(std::wstring::npos, file.find(L"3=untouched\u2FFFvalue"));
  EXPECT_NE(std::wstring::npos, file.find(L"9=")) << "the new key is added to its section";
  EXPECT_NE(std::wstring::npos, file.find(L"Stored"));
}

TEST(CaptionMgrTest, OpeningAnotherLanguageFlushesAndEmptiesTheCache) {
  TempFolder folder;
  CCaptionMgr manager;
  manager.OpenCaptionFile(folder.WPath().c_str(), L"M", L"ENG");
  S_ECR_CAP changed = Caption(L"English", 0, L"");
  manager.SetCaption(16, 1, &changed);
  EXPECT_EQ(0, manager.OpenCaptionFile(folder.WPath().c_str(), L"M", L"DEU"));
  EXPECT_NE(std::wstring::npos, ReadUtf16(folder, "M_ENG.CAP").find(L"English"));
  EXPECT_EQ(nullptr, manager.GetCaption(16, 1)) << "the new file starts with an empty cache";
}

TEST(CaptionMgrTest, SetCaptionWithTheCachedRecordItselfChangesNothing) {
  TempFolder folder;
  CCaptionMgr manager;
  manager.OpenCaptionFile(folder.WPath().c_str(), L"M", L"ENG");
  S_ECR_CAP first = Caption(L"One", 0, L"");
  manager.SetCaption(5, 5, &first);
  S_ECR_CAP* cached = manager.GetCaption(5, 5);
  ASSERT_NE(nullptr, cached);
  manager.SetCaption(5, 5, cached);
  EXPECT_EQ(L"One", manager.GetCaption(5, 5)->text);
  S_ECR_CAP second = Caption(L"Two", 0, L"");
  manager.SetCaption(5, 5, &second);
  EXPECT_EQ(cached, manager.GetCaption(5, 5)) << "the record is updated in place";
  EXPECT_EQ(L"Two", cached->text);
}

TEST(CaptionMgrTest, ParsesDamagedCaptionLines) {
  const struct {
    const char* what;
    std::wstring line;
    int32_t height;
    std::wstring face;
    std::wstring text;
    int32_t toolTip;
  } cases[] = {
      {"non-numeric font fields read as 0", L"x\u2FFFy\u2FFF1\u2FFF2\u2FFF3\u2FFF4\u2FFF5\u2FFF6\u2FFF7\u2FFF8"
                                            L"\u2FFF9\u2FFF10\u2FFF11\u2FFFFace\u2FFFText\u2FFF1\u2FFFTip",
       0, L"Face", L"Text", 1},
      {"fewer than fifteen fields give an empty text", L"12\u2FFF0\u2FFF0", 12, L"", L"", 0},
      {"empty line", L"", 0, L"", L"", 0},
      {"doubled separators count as one", L"9\u2FFF\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0"
                                          L"\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFFArial\u2FFFHi",
       9, L"Arial", L"Hi", 0},
      {"a face name of 40 characters is cut to 31",
       L"1\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF"
       L"ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ\u2FFFT",
       1, L"ABCDEFGHIJABCDEFGHIJABCDEFGHIJA", L"T", 0},
  };
  for (const auto& c : cases) {
    S_ECR_CAP caption;
    CCaptionMgr::ParseCaptionLine(c.line, caption);
    EXPECT_EQ(c.height, caption.font.lfHeight) << c.what;
    EXPECT_EQ(c.face, std::wstring(caption.font.lfFaceName)) << c.what;
    EXPECT_EQ(c.text, caption.text) << c.what;
    EXPECT_EQ(c.toolTip, caption.nToolTip) << c.what;
  }
}

TEST(CaptionMgrTest, AnEmptyFaceNameKeepsTheFieldsInPlace) {
  S_ECR_CAP caption;
  caption.text = L"Text";
  caption.nToolTip = 1;
  caption.toolTip = L"Tip";
  S_ECR_CAP read;
  CCaptionMgr::ParseCaptionLine(CCaptionMgr::FormatCaptionLine(caption), read);
  EXPECT_EQ(L"Text", read.text);
  EXPECT_EQ(1, read.nToolTip);
  EXPECT_EQ(L"Tip", read.toolTip);
  EXPECT_EQ(L"", std::wstring(read.font.lfFaceName));
}

TEST(CaptionMgrTest, ValuesAreCutTo259Characters) {
  TempFolder folder;
  std::wstring longText(400, L'x');
  folder.Write("M_ENG.CAP", Utf16File(L"[0]\r\n1=0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0\u2FFF0"
                                      L"\u2FFF0\u2FFF0\u2FFF0\u2FFFF\u2FFF" + longText + L"\r\n"));
  CCaptionMgr manager;
  manager.OpenCaptionFile(folder.WPath().c_str(), L"M", L"ENG");
  S_ECR_CAP* caption = manager.GetCaption(0, 1);
  ASSERT_NE(nullptr, caption);
  // 13 one-digit numbers, "F" and 14 separators take 28 characters of the 259.
  EXPECT_EQ(259u - 28u, caption->text.size());
}

class CharTableTest : public ::testing::Test {
 protected:
  void Load(const std::string& bytes) {
    folder.Write("M_ECR.CNV", bytes);
    ASSERT_EQ(1, manager.LoadCharTable(folder.WPath().c_str(), L"m"));
  }
  TempFolder folder;
  CCaptionMgr manager;
};

TEST_F(CharTableTest, LinesMapCodesAndCharactersBothWays) {
  Load(Utf16File(L"// comment=41\r\nA=41\r\n==3D\r\n  // not a comment but no equals\r\n"
                 L"\u00e9 = 82 \r\nX=141\r\njunk line\r\n=20\r\n"));
  std::wstring text;
  manager.EcrToText(std::string("\x41\x3D\x82\x42", 4), text);
  EXPECT_EQ(L"X=\u00e9B", text) << "0x41 overwritten by X=141; 0x42 falls back to the code page";

  std::string bytes;
  manager.TextToEcr(L"A=\u00e9X\u20ac", bytes);
  EXPECT_EQ(std::string("\x41\x3D\x82\x41\x80", 5), bytes)
      << "A still maps to 0x41; the euro sign falls back to the code page";
  manager.EcrToText(std::string("\x20", 1), text);
  EXPECT_EQ(std::wstring(1, L'\0'), text) << "an empty left part is the character 0";
}

TEST_F(CharTableTest, ByteOrderMarksSelectTheEncoding) {
  Load("\xEF\xBB\xBF\xC3\xA9=41\n");
  std::wstring text;
  manager.EcrToText("A", text);
  EXPECT_EQ(L"\u00e9", text);

  // Without a byte-order mark the file is taken as UTF-16LE.
  CCaptionMgr other;
  folder.Write("N_ECR.CNV", platform::WideToUtf16Le(L"Z=41\r\n"));
  ASSERT_EQ(1, other.LoadCharTable(folder.WPath().c_str(), L"N"));
  other.EcrToText("A", text);
  EXPECT_EQ(L"Z", text);
}

TEST_F(CharTableTest, AMissingTableIsNotTriedAgain) {
  EXPECT_EQ(0, manager.LoadCharTable(folder.WPath().c_str(), L"M"));
  folder.Write("M_ECR.CNV", Utf16File(L"Z=41\r\n"));
  EXPECT_EQ(1, manager.LoadCharTable(folder.WPath().c_str(), L"M")) << "same path: already current";
  std::wstring text;
  manager.EcrToText("A", text);
  EXPECT_EQ(L"A", text) << "still the code page";
}

TEST_F(CharTableTest, JunkNeverCrashes) {
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 7919) % 251));
  folder.Write("M_ECR.CNV", junk);
  manager.LoadCharTable(folder.WPath().c_str(), L"M");
  std::wstring text;
  manager.EcrToText(junk, text);
  EXPECT_EQ(junk.size(), text.size());
}

}  // namespace
