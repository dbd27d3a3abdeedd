#include "transfer/TransferList.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/TransferResult.h"

std::string TransferListPath(const std::string& exePath) {
  const std::string exe = ".exe";
  if (exePath.size() >= exe.size() &&
      platform::EqualsNoCase(platform::FromNativePath(exePath.substr(exePath.size() - exe.size())),
                             L".exe"))
    return exePath.substr(0, exePath.size() - exe.size()) + ".ini";
  return exePath + ".ini";
}

namespace {

// Line n of the text without its line end (LF, or CR LF); false when the
// text has fewer lines.
bool NthLine(const std::vector<uint8_t>& text, size_t n, std::string& line) {
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    while (start < text.size() && text[start] != '\n') ++start;
    if (start == text.size()) return false;
    ++start;
  }
  if (start == text.size()) return false;
  size_t end = start;
  while (end < text.size() && text[end] != '\n') ++end;
  size_t lineBytes = end - start + (end < text.size() ? 1 : 0);
  if (lineBytes > kMaxListLine) return false;
  if (end > start && text[end - 1] == '\r') --end;
  line.assign(text.begin() + static_cast<long>(start), text.begin() + static_cast<long>(end));
  return true;
}

}  // namespace

uint32_t ReadTransferItem(const std::string& listPath, uint8_t nItem, TransferItem& item) {
  std::vector<uint8_t> text;
  if (!platform::ReadFileBytes(platform::FromNativePath(listPath), text))
    return platform::TR_LIST_OPEN;
  std::string line;
  if (!NthLine(text, nItem, line)) return platform::TR_LIST_LINE;
  unsigned char digit = line.empty() ? '0' : static_cast<unsigned char>(line[0]);
  item.nKind = std::isdigit(digit) ? digit - '0' : 0;
  std::string baseName = line.empty() ? std::string() : line.substr(1);
  // The list is single-byte text; file names on Linux are UTF-8.
  item.strBaseName = platform::WideToUtf8(platform::Cp1252ToWide(baseName));
  return platform::TR_DONE;
}

bool BuildTransferPath(const std::string& folder, const TransferItem& item,
                       const std::string& extension, bool bLongStamp, const std::tm& now,
                       std::string& path) {
  char stamp[48] = "";
  if (item.nKind == KIND_REPORT) {
    if (bLongStamp)
      std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%02d", now.tm_mon + 1, now.tm_mday,
                    now.tm_hour, now.tm_min);
    else
      std::snprintf(stamp, sizeof stamp, "%02d%02d", now.tm_hour, now.tm_min);
  }
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  path = prefix + item.strBaseName + stamp + "." + extension;
  return path.size() <= kMaxTransferPath;
}
