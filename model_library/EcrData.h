// The model library's contract with the programs that load it: the data
// object base class with its ordered virtual interface, and the table and
// field descriptors through which callers read and write rows directly.
// Shared by the library, the main tool and the tools; free of Qt.
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>
#include <vector>

class CEcrData;

constexpr int MAX_TABLE_FIELDS = 50;
constexpr int DESCRIPTOR_CAPTION_CHARS = 64;

// Field type word: storage type in the low byte, display flags above it.
enum : uint32_t {
  FT_TEXT = 0,
  FT_U8 = 1,
  FT_U16 = 2,
  FT_U32 = 4,  // shown as a signed 32-bit number
  FT_AMOUNT6 = 6,
  FT_I64 = 8,
  FT_S8 = 17,
  FT_S16 = 18,
  FT_S32 = 20,
  FT_STORAGE_MASK = 0xFF,

  FT_PACKED = 0x100,        // packed decimal digits, shown as hexadecimal digits
  FT_LEADING_ZEROS = 0x200,
  FT_ALIGN_LEFT = 0x400,
  FT_ALIGN_RIGHT = 0x800,
  FT_ALIGN_CENTRE = 0xC00,
  FT_ALIGN_MASK = 0xC00,
  FT_GREY_OUTSIDE = 0x1000,  // outside [min, max]: greyed and read-only
  FT_EDITABLE = 0x2000,
  FT_RAW_TEXT = 0x4000,      // text shown as stored, without the character table
};

// How the record card edits a field.
enum { INPUT_NONE = -1, INPUT_EDIT = 0, INPUT_LIST = 1, INPUT_BUTTONS = 2 };
// How an entered value is validated.
enum { CHECK_NONE = 0, CHECK_RANGE = 1, CHECK_OWNER = 2 };

struct stField_t {
  uint32_t uId;                                // caption number under WND_TABLE_CAPTIONS
  wchar_t szCaption[DESCRIPTOR_CAPTION_CHARS];  // built-in caption
  uint32_t uType;                              // type word (FT_*)
  int nInput;                                  // INPUT_*
  int nCheck;                                  // CHECK_*
  int nWidth;                                  // bytes for text, digits for numbers
  double dMin;
  double dMax;
  int nLevel;                                  // display level
  int nListWnd;                                // window number of the object giving the choices, 0 for none
  int nListTable;
  int nListField;
  int nOffset;                                 // byte offset in a row; computed at construction
};

struct stTable_t {
  uint32_t uId;                                // caption number under WND_TABLE_CAPTIONS
  wchar_t szCaption[DESCRIPTOR_CAPTION_CHARS];
  int nFieldCount;
  int nRecordCount;
  int nSortField;                              // -1: the table cannot be sorted
  int nLevel;                                  // display level; 98 for the record lists
  uint8_t* pRows;                              // row 0 in the owning object
  CEcrData* pOwner;
  int nRecordSize;
  stField_t aFields[MAX_TABLE_FIELDS];
};

// Address of a value: rows + row × record size + field offset.
inline uint8_t* FieldValue(const stTable_t& table, int row, int field) {
  return table.pRows + static_cast<size_t>(row) * table.nRecordSize + table.aFields[field].nOffset;
}

// Index of the field whose caption number is `id`, or -1 when the table has none.
inline int FindField(const stTable_t& table, uint32_t id) {
  for (int field = 0; field < table.nFieldCount && field < MAX_TABLE_FIELDS; ++field)
    if (table.aFields[field].uId == id) return field;
  return -1;
}

// Argument of CheckValue: which value, the entered text, and where a refusal's
// message goes.
struct CheckReq {
  stTable_t* pTable;
  int nField;
  int nRow;
  const wchar_t* pszText;
  double dValue;
  std::wstring* pstrMessage;
};

// One report file found in the data folder.
struct Report_s {
  int nKind;
  std::wstring strPath;
};

// Root of the data objects: run-time class, destructor and serialization hook
// come first in the table of virtual functions.
class CObject {
 public:
  virtual const std::type_info& GetRuntimeClass() const { return typeid(*this); }
  virtual ~CObject() = default;
  virtual void Serialize(void* /*archive*/) {}
};

// Object kinds.
enum { KIND_REGISTER = 0, KIND_REGISTER_ALT = 1, KIND_OPTIONS = 2, KIND_REPORTS = 3,
       KIND_CSV_REPORTS = 4, KIND_GRAPHIC = 5 };

class CEcrData : public CObject {
 public:
  CEcrData(const wchar_t* name, int kind, int transferLine);

  std::wstring m_strFolder;
  std::wstring m_strFile;
  std::wstring m_strName;
  int m_nKind;
  int m_nTransferLine;
  int m_bExists;
  int m_bLoaded;
  int m_nChanges;

  // The order of these operations is part of the library's interface.
  virtual int SetFolder(const wchar_t* folder);
  virtual int Reset();
  virtual int Load(const wchar_t* folder) = 0;
  virtual int Save(const wchar_t* folder) = 0;
  virtual int GetTableCount() = 0;
  virtual stTable_t* GetTable(int index) = 0;
  virtual int Sort(int table);
  virtual int CheckValue(CheckReq* request);
  virtual int ExportText(int table, const wchar_t* path);
  virtual int ImportText(int table, const wchar_t* path);
  virtual int HasCountPrefix();
  virtual int Spare();
  virtual int SpareTable(int table);

  // Folder set-up: remembers folder and file name and tests whether the file
  // exists with a size other than 0. Returns m_bExists.
  int SetUpFolder(const wchar_t* folder, const wchar_t* file);
  // Computes field offsets and the record size of a descriptor.
  static void PrepareTable(stTable_t& table);

 protected:
  // Path of m_strFile inside the folder, matching an existing name in any case.
  std::wstring FilePathIn(const std::wstring& folder) const;
  // First steps of Load: clears m_bLoaded, takes a given folder; false when
  // there is no folder to load from.
  bool BeginLoad(const wchar_t* folder);
  // Reads the register file of the current folder, at most maxBytes bytes.
  bool ReadRegisterFile(std::vector<uint8_t>& bytes, size_t maxBytes);
  // Save frame: writes the bytes as m_strFile into the given folder, or into
  // m_strFolder when null, replacing the old file only when complete.
  int WriteRegisterFile(const wchar_t* folder, const std::vector<uint8_t>& bytes);
};
