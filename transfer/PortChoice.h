// Which device a run talks to: the register's USB adapter when one is there
// and opens, else the port of argument 1.
#pragma once

#include <functional>
#include <string>

// The register's adapter: vendor 14c4 with product 0003, then with 0001.
constexpr char kRegisterUsbVendor[] = "14c4";
constexpr const char* kRegisterUsbProducts[] = {"0003", "0001"};

// Argument 1 as a device: a number n is /dev/ttyS(n-1) (0, the "USB" entry,
// names no device and gives ""); any other text is a path, taken as it is.
std::string DeviceFromPortArgument(const std::string& argument);

// The lowest-numbered USB adapter device that opens, searched by product id
// in order; when there is none, the device of argument 1.
std::string ChoosePortDevice(const std::string& argument,
                             const std::function<bool(const std::string&)>& canOpen,
                             const std::string& sysfsRoot = "/sys",
                             const std::string& devRoot = "/dev");
