// The common frame of the three record files ("DEPT.ECR", "PLU.ECR",
// "CLERK.ECR"): a word with the record count, a block that holds the group or
// system settings, then the records. Each file offers two tables: the rows of
// the block and the record list proper.
#pragma once

#include <vector>

#include "model_library/EcrData.h"
#include "model_library/data/RecordLayout.h"
#include "model_library/data/TableDef.h"

// What differs between the record files, given as data by each class.
struct RecordFileLayout {
  const wchar_t* pszFile;
  int nBlockSize;                  // bytes between the count word and the records
  const FieldPlace* pBlockPlaces;  // fields of a block row; null: the block itself is the rows
  int nBlockStride;                // bytes of one block row
  int nRecordSize;                 // bytes of one record
  const FieldPlace* pRecordPlaces;
  int nCapacity;                   // most records the file may hold
  bool bRowsFollowFile;            // the record table shows exactly the file's records
};

class CRecordListRam : public CEcrData {
 public:
  enum { BLOCK_TABLE, RECORD_TABLE, TABLE_COUNT };
  static constexpr int COUNT_SIZE = 2;

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
  int HasCountPrefix() override { return 1; }

 protected:
  // Both tables are built from their definitions; their rows live in this object.
  CRecordListRam(const wchar_t* name, int transferLine, const RecordFileLayout& layout,
                 const TableDef& blockDef, const FieldDef* blockFields, int blockFieldCount,
                 const TableDef& recordDef, const FieldDef* recordFields, int recordFieldCount);

  // A record row that the file did not fill; zero unless a class has defaults.
  virtual void ClearRecordRow(int row);
  // Number of leading record rows that Save writes, or -1 to refuse the save.
  virtual int RecordsToSave();

  stTable_t& RecordTable() { return m_aTables[RECORD_TABLE]; }
  // Bytes of the record that row `row` was read from, so that a save keeps
  // the bytes no field uses. Classes that reorder rows reorder these too.
  uint8_t* RecordImage(int row) {
    return m_abRecordImage.data() + static_cast<size_t>(row) * m_layout.nRecordSize;
  }

 private:
  void UnpackBlock();
  void PackBlock();
  // Reads count, block and records from the file's bytes into the image;
  // returns whether the file was complete and held nothing more.
  bool ReadImage(const std::vector<uint8_t>& file, int& count, int& recordsRead);

  const RecordFileLayout& m_layout;
  stTable_t m_aTables[TABLE_COUNT];
  std::vector<uint8_t> m_abBlock;        // the block as read
  std::vector<uint8_t> m_abBlockRows;    // block rows, when they are not the block itself
  std::vector<uint8_t> m_abRecordRows;   // capacity rows
  std::vector<uint8_t> m_abRecordImage;  // capacity records as read
};
