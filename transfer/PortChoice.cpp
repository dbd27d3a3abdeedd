#include "transfer/PortChoice.h"

#include <algorithm>
#include <cctype>

#include "platform/UsbDiscovery.h"
#include "transfer/TransferArgs.h"

std::string DeviceFromPortArgument(const std::string& argument) {
  bool bNumber = !argument.empty() && std::all_of(argument.begin(), argument.end(), [](char ch) {
    return std::isdigit(static_cast<unsigned char>(ch));
  });
  if (!bNumber) return argument;
  uint64_t number = LeadingNumber(argument);
  return number == 0 ? std::string() : "/dev/ttyS" + std::to_string(number - 1);
}

std::string ChoosePortDevice(const std::string& argument,
                             const std::function<bool(const std::string&)>& canOpen,
                             const std::string& sysfsRoot, const std::string& devRoot) {
  for (const char* product : kRegisterUsbProducts) {
    std::string device =
        platform::FirstUsbSerialDevice(kRegisterUsbVendor, product, canOpen, sysfsRoot, devRoot);
    if (!device.empty()) return device;
  }
  return DeviceFromPortArgument(argument);
}
