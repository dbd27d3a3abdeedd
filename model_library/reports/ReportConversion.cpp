#include "model_library/reports/ReportConversion.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "common/CaptionCell.h"
#include "common/ValueFormat.h"
#include "model_library/reports/ReportEcr.h"
#include "model_library/reports/ReportValueFormat.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

constexpr size_t kInputBufferSize = 64 * 1024;

// Sizes of the values of the report file layouts.
constexpr size_t kCountSize = 2;
constexpr size_t kAmountSize = 8;
constexpr size_t kQuantitySize = 6;
constexpr size_t kNameSize = 18;
constexpr size_t kCaptionSize = 12;
// A sales triple: signed count (not converted), quantity, amount.
constexpr size_t kTripleSize = 16;
constexpr size_t kTripleQuantity = 2;
constexpr size_t kTripleAmount = 8;
constexpr int kTriplesPerRecord = 3;

// Name lists of fixed length.
constexpr int kDepartmentGroupNames = 9;
constexpr int kPluGroupNames = 99;

// The entry forms of financial data and their sizes.
enum class Form { C, A, D, S };
constexpr size_t FormSize(Form form) {
  return form == Form::C ? kCaptionSize + kCountSize + kAmountSize
         : form == Form::A ? kCaptionSize + kAmountSize
         : form == Form::D ? kAmountSize
                           : kCaptionSize + kCountSize;
}

// The financial block as runs of entries of one form. The heads of the three
// groups carry the group number; their D entries take derived captions.
struct FinancialRun {
  Form form;
  int nCount;
  int nGroup;
};
constexpr FinancialRun kFinancialBlock[] = {
    {Form::C, 1, 0},  {Form::A, 1, 0}, {Form::C, 1, 0},  {Form::A, 1, 1}, {Form::D, 4, 1},
    {Form::A, 1, 2},  {Form::D, 4, 2}, {Form::A, 1, 3},  {Form::D, 4, 3}, {Form::A, 1, 0},
    {Form::C, 4, 0},  {Form::A, 2, 0}, {Form::C, 11, 0}, {Form::S, 1, 0}, {Form::C, 4, 0},
    {Form::A, 2, 0},  {Form::C, 10, 0}, {Form::A, 9, 0}, {Form::C, 4, 0}, {Form::S, 3, 0},
};
constexpr size_t FinancialBlockSize() {
  size_t size = 0;
  for (const FinancialRun& run : kFinancialBlock) size += FormSize(run.form) * static_cast<size_t>(run.nCount);
  return size;
}
constexpr size_t kFinancialBlockSize = 1282;
static_assert(FinancialBlockSize() == kFinancialBlockSize, "the financial block is 1282 bytes");
constexpr int kFinancialHeaderEntries = 3;  // A entries before the block of a financial report

// Clerk header of the clerks layout: clerk number, name, commission rate.
constexpr size_t kClerkHeaderSize = 1 + kNameSize + kCountSize;
// Record sizes of the layouts read until the file ends.
constexpr size_t kClerkItemSize = kAmountSize + kNameSize + kTriplesPerRecord * kTripleSize;       // 74
constexpr size_t kDepartmentRecordSize = 2 + kNameSize + kTripleSize;                              // 36
constexpr size_t kPluRecordSize = kAmountSize + kNameSize + 2 + kQuantitySize + 3 * kTripleSize;   // 82
constexpr size_t kUrgentPluRecordSize = kAmountSize + 1 + kTriplesPerRecord * kTripleSize;         // 57
constexpr size_t kHourlyRecordSize = kCountSize + kAmountSize;                                     // 10
constexpr int kHours = 24;
constexpr size_t kOpenTableRecordSize = 2 + kAmountSize;                                           // 10
constexpr size_t kTrainingDepartmentSize = 2 + kTripleSize;                                        // 18
constexpr size_t kJournalRecordSize = 24;
constexpr size_t kJournalSeparatorSize = 2;  // CR LF
constexpr uint8_t kEndOfItems = 0xFF;        // ends a clerk's items, and the training-clerk sections

bool IsJournal(int kind) {
  return (kind >= RK_JOURNAL_FULL && kind <= RK_JOURNAL_DAILY) || kind == RK_REALTIME_EJ;
}

