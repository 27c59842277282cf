#include "net/linux/device_description.h"

#include <fstream>
#include <system_error>

namespace znet {
namespace {

std::string ReadFirstLine(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

// "0x8086" -> "8086"
std::string HexId(const std::filesystem::path& file) {
  std::string id = ReadFirstLine(file);
  if (id.rfind("0x", 0) == 0) id.erase(0, 2);
  return id;
}

// Looks a vendor/device pair up in the pci.ids format: vendor lines start at
// column 0, their devices follow indented by one tab.
std::string LookUpPciName(const std::string& vendor, const std::string& device) {
  static const char* const kLists[] = {"/usr/share/misc/pci.ids", "/usr/share/hwdata/pci.ids",
                                       "/usr/share/pci.ids"};
  for (const char* list : kLists) {
    std::ifstream in(list);
    if (!in) continue;
    std::string line, vendorName;
    bool inVendor = false;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      if (line[0] != '\t') {
        if (inVendor) break;
        inVendor = line.compare(0, vendor.size(), vendor) == 0 && line.size() > vendor.size() + 2;
        if (inVendor) vendorName = line.substr(vendor.size() + 2);
        continue;
      }
      if (inVendor && line.size() > device.size() + 3 && line[1] != '\t' &&
          line.compare(1, device.size(), device) == 0) {
        return vendorName + " " + line.substr(device.size() + 3);
      }
    }
    return vendorName;
  }
  return {};
}

std::string DeviceProduct(const std::filesystem::path& device) {
  std::error_code ec;
  // USB network adapters: the interface's parent is the USB device, which
  // names itself.
  for (const char* product : {"product", "../product"}) {
    if (std::filesystem::exists(device / product, ec)) {
      std::string name = ReadFirstLine(device / product);
      if (!name.empty()) return name;
    }
  }
  if (std::filesystem::exists(device / "vendor", ec) && std::filesystem::exists(device / "device", ec)) {
    std::string name = LookUpPciName(HexId(device / "vendor"), HexId(device / "device"));
    if (!name.empty()) return name;
  }
  const std::filesystem::path driver = std::filesystem::read_symlink(device / "driver", ec);
  return ec ? std::string() : driver.filename().string();
}

}  // namespace

std::string DescribeInterface(const std::filesystem::path& interfaceDir, const std::string& name,
                              bool isLoopback) {
  if (isLoopback) return "Loopback (" + name + ")";
  std::error_code ec;
  const std::filesystem::path device = interfaceDir / "device";
  if (!std::filesystem::exists(device, ec)) return name;
  const std::string product = DeviceProduct(device);
  return product.empty() ? name : product + " (" + name + ")";
}

}  // namespace znet
