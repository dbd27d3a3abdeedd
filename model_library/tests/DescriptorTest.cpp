// Descriptor preparation and the base class's folder and file frame.
#include <gtest/gtest.h>

#include "model_library/data/TableDef.h"
#include "testing/TempFolder.h"

namespace {

// A minimal record-file object: one table of three rows over a byte buffer.
class CSample : public CEcrData {
 public:
  CSample() : CEcrData(L"SAMPLE", KIND_REGISTER, 9) {
    static const FieldDef fields[] = {
        {L"NAME", 1, 0x2400, 18, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
        {L"BYTE", 2, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 0, 9, 2, NO_LIST},
        {L"WORD", 3, 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 2, NO_LIST},
        {L"AMOUNT", 4, 0x2b06, 11, INPUT_EDIT, CHECK_OWNER, -1, 1, 2, NO_LIST},
    };
    BuildTable(m_table, TableDef{10, L"SAMPLE TABLE", 3, -1, 2}, fields, m_rows, this);
  }
  int SetFolder(const wchar_t* folder) override { return SetUpFolder(folder, L"SAMPLE.ECR"); }
  int Load(const wchar_t* folder) override {
    std::vector<uint8_t> bytes;
    if (!BeginLoad(folder) || !ReadRegisterFile(bytes, sizeof m_rows)) return 0;
    std::copy(bytes.begin(), bytes.end(), m_rows);
    m_bLoaded = 1;
    return 1;
  }
  int Save(const wchar_t* folder) override {
    return WriteRegisterFile(folder, std::vector<uint8_t>(m_rows, m_rows + sizeof m_rows));
  }
  int GetTableCount() override { return 1; }
  stTable_t* GetTable(int index) override { return index == 0 ? &m_table : nullptr; }

  stTable_t m_table;
  uint8_t m_rows[3 * 27] = {};
};

TEST(DescriptorTest, OffsetsAndRecordSizeFollowTheFields) {
  CSample sample;
  const stTable_t& table = sample.m_table;
  EXPECT_EQ(0, table.aFields[0].nOffset);
  EXPECT_EQ(18, table.aFields[1].nOffset);
  EXPECT_EQ(19, table.aFields[2].nOffset);
  EXPECT_EQ(21, table.aFields[3].nOffset);
  EXPECT_EQ(27, table.nRecordSize);
  EXPECT_EQ(&sample, table.pOwner);
  EXPECT_EQ(sample.m_rows, table.pRows);
  EXPECT_STREQ(L"SAMPLE TABLE", table.szCaption);
  EXPECT_EQ(sample.m_rows + 27 + 19, FieldValue(table, 1, 2));
}

TEST(DescriptorTest, InvalidTypesOccupyNoBytes) {
  stTable_t table{};
  table.nFieldCount = 4;
  const uint32_t types[] = {FT_U8, 3, FT_I64, 9};
  for (int i = 0; i < 4; ++i) {
    table.aFields[i].uType = types[i];
    table.aFields[i].nWidth = 5;
  }
  CEcrData::PrepareTable(table);
  EXPECT_EQ(1, table.aFields[2].nOffset);
  EXPECT_EQ(9, table.aFields[3].nOffset);
  EXPECT_EQ(9, table.nRecordSize);
}

TEST(DescriptorTest, CaptionsAreCutToTheirArray) {
  stTable_t table;
  std::wstring longCaption(100, L'C');
  FieldDef field{longCaption.c_str(), 1, 0x400, 4, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST};
  BuildTable(table, TableDef{1, longCaption.c_str(), 1, -1, 2}, &field, 1, nullptr, nullptr);
  EXPECT_EQ(63u, std::wstring(table.szCaption).size());
  EXPECT_EQ(63u, std::wstring(table.aFields[0].szCaption).size());
}

TEST(DescriptorTest, FolderSetUpLoadAndSaveFrames) {
  TempFolder folder;
  CSample sample;
  EXPECT_EQ(0, sample.Load(nullptr)) << "no folder yet";
  EXPECT_EQ(0, sample.m_bLoaded);

  EXPECT_EQ(0, sample.SetFolder(folder.WPath().c_str())) << "no file";
  folder.Write("sample.ecr", "");
  EXPECT_EQ(0, sample.SetFolder(folder.WPath().c_str())) << "an empty file does not count";
  EXPECT_EQ(0, sample.SetFolder((folder.WPath() + L"/missing").c_str()));

  folder.Write("sample.ecr", std::string(81, 'a'));
  EXPECT_EQ(1, sample.SetFolder(folder.WPath().c_str()));
  ASSERT_EQ(1, sample.Load(nullptr));
  EXPECT_EQ('a', sample.m_rows[80]);

  // Save with a folder argument writes there and keeps m_strFolder.
  TempFolder other;
  sample.m_rows[0] = 'Z';
  ASSERT_EQ(1, sample.Save(other.WPath().c_str()));
  EXPECT_EQ(folder.WPath(), sample.m_strFolder);
  EXPECT_EQ('Z', other.Read("SAMPLE.ECR")[0]);
  ASSERT_EQ(1, sample.Save(nullptr));
  EXPECT_EQ('Z', folder.Read("sample.ecr")[0]) << "the existing spelling is replaced";
  EXPECT_FALSE(folder.Exists("SAMPLE.ECR"));

  // Reset forgets folder, flags and the count of unsaved changes (the main
  // tool raises it as values are entered) but keeps the rows.
  sample.m_nChanges = 3;
  EXPECT_EQ(0, sample.Reset());
  EXPECT_EQ(0, sample.m_nChanges);
  EXPECT_TRUE(sample.m_strFolder.empty());
  EXPECT_TRUE(sample.m_strFile.empty());
  EXPECT_EQ(0, sample.m_bLoaded);
  EXPECT_EQ('Z', sample.m_rows[0]);
  EXPECT_EQ(0, sample.Save(nullptr)) << "no folder to save into";
}

TEST(DescriptorTest, BaseOperationsAnswerTheirDefaults) {
  CSample sample;
  CheckReq request{};
  EXPECT_EQ(0, sample.Sort(0));
  EXPECT_EQ(1, sample.CheckValue(&request));
  EXPECT_EQ(0, sample.HasCountPrefix());
  EXPECT_EQ(1, sample.Spare());
  EXPECT_EQ(1, sample.SpareTable(5));
  EXPECT_EQ(0, sample.m_nChanges);
}

}  // namespace