// A name of a name list: cut at the first 0 byte, 0xFF read as a space,
// converted with the code page; trailing spaces stay.
std::wstring ListName(const uint8_t* bytes, size_t size) {
  std::string text;
  for (size_t i = 0; i < size && bytes[i] != 0; ++i) text.push_back(bytes[i] == 0xFF ? ' ' : static_cast<char>(bytes[i]));
  return platform::Cp1252ToWide(text);
}

class NameList {
 public:
  void Read(CReportInput& input, int count, size_t entrySize) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * entrySize);
    input.ReadFixed(bytes.data(), bytes.size());
    m_names.clear();
    for (int i = 0; i < count; ++i) m_names.push_back(ListName(bytes.data() + static_cast<size_t>(i) * entrySize, entrySize));
  }
  // The name of a 1-based number, empty for 0; false when the number lies
  // past the end of the list.
  bool Find(int number, const std::wstring*& name) const {
    static const std::wstring kNone;
    if (number > static_cast<int>(m_names.size())) return false;
    name = number == 0 ? &kNone : &m_names[static_cast<size_t>(number) - 1];
    return true;
  }

 private:
  std::vector<std::wstring> m_names;
};

// The caption of a D entry, derived step by step from its group head:
// 1 -> 2, then 2 -> 3, then 3 -> 4, then the total.
void ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}
void DeriveCaption(std::wstring& caption, int step, int group) {
  switch (step) {
    case 1: ReplaceAll(caption, L"1", L"2"); break;
    case 2: ReplaceAll(caption, L"2", L"3"); break;
    case 3: ReplaceAll(caption, L"3", L"4"); break;
    default:
      ReplaceAll(caption, group == 2 ? L"4" : L"TL4", L"");
      caption.insert(0, L"TOTAL ");
      break;
  }
}

// The fields of a PLU line, which the PLU and training-clerk reports take
// from their own descriptors.
struct PluFields {
  const stField_t* pCode;
  const stField_t* pName;
  const stField_t* pDepartment;
  const stField_t* pGroup;
  const stField_t* pStock;
};

// The layout readers. Each writes the lines of its family and answers 1 or 0
// as the conversion's result.
class CReportWriter {
 public:
  CReportWriter(CReportEcr& store, CReportInput& input, CCsvOutput& output)
      : m_store(store), m_in(input), m_out(output) {
    m_pCaption = &Field(RK_FINANCIAL, L"Caption", kCaptionSize);
    m_pCount = &Field(RK_FINANCIAL, L"cnt", kCountSize);
    m_pCountAmount = &Field(RK_FINANCIAL, L"amt", kAmountSize);
    m_pBcd15 = &Field(RK_FINANCIAL, L"bcd15", kAmountSize);
    m_pShort = &Field(RK_FINANCIAL, L"short", kCountSize);
    m_pQuantity = &Field(RK_CLERK_SALES, L"qty", kQuantitySize);
    m_pAmount = &Field(RK_CLERK_SALES, L"amt", kAmountSize);
    LearnCharacterMap();
  }

  int Write(int kind) {
    switch (kind) {
      case RK_FINANCIAL: case RK_FINANCIAL_GT: return WriteFinancial();
      case RK_ALL_CLERK: case RK_ALL_CLERK_GT: case RK_TRAINING_CLERK_GT: return WriteClerks();
      case RK_CLERK_SALES: return WriteClerkSales();
      case RK_ALL_DEPARTMENT: case RK_ALL_DEPARTMENT_GT: return WriteDepartments();
      case RK_ALL_PLU: case RK_ALL_PLU_GT: return WritePlus();
      case RK_URGENT_PLU: return WriteUrgentPlus();
      case RK_HOURLY: return WriteHourly();
      case RK_OPEN_TABLE_ALL: case RK_OPEN_TABLE_ONE: return WriteOpenTables();
      case RK_TRAINING_CLERK: return WriteTrainingClerks();
      default: return IsJournal(kind) ? WriteJournal() : 0;
    }
  }

