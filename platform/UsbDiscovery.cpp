#include "platform/UsbDiscovery.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ReadIdFile(const fs::path& path) {
  std::ifstream in(path);
  std::string text;
  in >> text;
  return Lower(text);
}

// Walks up from the tty's device to the first ancestor that is a USB device
// (it has an idVendor file) and compares its ids.
bool HasUsbParent(const fs::path& device, const fs::path& root, const std::string& vendorId,
                  const std::string& productId) {
  for (fs::path dir = device; !dir.empty() && dir != root && dir != dir.root_path();
       dir = dir.parent_path()) {
    std::error_code ec;
    if (fs::exists(dir / "idVendor", ec))
      return ReadIdFile(dir / "idVendor") == vendorId && ReadIdFile(dir / "idProduct") == productId;
  }
  return false;
}

bool TrailingNumber(const std::string& name, unsigned& number) {
  size_t start = name.size();
  while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1]))) --start;
  if (start == name.size() || name.size() - start > 9) return false;
  number = static_cast<unsigned>(std::stoul(name.substr(start)));
  return true;
}

}  // namespace

std::vector<UsbSerialDevice> ListUsbSerialDevices(const std::string& vendorId,
                                                  const std::string& productId,
                                                  const std::string& sysfsRoot,
                                                  const std::string& devRoot) {
  std::vector<UsbSerialDevice> found;
  std::error_code ec;
  fs::path root = fs::canonical(sysfsRoot, ec);
  if (ec) return found;
  for (const fs::directory_entry& entry : fs::directory_iterator(root / "class" / "tty", ec)) {
    std::string name = entry.path().filename().string();
    std::error_code linkError;
    fs::path device = fs::canonical(entry.path() / "device", linkError);
    UsbSerialDevice candidate;
    if (linkError || !TrailingNumber(name, candidate.nNumber) ||
        !HasUsbParent(device, root, Lower(vendorId), Lower(productId)))
      continue;
    candidate.strDevice = (fs::path(devRoot) / name).string();
    found.push_back(candidate);
  }
  std::sort(found.begin(), found.end(), [](const UsbSerialDevice& a, const UsbSerialDevice& b) {
    return a.nNumber != b.nNumber ? a.nNumber < b.nNumber : a.strDevice < b.strDevice;
  });
  return found;
}

std::string FirstUsbSerialDevice(const std::string& vendorId, const std::string& productId,
                                 const std::function<bool(const std::string&)>& canOpen,
                                 const std::string& sysfsRoot, const std::string& devRoot) {
  for (const UsbSerialDevice& device : ListUsbSerialDevices(vendorId, productId, sysfsRoot, devRoot))
    if (canOpen(device.strDevice)) return device.strDevice;
  return std::string();
}

}  // namespace platform
