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

struct PciName {
  std::string vendor;
  std::string full;  // vendor and device, when the list knows the device
};

// Looks a vendor/device pair up in the pci.ids format: vendor lines start at
// column 0, their devices follow indented by one tab.
PciName LookUpPciName(const std::string& vendor, const std::string& device) {
  static const char* const kLists[] = {"/usr/share/misc/pci.ids", "/usr/share/hwdata/pci.ids", "/usr/share/pci.ids"};
  PciName name;
  for (const char* list : kLists) {
    std::ifstream in(list);
    if (!in) continue;
    std::string line;
    bool inVendor = false;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      if (line[0] != '\t') {
        if (inVendor) break;
        inVendor = line.size() > vendor.size() + 2 && line.compare(0, vendor.size(), vendor) == 0 &&
                   line[vendor.size()] == ' ';
        if (inVendor) name.vendor = line.substr(vendor.size() + 2);
        continue;
      }
      if (inVendor && line.size() > device.size() + 3 && line[1] != '\t' &&
          line.compare(1, device.size(), device) == 0 && line[device.size() + 1] == ' ') {
        name.full = name.vendor + " " + line.substr(device.size() + 3);
        break;
      }
    }
    break;
  }
  return name;
}

PciName PciNameOf(const std::filesystem::path& dir) {
  std::error_code ec;
  if (!std::filesystem::exists(dir / "vendor", ec) || !std::filesystem::exists(dir / "device", ec)) return {};
  return LookUpPciName(HexId(dir / "vendor"), HexId(dir / "device"));
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
  // A virtio device carries the vendor's id but its own device numbering;
  // the PCI function above it has the id the list knows.
  const PciName own = PciNameOf(device);
  if (!own.full.empty()) return own.full;
  const PciName parent = PciNameOf(device / "..");
  if (!parent.full.empty()) return parent.full;
  const std::filesystem::path driver = std::filesystem::read_symlink(device / "driver", ec);
  if (!ec) return driver.filename().string();
  return own.vendor;
}

}  // namespace

std::string DescribeInterface(const std::filesystem::path& interfaceDir, const std::string& name, bool isLoopback) {
  if (isLoopback) return "Loopback (" + name + ")";
  std::error_code ec;
  const std::filesystem::path device = interfaceDir / "device";
  if (!std::filesystem::exists(device, ec)) return name;
  const std::string product = DeviceProduct(device);
  return product.empty() ? name : product + " (" + name + ")";
}

}  // namespace znet