 private:
  // The descriptor field of a kind by its caption. A field that does not fit
  // the value it formats gives one that formats as "?", so that no format
  // reads past a value.
  const stField_t& Field(int kind, const wchar_t* caption, size_t valueSize) const {
    static const stField_t kUnusable = [] { stField_t field{}; field.uType = 0xFF; return field; }();
    const stTable_t* table = m_store.GetTable(kind);
    for (int i = 0; table && i < MAX_TABLE_FIELDS; ++i) {
      const stField_t& field = table->aFields[i];
      if (std::wcscmp(field.szCaption, caption) != 0) continue;
      int size = StorageSize(field);
      return (size > 0 && static_cast<size_t>(size) <= valueSize) ? field : kUnusable;
    }
    return kUnusable;
  }

  // The caption manager converts register bytes one by one (through its
  // character table, or the code page); asked once for all 256 codes, its
  // answer converts every text of the report without a call per value.
  // A manager whose answer is not one character a byte is asked per value.
  void LearnCharacterMap() {
    m_pManager = CurrentCaptionManager();
    if (!m_pManager) return;
    std::string codes(256, '\0');
    for (int code = 0; code < 256; ++code) codes[static_cast<size_t>(code)] = static_cast<char>(code);
    m_pManager->EcrToText(codes, m_charMap);
    if (m_charMap.size() != codes.size()) m_charMap.clear();
  }

  // Values, as FormatValue gives them. Texts read every 0xFF byte as a
  // space first. The common report types are formatted here without
  // allocating; the rest goes through FormatValue itself.
  const std::wstring& TextOf(const stField_t& field, const uint8_t* value) {
    const size_t width = static_cast<size_t>(std::max(0, std::min(field.nWidth, 255)));
    if ((field.uType & FT_STORAGE_MASK) != FT_TEXT || (field.uType & FT_RAW_TEXT)) {
      uint8_t bytes[256];
      for (size_t i = 0; i < width; ++i) bytes[i] = value[i] == 0xFF ? ' ' : value[i];
      FormatValue(bytes, m_text, field);
      return m_text;
    }
    const void* end = std::memchr(value, 0, width);
    const size_t length = end ? static_cast<size_t>(static_cast<const uint8_t*>(end) - value) : width;
    if (!m_charMap.empty()) {
      m_text.resize(length);
      for (size_t i = 0; i < length; ++i) m_text[i] = m_charMap[value[i] == 0xFF ? ' ' : value[i]];
    } else {
      m_bytes.assign(reinterpret_cast<const char*>(value), length);
      std::replace(m_bytes.begin(), m_bytes.end(), '\xFF', ' ');
      m_text.clear();
      if (m_pManager) m_pManager->EcrToText(m_bytes, m_text);
    }
    while (!m_text.empty() && (m_text.back() == L' ' || (m_text.back() >= L'\t' && m_text.back() <= L'\r')))
      m_text.pop_back();
    return m_text;
  }
  const std::wstring& NumberOf(const stField_t& field, const uint8_t* value) {
    char text[REPORT_NUMBER_CHARS];
    int length = FormatReportNumber(field, value, text);
    if (length < 0) {
      FormatValue(value, m_text, field);
    } else {
      m_text.assign(text, text + length);
    }
    return m_text;
  }
  void Text(const stField_t& field, const uint8_t* value) { m_out.Value(TextOf(field, value)); }
  void Number(const stField_t& field, const uint8_t* value) {
    char text[REPORT_NUMBER_CHARS];
    int length = FormatReportNumber(field, value, text);
    if (length < 0) {
      m_out.Value(NumberOf(field, value));
    } else {
      m_out.Value(text, static_cast<size_t>(length));
    }
  }
  void Amount(const stField_t& field, const uint8_t* value) {
    if (m_store.m_bDecimalPoint) {
      m_out.Value(InsertDecimalPoint(NumberOf(field, value)));
    } else {
      Number(field, value);
    }
  }
  void WriteCountAmount(const uint8_t* count, const uint8_t* amount) {
    Number(*m_pCount, count);
    Amount(*m_pCountAmount, amount);
  }
  void WriteQtyAmount(const uint8_t* triple) {
    Number(*m_pQuantity, triple + kTripleQuantity);
    Amount(*m_pAmount, triple + kTripleAmount);
  }
  void WriteTriples(const uint8_t* triples) {
    for (int i = 0; i < kTriplesPerRecord; ++i) WriteQtyAmount(triples + static_cast<size_t>(i) * kTripleSize);
  }

