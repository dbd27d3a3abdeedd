#include "EcrTool.h"

#include <cstdio>

#include "common/CaptionCell.h"
#include "common/EntryCheck.h"
#include "common/ValueFormat.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "tools/support/ModelLibrary.h"

namespace {

constexpr int EXIT_LIBRARY = 5;  // the model library could not be loaded

struct ObjectName {
  const wchar_t* pszName;
  int nWndNo;
};
const ObjectName kObjects[] = {{L"DEPT", 17},    {L"PLU", 18},     {L"CLERK", 19},
                               {L"SMODE", 20},   {L"PRGMODE", 21}, {L"KEYBOARD", 23}};
// The register objects by index, as SetEcrFolder orders them.
constexpr int REGISTER_OBJECT_COUNT = 5;

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "ecrtool: %s\n", message.c_str());
  return code;
}

std::string Utf8(const std::wstring& text) { return platform::WideToUtf8(text); }

void PrintLine(const std::wstring& line) { std::printf("%s\n", Utf8(line).c_str()); }

// Captions may hold line breaks; a listing keeps one item per line.
std::wstring OneLine(std::wstring text) {
  for (wchar_t& ch : text)
    if (ch == L'\r' || ch == L'\n' || ch == L'\t') ch = L' ';
  return text;
}

std::wstring Number(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return platform::Utf8ToWide(buffer);
}

bool ParseIndex(const std::wstring& text, int& value) {
  if (text.empty() || text.size() > 6) return false;
  value = 0;
  for (wchar_t ch : text) {
    if (ch < L'0' || ch > L'9') return false;
    value = value * 10 + (ch - L'0');
  }
  return true;
}

bool ParseObject(const std::wstring& text, int& wndNo) {
  for (const ObjectName& object : kObjects) {
    if (platform::EqualsNoCase(text, object.pszName) || text == std::to_wstring(object.nWndNo)) {
      wndNo = object.nWndNo;
      return true;
    }
  }
  return false;
}

// One run: the library, the data folder and the object the command works on.
struct Session {
  ModelLibrary library;
  CEcrData* pData = nullptr;
  stTable_t* pTable = nullptr;
  int nRow = 0;
  int nField = 0;
  const std::vector<std::wstring>* pArgs = nullptr;  // the command's own arguments

  std::string FileName() const { return Utf8(RegisterFilePath(*pData)); }

  int SelectTable(const std::wstring& text) {
    int index = 0;
    if (ParseIndex(text, index) && (pTable = pData->GetTable(index))) return EXIT_OK;
    const int count = pData->GetTableCount();
    if (count <= 0) return Fail(EXIT_USAGE, "no table " + Utf8(text) + ": this object has no tables");
    return Fail(EXIT_USAGE, "no table " + Utf8(text) + ": the tables are 0 to " + std::to_string(count - 1));
  }

  int SelectCell(const std::wstring& table, const std::wstring& row, const std::wstring& field) {
    if (int code = SelectTable(table)) return code;
    if (!pTable->pRows || pTable->nRecordSize == 0) return Fail(EXIT_USAGE, "table " + Utf8(table) + " has no rows");
    if (!ParseIndex(row, nRow) || nRow >= pTable->nRecordCount)
      return Fail(EXIT_USAGE, "no row " + Utf8(row) + ": the rows are 0 to " + std::to_string(pTable->nRecordCount - 1));
    if (!ParseIndex(field, nField) || nField >= pTable->nFieldCount)
      return Fail(EXIT_USAGE,
                  "no field " + Utf8(field) + ": the fields are 0 to " + std::to_string(pTable->nFieldCount - 1));
    return EXIT_OK;
  }

  // Saves the object; duplicate keys are told apart from a failed write.
  int Save() {
    for (int t = 0; t < pData->GetTableCount(); ++t) {
      stTable_t* table = pData->GetTable(t);
      if (table && table->nSortField >= 0 && !pData->Sort(t))
        return Fail(EXIT_REFUSED, "cannot save " + FileName() + ": The unique key (PLU code etc.) overlaps");
    }
    if (!pData->Save(nullptr)) return Fail(EXIT_FILE_ERROR, "cannot save " + FileName());
    return EXIT_OK;
  }

