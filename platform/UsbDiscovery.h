// USB serial adapters found through sysfs: the tty devices whose USB parent
// device carries a given vendor and product id.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct UsbSerialDevice {
  std::string strDevice;  // device path, e.g. /dev/ttyACM0
  unsigned nNumber = 0;   // the number that ends the device name
};

// Matching tty devices listed under `<sysfsRoot>/class/tty`, as paths under
// `devRoot`, lowest number first. Ids are hexadecimal text such as "14c4";
// they match ignoring case.
std::vector<UsbSerialDevice> ListUsbSerialDevices(const std::string& vendorId,
                                                  const std::string& productId,
                                                  const std::string& sysfsRoot = "/sys",
                                                  const std::string& devRoot = "/dev");

// The lowest-numbered matching device that `canOpen` accepts, or "".
std::string FirstUsbSerialDevice(const std::string& vendorId, const std::string& productId,
                                 const std::function<bool(const std::string&)>& canOpen,
                                 const std::string& sysfsRoot = "/sys",
                                 const std::string& devRoot = "/dev");

}  // namespace platform