  int WriteFinancialBlock() {
    uint8_t block[kFinancialBlockSize];
    m_in.ReadFixed(block, sizeof block);
    const uint8_t* entry = block;
    std::wstring derived;
    for (const FinancialRun& run : kFinancialBlock) {
      for (int i = 0; i < run.nCount; ++i, entry += FormSize(run.form)) {
        switch (run.form) {
          case Form::C:
            Text(*m_pCaption, entry);
            WriteCountAmount(entry + kCaptionSize, entry + kCaptionSize + kCountSize);
            break;
          case Form::A:
            Text(*m_pCaption, entry);
            if (run.nGroup) derived = m_text;
            m_out.EmptyValues(1);
            Amount(*m_pBcd15, entry + kCaptionSize);
            break;
          case Form::S:
            Text(*m_pCaption, entry);
            m_out.EmptyValues(1);
            Number(*m_pShort, entry + kCaptionSize);
            break;
          case Form::D:
            DeriveCaption(derived, i + 1, run.nGroup);
            m_out.Value(derived);
            m_out.EmptyValues(1);
            Amount(*m_pBcd15, entry);
            break;
        }
        m_out.EndLine();
      }
    }
    return 1;
  }

  int WriteFinancial() {
    uint8_t header[kFinancialHeaderEntries * FormSize(Form::A)];
    m_in.ReadFixed(header, sizeof header);
    for (int i = 0; i < kFinancialHeaderEntries; ++i) {
      const uint8_t* entry = header + static_cast<size_t>(i) * FormSize(Form::A);
      Text(*m_pCaption, entry);
      m_out.EmptyValues(1);
      Amount(*m_pBcd15, entry + kCaptionSize);
      m_out.EndLine();
    }
    return WriteFinancialBlock();
  }

  int WriteClerks() {
    const stField_t& number = Field(RK_ALL_CLERK, L"Clerk#", 1);
    const stField_t& name = Field(RK_ALL_CLERK, L"Caption", kNameSize);
    const stField_t& rate = Field(RK_ALL_CLERK, L"CommitionRate", kCountSize);
    bool anyClerk = false;
    uint8_t header[kClerkHeaderSize];
    while (m_in.ReadWhole(header, sizeof header)) {
      anyClerk = true;
      Number(number, header);
      Text(name, header + 1);
      Number(rate, header + 1 + kNameSize);
      m_out.EndLine();
      WriteFinancialBlock();
    }
    return anyClerk ? 1 : 0;
  }

  int WriteClerkSales() {
    uint8_t mode;
    if (!m_in.ReadByte(mode)) return 0;
    return (mode & 0x02) ? WriteItemisedClerkSales() : WritePositionalClerkSales();
  }

  // Each clerk's items, one line each, until an item that begins with 0xFF.
  int WriteItemisedClerkSales() {
    const stField_t& number = Field(RK_CLERK_SALES, L"No", 1);
    const stField_t& name = Field(RK_CLERK_SALES, L"Caption", kNameSize);
    const stField_t& code = Field(RK_CLERK_SALES, L"PLU#", kAmountSize);
    bool started = false;
    uint8_t clerk[1 + kNameSize];
    while (m_in.ReadByte(clerk[0])) {
      started = true;
      if (!m_in.ReadWhole(clerk + 1, kNameSize)) break;
      const std::wstring clerkNumber = NumberOf(number, clerk);
      const std::wstring clerkName = TextOf(name, clerk + 1);
      uint8_t item[kClerkItemSize];
      for (;;) {
        if (!m_in.ReadByte(item[0])) return 1;
        if (item[0] == kEndOfItems) break;
        if (!m_in.ReadWhole(item + 1, sizeof item - 1)) return 1;
        m_out.Value(clerkNumber);
        m_out.Value(clerkName);
        Number(code, item);
        Text(name, item + kAmountSize);
        WriteTriples(item + kAmountSize + kNameSize);
        m_out.EndLine();
      }
    }
    return started ? 1 : 0;
  }