  // The other register files of the folder, so that checks which look at
  // them (departments, program mode) see what the folder holds.
  void LoadRelatedObjects() {
    for (int index = 0; index < REGISTER_OBJECT_COUNT; ++index) {
      CEcrData* other = library.DataFromIndex(index);
      if (other && other != pData && other->m_bExists) other->Load(nullptr);
    }
  }
};

int ListTables(Session& s) {
  for (int t = 0; t < s.pData->GetTableCount(); ++t) {
    const stTable_t* table = s.pData->GetTable(t);
    if (!table) continue;
    PrintLine(std::to_wstring(t) + L"\t" + std::to_wstring(table->uId) + L"\t" +
              OneLine(CaptionTextOr(WND_TABLE_CAPTIONS, static_cast<int32_t>(table->uId), table->szCaption)) + L"\t" +
              std::to_wstring(table->nRecordCount) + L"\t" + std::to_wstring(table->nFieldCount));
  }
  return EXIT_OK;
}

int ListFields(Session& s) {
  if (int code = s.SelectTable((*s.pArgs)[0])) return code;
  for (int f = 0; f < s.pTable->nFieldCount; ++f) {
    const stField_t& field = s.pTable->aFields[f];
    wchar_t type[16];
    std::swprintf(type, 16, L"0x%04X", static_cast<unsigned>(field.uType));
    PrintLine(std::to_wstring(f) + L"\t" + std::to_wstring(field.uId) + L"\t" +
              OneLine(CaptionTextOr(WND_TABLE_CAPTIONS, static_cast<int32_t>(field.uId), field.szCaption)) + L"\t" +
              type + L"\t" + std::to_wstring(field.nWidth) + L"\t" + std::to_wstring(field.nInput) + L"\t" +
              std::to_wstring(field.nCheck) + L"\t" + Number(field.dMin) + L"\t" + Number(field.dMax) + L"\t" +
              std::to_wstring(field.nLevel));
  }
  return EXIT_OK;
}

int GetValue(Session& s) {
  const auto& args = *s.pArgs;
  if (int code = s.SelectCell(args[0], args[1], args[2])) return code;
  std::wstring text;
  FormatValue(FieldValue(*s.pTable, s.nRow, s.nField), text, s.pTable->aFields[s.nField]);
  PrintLine(text);
  return EXIT_OK;
}

int SetValue(Session& s) {
  const auto& args = *s.pArgs;
  if (int code = s.SelectCell(args[0], args[1], args[2])) return code;
  const std::wstring& text = args[3];
  const stField_t& field = s.pTable->aFields[s.nField];
  if (CellState(*s.pTable, s.nRow, s.nField) != CELL_EDITABLE)
    return Fail(EXIT_REFUSED, "field " + Utf8(args[2]) + " is read-only in row " + Utf8(args[1]));
  s.LoadRelatedObjects();
  std::wstring message;
  if (!CheckEntry(*s.pTable, s.nField, s.nRow, text.c_str(), message) ||
      !CheckEditLimit(field, text.c_str(), message))
    return Fail(EXIT_REFUSED, Utf8(message));
  ParseValue(field, FieldValue(*s.pTable, s.nRow, s.nField), text.c_str());
  return s.Save();
}

int ExportTable(Session& s) {
  const auto& args = *s.pArgs;
  if (int code = s.SelectTable(args[0])) return code;
  int table = 0;
  ParseIndex(args[0], table);
  if (!s.pData->ExportText(table, args[1].c_str())) return Fail(EXIT_FILE_ERROR, "cannot write " + Utf8(args[1]));
  return EXIT_OK;
}

int ImportTable(Session& s) {
  const auto& args = *s.pArgs;
  if (int code = s.SelectTable(args[0])) return code;
  int table = 0;
  ParseIndex(args[0], table);
  if (!s.pData->ImportText(table, args[1].c_str()))
    return Fail(EXIT_FILE_ERROR, "cannot read " + Utf8(args[1]) + " (missing, empty or unreadable)");
  return s.Save();
}

