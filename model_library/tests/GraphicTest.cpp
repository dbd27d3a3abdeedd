// Logo files into bitmap rows.
#include <gtest/gtest.h>

#include "model_library/reports/EcrGraphic.h"
#include "testing/TempFolder.h"

namespace {

// The dot at (x, y) of the bitmap rows: a 0 bit is a printed dot.
bool Printed(const CEcrGraphic& logo, int x, int y) {
  uint8_t byte = logo.m_abPixels[static_cast<size_t>(y) * 36 + x / 8];
  return !(byte & (0x80 >> (x % 8)));
}

TEST(GraphicTest, DescriptorsCarryTheLogoSizes) {
  CGrpHead head;
  CGrpFoot foot;
  EXPECT_EQ(288, head.GetTable(0)->nFieldCount);
  EXPECT_EQ(216, head.GetTable(0)->nRecordCount);
  EXPECT_EQ(288, foot.GetTable(0)->nFieldCount);
  EXPECT_EQ(108, foot.GetTable(0)->nRecordCount);
  EXPECT_EQ(nullptr, foot.GetTable(1));
  EXPECT_EQ(7776u, head.m_abPixels.size());
  EXPECT_EQ(3888u, foot.m_abPixels.size());
  EXPECT_EQ(L"E7H", head.m_strCode);
  EXPECT_EQ(L"E7F", foot.m_strCode);
  EXPECT_EQ(1, head.m_anPictraParam[2]);
  EXPECT_EQ(0, head.Save(nullptr));
}

TEST(GraphicTest, RowsRunFromTheRightWithBitZeroLeftmost) {
  TempFolder folder;
  std::string file(7776, '\0');
  file[35] = '\x01';  // last byte of the first row: its bit 0 is the top-left dot
  file[0] = '\x80';   // first byte: its bit 7 is dot 287
  folder.Write("GRP_HEAD.ECR", file);
  CGrpHead head;
  ASSERT_EQ(1, head.SetFolder(folder.WPath().c_str()));
  ASSERT_EQ(1, head.Load(nullptr));
  EXPECT_TRUE(Printed(head, 0, 0));
  for (int x = 1; x < 8; ++x) EXPECT_FALSE(Printed(head, x, 0)) << x;
  EXPECT_TRUE(Printed(head, 287, 0));
  EXPECT_FALSE(Printed(head, 286, 0));
  EXPECT_FALSE(Printed(head, 0, 1));
}

TEST(GraphicTest, ArrangementsOfTheFirstParameter) {
  TempFolder folder;
  std::string file(3888, '\0');
  file[0] = '\x01';
  folder.Write("logo.ecr", file);
  const struct {
    int arrangement;
    int printedX;
  } cases[] = {{0, 280}, {1, 7}, {2, 287}, {3, 0}};
  for (const auto& c : cases) {
    CGrpFoot foot;
    foot.m_anPictraParam[0] = c.arrangement;
    ASSERT_EQ(1, foot.LoadFile(folder.WPath().c_str(), L"LOGO.ECR"));
    for (int x = 0; x < 288; ++x) EXPECT_EQ(x == c.printedX, Printed(foot, x, 0)) << c.arrangement << " " << x;
  }
}

TEST(GraphicTest, ShortFilesAndMissingFilesFail) {
  TempFolder folder;
  folder.Write("GRP_FOOT.ECR", std::string(3887, '\0'));
  CGrpFoot foot;
  foot.SetFolder(folder.WPath().c_str());
  EXPECT_EQ(0, foot.Load(nullptr));
  EXPECT_EQ(0, foot.m_bLoaded);

  foot.m_strFolder = L"/keep";
  foot.m_strFile = L"KEEP.ECR";
  EXPECT_EQ(0, foot.LoadFile(folder.WPath().c_str(), L"none.ecr"));
  EXPECT_EQ(L"/keep", foot.m_strFolder);
  EXPECT_EQ(L"KEEP.ECR", foot.m_strFile);

  folder.Write("long.ecr", std::string(5000, '\xFF'));
  ASSERT_EQ(1, foot.LoadFile(folder.WPath().c_str(), L"long.ecr")) << "extra bytes are ignored";
  EXPECT_TRUE(Printed(foot, 0, 107));
}

TEST(GraphicTest, ResetReleasesTheBitmapAndTheFolder) {
  TempFolder folder;
  folder.Write("GRP_HEAD.ECR", std::string(7776, '\0'));
  CGrpHead head;
  head.SetFolder(folder.WPath().c_str());
  ASSERT_EQ(1, head.Load(nullptr));
  EXPECT_EQ(1, head.m_bitmap.bCreated);
  EXPECT_EQ(288, head.m_bitmap.nWidth);
  EXPECT_EQ(0, head.Reset());
  EXPECT_EQ(0, head.m_bitmap.bCreated);
  EXPECT_EQ(0, head.m_bLoaded);
  EXPECT_EQ(0, head.m_bExists);
  EXPECT_TRUE(head.m_strFolder.empty());
  EXPECT_EQ(0, head.Load(nullptr)) << "no folder after Reset";
  EXPECT_EQ(1, head.SetFolder(folder.WPath().c_str())) << "the register file name survives Reset";
}

TEST(GraphicTest, AGraphicOfItsOwnHasTheDefaultConverterParameters) {
  CEcrGraphic logo(L"Logo", 2, L"LOGO.ECR", 8000, 288, 108);
  const int expected[5] = {0, 1, 10, 40, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(expected[i], logo.m_anPictraParam[i]);
  EXPECT_EQ(KIND_GRAPHIC, logo.m_nKind);
  EXPECT_EQ(1, logo.m_nBitsPerPixel);
  EXPECT_EQ(1, logo.GetTableCount());
  EXPECT_EQ(0, logo.HasCountPrefix());
}

}  // namespace