  // A name list, then per clerk one sales triple for each name of the list.
  int WritePositionalClerkSales() {
    const stField_t& number = Field(RK_CLERK_SALES, L"No", 1);
    const stField_t& name = Field(RK_CLERK_SALES, L"Caption", kNameSize);
    uint8_t count = 0;
    m_in.ReadFixed(&count, 1);
    NameList names;
    names.Read(m_in, count, kNameSize);
    bool started = false;
    std::vector<uint8_t> section(1 + kNameSize + count * kTripleSize);
    while (m_in.ReadByte(section[0])) {
      started = true;
      if (!m_in.ReadWhole(section.data() + 1, section.size() - 1)) break;
      for (int i = 1; i <= count; ++i) {
        if (i == 1) {
          Number(number, section.data());
          Text(name, section.data() + 1);
        } else {
          m_out.EmptyValues(2);
        }
        const std::wstring* itemName = nullptr;
        names.Find(i, itemName);
        m_out.Value(std::to_string(i).c_str());
        m_out.Value(*itemName);
        WriteQtyAmount(section.data() + 1 + kNameSize + static_cast<size_t>(i - 1) * kTripleSize);
        m_out.EmptyValues(4);
        m_out.EndLine();
      }
    }
    return started ? 1 : 0;
  }

  int WriteDepartments() {
    const stField_t& number = Field(RK_ALL_DEPARTMENT, L"DeptNo", 1);
    const stField_t& name = Field(RK_ALL_DEPARTMENT, L"Caption", kNameSize);
    const stField_t& group = Field(RK_ALL_DEPARTMENT, L"DeptGNo", 1);
    uint8_t count = 0;
    m_in.ReadFixed(&count, 1);
    NameList groups;
    groups.Read(m_in, kDepartmentGroupNames, kNameSize);
    uint8_t record[kDepartmentRecordSize];
    for (int i = 0; i < count && m_in.ReadWhole(record, sizeof record); ++i) {
      const std::wstring* groupName = nullptr;
      if (!groups.Find(record[1], groupName)) return 0;
      Number(number, record);
      Text(name, record + 2);
      Number(group, record + 1);
      m_out.Value(*groupName);
      WriteQtyAmount(record + 2 + kNameSize);
      m_out.EndLine();
    }
    return 1;
  }

  // PLU records until the file ends: the count of records read whole, or -1
  // when a department or group number lies past its name list.
  int WritePluRecords(const PluFields& fields, const NameList& departments, const NameList& groups) {
    int records = 0;
    uint8_t record[kPluRecordSize];
    while (m_in.ReadWhole(record, sizeof record)) {
      ++records;
      const uint8_t* department = record + kAmountSize + kNameSize;
      const uint8_t* group = department + 1;
      const std::wstring* departmentName = nullptr;
      const std::wstring* groupName = nullptr;
      if (!departments.Find(*department, departmentName) || !groups.Find(*group, groupName)) return -1;
      Number(*fields.pCode, record);
      Text(*fields.pName, record + kAmountSize);
      Number(*fields.pDepartment, department);
      m_out.Value(*departmentName);
      Number(*fields.pGroup, group);
      m_out.Value(*groupName);
      Number(*fields.pStock, group + 1);
      WriteTriples(group + 1 + kQuantitySize);
      m_out.EndLine();
    }
    return records;
  }

  PluFields PluFieldsOf(int kind, const wchar_t* nameCaption) const {
    return PluFields{&Field(kind, L"PLU#", kAmountSize), &Field(kind, nameCaption, kNameSize),
                     &Field(kind, L"DeptNo", 1), &Field(kind, L"PLUGNo", 1), &Field(kind, L"stock", kQuantitySize)};
  }

  int WritePlus() {
    uint8_t count = 0;
    m_in.ReadFixed(&count, 1);
    NameList departments, groups;
    departments.Read(m_in, count, kNameSize);
    groups.Read(m_in, kPluGroupNames, kNameSize);
    return WritePluRecords(PluFieldsOf(RK_ALL_PLU, L"Caption"), departments, groups) > 0 ? 1 : 0;
  }