struct Command {
  const wchar_t* pszName;
  int nArguments;             // after DATA and OBJECT
  bool bEmptyRowsWithoutFile; // works on the empty rows when the object has no file
  int (*pfnRun)(Session&);
};
const Command kCommands[] = {
    {L"tables", 0, false, ListTables}, {L"fields", 1, false, ListFields}, {L"get", 3, true, GetValue},
    {L"set", 4, false, SetValue},      {L"export", 2, true, ExportTable}, {L"import", 2, false, ImportTable},
};

const Command* FindCommand(const std::wstring& name) {
  for (const Command& command : kCommands)
    if (name == command.pszName) return &command;
  return nullptr;
}

int PrepareCaptions(const ToolOptions& options, ModelLibrary& library) {
  if (options.strModel.empty()) return EXIT_OK;
  if (!library.LoadCharTable(options.strCapFolder, options.strModel))
    return Fail(EXIT_USAGE, "no character table " + Utf8(platform::ToUpper(options.strModel)) + "_ECR.CNV in " +
                                Utf8(options.strCapFolder));
  if (!options.strLanguage.empty() &&
      !library.OpenCaptions(options.strCapFolder, options.strModel, options.strLanguage))
    return Fail(EXIT_USAGE, "no caption file " + Utf8(platform::ToUpper(options.strModel + L"_" + options.strLanguage)) +
                                ".Cap in " + Utf8(options.strCapFolder));
  return EXIT_OK;
}

// Loads the object's file, or explains why it cannot be used.
int LoadObject(Session& s, const Command& command) {
  const bool exists = s.pData->m_bExists != 0;
  if (s.pData->Load(nullptr)) return EXIT_OK;
  if (!exists && command.bEmptyRowsWithoutFile) return EXIT_OK;
  if (!exists) {
    bool empty = platform::GetFileStatus(RegisterFilePath(*s.pData)).bExists;
    return Fail(EXIT_NOT_LOADED, "cannot load " + s.FileName() + (empty ? ": the file is empty" : ": no such file"));
  }
  return Fail(EXIT_NOT_LOADED, "cannot load " + s.FileName() +
                                   ": the file is damaged (its size or record count does not fit its layout)");
}

}  // namespace

int RunTool(const ToolOptions& options) {
  const std::vector<std::wstring>& words = options.words;
  if (words.empty()) return Fail(EXIT_USAGE, "no command given; see ecrtool --help");
  const Command* command = FindCommand(words[0]);
  if (!command) return Fail(EXIT_USAGE, "unknown command " + Utf8(words[0]) + "; see ecrtool --help");
  if (words.size() != static_cast<size_t>(3 + command->nArguments))
    return Fail(EXIT_USAGE, Utf8(words[0]) + " takes " + std::to_string(2 + command->nArguments) +
                                " arguments; see ecrtool --help");
  int wndNo = 0;
  if (!ParseObject(words[2], wndNo)) return Fail(EXIT_USAGE, "unknown object " + Utf8(words[2]) + "; see ecrtool --help");

  Session s;
  std::string error;
  if (!s.library.Open(options.strLibrary.empty() ? DefaultModelLibraryPath() : options.strLibrary, error))
    return Fail(EXIT_LIBRARY, error);
  if (int code = PrepareCaptions(options, s.library)) return code;

  const std::wstring& folder = words[1];
  if (!platform::GetFileStatus(folder).bDirectory) return Fail(EXIT_NOT_LOADED, "no data folder " + Utf8(folder));
  s.library.SetEcrFolder(folder);
  s.pData = s.library.DataFromWndNo(wndNo);
  if (!s.pData) return Fail(EXIT_USAGE, "the model library has no object " + Utf8(words[2]));
  if (int code = LoadObject(s, *command)) return code;

  const std::vector<std::wstring> arguments(words.begin() + 3, words.end());
  s.pArgs = &arguments;
  return command->pfnRun(s);
}
