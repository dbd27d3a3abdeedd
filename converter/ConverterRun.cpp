#include "converter/ConverterRun.h"

#include "common/CaptionMgr.h"
#include "common/ModelLibraryBinding.h"
#include "common/Profile.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace convra {
namespace {

// The number the library's report store answers as its kind.
constexpr int REPORT_STORE_WINDOW = 3;
constexpr int REPORT_STORE_KIND = 3;
// Settings values are read as the private-profile calls read them: at most 259 characters.
constexpr size_t kSettingChars = 259;

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && platform::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

// Settings written for the Windows tool name the library "....DLL".
std::wstring LinuxLibraryPath(std::wstring path) {
  if (EndsWithNoCase(path, L".dll")) path.replace(path.size() - 4, 4, L".so");
  return path;
}

std::string Narrow(const std::wstring& text) { return platform::NativePath(text); }

}  // namespace

std::wstring FolderArgument(const std::string& argument) {
  std::wstring folder = platform::FromNativePath(argument);
  size_t first = folder.find_first_not_of(L'"');
  folder = first == std::wstring::npos ? std::wstring() : folder.substr(first, folder.find_last_not_of(L'"') - first + 1);
  while (folder.size() > 1 && folder.back() == L'/') folder.pop_back();
  return folder;
}

std::wstring SettingsPathFor(const std::wstring& programPath) {
  std::wstring name = platform::ToUpper(platform::FileNameOf(programPath));
  if (EndsWithNoCase(name, L".EXE")) name.erase(name.size() - 4);
  return platform::JoinPath(platform::FolderOf(programPath), name + L".ini");
}

Settings ReadSettings(const std::wstring& settingsPath) {
  CProfile profile;
  profile.Load(settingsPath);
  return Settings{profile.GetString(L"PATH", L"DLL", L"", kSettingChars),
                  profile.GetString(L"CAP", L"CAP", L"", kSettingChars)};
}

std::wstring ModelName(const std::wstring& libraryPath) {
  std::wstring name = platform::ToUpper(platform::FileNameOf(libraryPath));
  return name.substr(0, name.find(L'.'));
}

int Convert(const std::wstring& inputFolder, const std::wstring& outputFolder, const Settings& settings,
            std::string& error) {
  // Only the character table is used: it turns the register's texts into
  // readable text. Without one the code page does.
  CCaptionMgr captions;
  captions.LoadCharTable(settings.strCaptionFolder.c_str(), ModelName(settings.strLibrary).c_str());

  if (settings.strLibrary.empty()) {
    error = "no model library is set (section [PATH], key DLL)";
    return EXIT_NOTHING_CONVERTED;
  }
  platform::CDynamicLibrary library;
  std::wstring libraryPath = platform::ResolvePath(LinuxLibraryPath(settings.strLibrary));
  if (!library.Open(libraryPath)) {
    error = "cannot load the model library " + Narrow(libraryPath) + ": " + library.LastError();
    return EXIT_NOTHING_CONVERTED;
  }
  ModelLibraryExports exports;
  exports.Bind(library);
  if (!exports.pfnGetEcrDataFromWndNo || !exports.pfnSetGClassAddr) {
    error = Narrow(libraryPath) + " is not a model library";
    return EXIT_NOTHING_CONVERTED;
  }
  CEcrData* reports = exports.pfnGetEcrDataFromWndNo(REPORT_STORE_WINDOW);
  if (!reports || reports->m_nKind != REPORT_STORE_KIND) {
    error = "the model library has no report store";
    return EXIT_NOTHING_CONVERTED;
  }
  if (!reports->SetFolder(inputFolder.c_str())) {
    error = "no report file in " + Narrow(inputFolder);
    return EXIT_NOTHING_CONVERTED;
  }
  reports->Load(nullptr);
  CCaptionManagerBase* cell = &captions;
  exports.pfnSetGClassAddr(nullptr, &cell);
  int converted = reports->Save(outputFolder.c_str());
  exports.pfnSetGClassAddr(nullptr, nullptr);  // the cell goes out of scope before the library
  if (converted != 1) {
    error = "no report could be converted into " + Narrow(outputFolder);
    return EXIT_NOTHING_CONVERTED;
  }
  return EXIT_CONVERTED;
}

}  // namespace convra