  int WriteUrgentPlus() {
    const stField_t& code = Field(RK_URGENT_PLU, L"PLU#", kAmountSize);
    const stField_t& department = Field(RK_URGENT_PLU, L"LinkDept#", 1);
    uint8_t count = 0;
    m_in.ReadFixed(&count, 1);
    NameList departments;
    departments.Read(m_in, count, kNameSize);
    bool anyRecord = false;
    uint8_t record[kUrgentPluRecordSize];
    while (m_in.ReadWhole(record, sizeof record)) {
      anyRecord = true;
      const std::wstring* departmentName = nullptr;
      if (!departments.Find(record[kAmountSize], departmentName)) return 0;
      Number(code, record);
      Number(department, record + kAmountSize);
      m_out.Value(*departmentName);
      WriteTriples(record + kAmountSize + 1);
      m_out.EndLine();
    }
    return anyRecord ? 1 : 0;
  }

  int WriteHourly() {
    const stField_t& count = Field(RK_HOURLY, L"cnt", kCountSize);
    const stField_t& total = Field(RK_HOURLY, L"Total", kAmountSize);
    uint8_t record[kHourlyRecordSize];
    for (int hour = 0; hour < kHours; ++hour) {
      m_in.ReadFixed(record, sizeof record);
      char label[24];
      std::snprintf(label, sizeof label, "%02d:00 - %02d:59", hour, hour);
      m_out.Value(label);
      Number(count, record);
      Amount(total, record + kCountSize);
      m_out.EndLine();
    }
    return 1;
  }

  int WriteOpenTables() {
    const stField_t& table = Field(RK_OPEN_TABLE_ALL, L"TABLE#", 1);
    const stField_t& clerk = Field(RK_OPEN_TABLE_ALL, L"CLERK#", 1);
    const stField_t& balance = Field(RK_OPEN_TABLE_ALL, L"OLD BALANCE", kAmountSize);
    bool anyRecord = false;
    uint8_t record[kOpenTableRecordSize];
    while (m_in.ReadWhole(record, sizeof record)) {
      anyRecord = true;
      // The clerk byte holds two packed decimal digits.
      const uint8_t clerkNumber = static_cast<uint8_t>((record[1] >> 4) * 10 + (record[1] & 0x0F));
      Number(table, record);
      Number(clerk, &clerkNumber);
      Amount(balance, record + 2);
      m_out.EndLine();
    }
    return anyRecord ? 1 : 0;
  }

  size_t NameWidth(int field) const {
    const stTable_t* table = m_store.GetTable(RK_TRAINING_CLERK);
    int width = table ? table->aFields[field].nWidth : 0;
    return static_cast<size_t>(std::max(1, std::min(width, 255)));
  }

  int WriteTrainingClerks() {
    const stField_t& number = Field(RK_TRAINING_CLERK, L"Clerk#", 1);
    const stField_t& name = Field(RK_TRAINING_CLERK, L"Caption", kNameSize);
    const stField_t& rate = Field(RK_TRAINING_CLERK, L"CommitionRate", kCountSize);
    const stField_t& departmentNumber = Field(RK_TRAINING_CLERK, L"DeptNo", 1);
    const stField_t& groupNumber = Field(RK_TRAINING_CLERK, L"DeptGNo", 1);
    uint8_t mode;  // chooses between two ways of reading the same sections
    if (!m_in.ReadByte(mode)) return 0;
    uint8_t count = 0;
    m_in.ReadFixed(&count, 1);
    NameList departmentGroups, departments, pluGroups;
    departmentGroups.Read(m_in, kDepartmentGroupNames, NameWidth(1));
    departments.Read(m_in, count, NameWidth(2));
    pluGroups.Read(m_in, kPluGroupNames, NameWidth(3));

    for (;;) {
      uint8_t clerk;
      if (!m_in.ReadByte(clerk)) return 0;
      if (clerk == kEndOfItems) break;
      uint8_t header[kNameSize + kCountSize];
      if (!m_in.ReadWhole(header, sizeof header)) return 0;
      Number(number, &clerk);
      Text(name, header);
      m_out.EndLine();
      Number(rate, header + kNameSize);
      m_out.EndLine();
      WriteFinancialBlock();
    }

    uint8_t record[kTrainingDepartmentSize];
    for (int i = 0; i < count && m_in.ReadWhole(record, sizeof record); ++i) {
      const std::wstring* departmentName = nullptr;
      const std::wstring* groupName = nullptr;
      if (!departments.Find(record[0], departmentName) || !departmentGroups.Find(record[1], groupName)) return 0;
      Number(departmentNumber, record);
      m_out.Value(*departmentName);
      Number(groupNumber, record + 1);
      m_out.Value(*groupName);
      WriteQtyAmount(record + 2);
      m_out.EndLine();
    }
    return WritePluRecords(PluFieldsOf(RK_TRAINING_CLERK, L"PLUCaption"), departments, pluGroups) < 0 ? 0 : 1;
  }

  int WriteJournal() {
    const stField_t& line = Field(RK_JOURNAL_FULL, L"Rec", kJournalRecordSize);
    int lines = 0;
    uint8_t record[kJournalRecordSize];
    while (m_in.ReadWhole(record, sizeof record)) {
      Text(line, record);
      m_out.EndLine();
      ++lines;
      if (m_store.m_bJournalCrLf) m_in.Skip(kJournalSeparatorSize);
    }
    return lines ? 1 : 0;
  }

  CReportEcr& m_store;
  CReportInput& m_in;
  CCsvOutput& m_out;
  std::wstring m_text;  // the last formatted value
  std::string m_bytes;  // the register bytes of the last text
  CCaptionManagerBase* m_pManager = nullptr;
  std::wstring m_charMap;  // the manager's character for each register code, when it has one
  const stField_t* m_pCaption;
  const stField_t* m_pCount;
  const stField_t* m_pCountAmount;
  const stField_t* m_pBcd15;
  const stField_t* m_pShort;
  const stField_t* m_pQuantity;
  const stField_t* m_pAmount;
};

}  // namespace

CReportInput::CReportInput(const uint8_t* data, size_t size) : m_pNext(data), m_pEnd(data + size), m_nTotalSize(size) {}

CReportInput::~CReportInput() {
  if (m_pFile) std::fclose(m_pFile);
}

bool CReportInput::Open(const std::wstring& path) {
  if (m_pFile) std::fclose(m_pFile);
  std::wstring resolved = platform::ResolvePath(path);
  m_pFile = std::fopen(platform::NativePath(resolved).c_str(), "rb");
  m_nTotalSize = static_cast<size_t>(platform::GetFileStatus(resolved).nSize);
  m_buffer.resize(kInputBufferSize);
  m_pNext = m_pEnd = m_buffer.data();
  m_bFailed = false;
  return m_pFile != nullptr;
}

// Moves what is left to the front of the buffer and fills the rest.
bool CReportInput::Refill() {
  if (!m_pFile || m_bFailed) return false;
  size_t kept = static_cast<size_t>(m_pEnd - m_pNext);
  if (kept == m_buffer.size()) return false;
  std::memmove(m_buffer.data(), m_pNext, kept);
  size_t got = std::fread(m_buffer.data() + kept, 1, m_buffer.size() - kept, m_pFile);
  if (got == 0 && std::ferror(m_pFile)) m_bFailed = true;
  m_pNext = m_buffer.data();
  m_pEnd = m_pNext + kept + got;
  return got > 0;
}

size_t CReportInput::Read(uint8_t* target, size_t count) {
  size_t done = 0;
  while (done < count) {
    if (m_pNext == m_pEnd && !Refill()) break;
    size_t chunk = std::min(count - done, static_cast<size_t>(m_pEnd - m_pNext));
    std::memcpy(target + done, m_pNext, chunk);
    m_pNext += chunk;
    done += chunk;
  }
  return done;
}

void CReportInput::ReadFixed(uint8_t* target, size_t count) {
  size_t got = Read(target, count);
  if (got < count) std::memset(target + got, 0, count - got);
}

void CReportInput::Skip(size_t count) {
  while (count > 0) {
    if (m_pNext == m_pEnd && !Refill()) return;
    size_t chunk = std::min(count, static_cast<size_t>(m_pEnd - m_pNext));
    m_pNext += chunk;
    count -= chunk;
  }
}

size_t CReportInput::Peek(uint8_t* target, size_t count) {
  while (static_cast<size_t>(m_pEnd - m_pNext) < count && Refill()) {
  }
  size_t available = std::min(count, static_cast<size_t>(m_pEnd - m_pNext));
  if (available) std::memcpy(target, m_pNext, available);
  return available;
}

CCsvOutput::CCsvOutput() {
  m_bytes.reserve(kInputBufferSize);
  m_bytes.append("\xFF\xFE", 2);
}

void CCsvOutput::ReserveFor(size_t reportSize) {
  // The text of a report is about two to three times its size; a financial
  // report, whose numbers are mostly zeros, a little more.
  constexpr size_t kLargestReserve = size_t{1} << 30;
  m_bytes.reserve(std::min(kLargestReserve, 2 + reportSize / 2 * 5 + 8192));
}

void CCsvOutput::AppendUnit(uint32_t unit) {
  const char bytes[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  m_bytes.append(bytes, 2);
}

// A value goes out in one append: separator, quotes and text in UTF-16LE.
template <typename Char>
void CCsvOutput::AppendValue(const Char* text, size_t length) {
  constexpr size_t kChunk = 256;
  char units[4 * (kChunk + 2)];
  size_t used = 0;
  auto put = [&units, &used](uint32_t unit) {
    units[used++] = static_cast<char>(unit & 0xFF);
    units[used++] = static_cast<char>(unit >> 8);
  };
  if (!m_bLineStart) put(L',');
  m_bLineStart = false;
  put(L'"');
  for (size_t start = 0; start < length; start += kChunk) {
    const size_t end = std::min(length, start + kChunk);
    for (size_t i = start; i < end; ++i) {
      uint32_t code = static_cast<uint32_t>(static_cast<std::make_unsigned_t<Char>>(text[i]));
      if (code < 0x10000) {
        put(code);
      } else if (code <= 0x10FFFF) {
        put(0xD800 + ((code - 0x10000) >> 10));
        put(0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        put(0xFFFD);
      }
    }
    if (end < length) {
      m_bytes.append(units, used);
      used = 0;
    }
  }
  put(L'"');
  m_bytes.append(units, used);
}

void CCsvOutput::Value(const std::wstring& text) { AppendValue(text.data(), text.size()); }
void CCsvOutput::Value(const char* ascii, size_t length) { AppendValue(ascii, length); }
void CCsvOutput::Value(const char* ascii) { AppendValue(ascii, std::strlen(ascii)); }

void CCsvOutput::EmptyValues(int count) {
  for (int i = 0; i < count; ++i) Value("");
}

void CCsvOutput::EndLine() {
  AppendUnit(L'\r');
  AppendUnit(L'\n');
  m_bLineStart = true;
}

int ConvertReportData(CReportEcr& store, int kind, CReportInput& input, CCsvOutput& output) {
  store.m_bJournalCrLf = 0;
  if (IsJournal(kind)) {
    uint8_t head[kJournalRecordSize + kJournalSeparatorSize];
    if (input.Peek(head, sizeof head) == sizeof head && head[kJournalRecordSize] == '\r' &&
        head[kJournalRecordSize + 1] == '\n')
      store.m_bJournalCrLf = 1;
  }
  output.ReserveFor(input.TotalSize());
  CReportWriter writer(store, input, output);
  int result = writer.Write(kind);
  return input.Failed() ? 0 : result;
}

std::wstring InsertDecimalPoint(const std::wstring& amount) {
  if (amount.empty() || amount.find(L'.') != std::wstring::npos) return amount;
  size_t first = amount.find_first_of(L"0123456789");
  if (first == std::wstring::npos) return amount;
  if (amount.find_first_not_of(L"0123456789", first) != std::wstring::npos) return amount;
  std::wstring result = amount;
  switch (amount.size() - first) {
    case 1: result.insert(first, L"0.0"); break;
    case 2: result.insert(first, L"0."); break;
    default: result.insert(result.size() - 2, L"."); break;
  }
  return result;
}
