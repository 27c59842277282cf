#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "net/adapter_discovery.h"
#include "net/linux/device_description.h"
#include "net/linux/netlink_adapter_source.h"
#include "net/linux/sysfs_registry_source.h"

namespace znet {
namespace {

namespace fs = std::filesystem;

// A small /sys/class/net look-alike: which interfaces have a device, which
// are wireless, what their devices call themselves.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("zaviz-sysfs-" + std::to_string(getpid()));
    fs::remove_all(root);
    MakeDevice("eth0");
    MakeDevice("eth1");
    fs::create_symlink("../../../bus/pci/drivers/e1000e", root / "eth1/device/driver");
    MakeDevice("usb0");
    Write(root / "usb0/device/product", "AX88179 Gigabit Ethernet\n");
    MakeDevice("wlan0");
    fs::create_directories(root / "wlan0/phy80211");
    for (const char* virtualName : {"lo", "veth0", "docker0", "br0", "tun0"})
      fs::create_directories(root / virtualName);
  }
  void TearDown() override { fs::remove_all(root); }

  void MakeDevice(const char* name) { fs::create_directories(root / name / "device"); }
  static void Write(const fs::path& file, const char* text) { std::ofstream(file) << text; }

  fs::path root;
};

TEST_F(FakeSysfs, InterfacesWithADeviceArePhysicalOthersHaveNoEntry) {
  SysfsRegistrySource source(root);
  PhysicalCardTable table;
  LoadPhysicalCards(source, table);
  EXPECT_EQ(table, (PhysicalCardTable{{"eth0", true}, {"eth1", true}, {"usb0", true}, {"wlan0", true}}));
}

TEST_F(FakeSysfs, DescriptionNamesTheDeviceThenTheInterface) {
  EXPECT_EQ(DescribeInterface(root / "usb0", "usb0", false), "AX88179 Gigabit Ethernet (usb0)");
  EXPECT_EQ(DescribeInterface(root / "eth1", "eth1", false), "e1000e (eth1)");
  EXPECT_EQ(DescribeInterface(root / "eth0", "eth0", false), "eth0");
  EXPECT_EQ(DescribeInterface(root / "veth0", "veth0", false), "veth0");
  EXPECT_EQ(DescribeInterface(root / "lo", "lo", true), "Loopback (lo)");
}

TEST_F(FakeSysfs, PciDeviceIsNamedFromTheIdListEvenBehindVirtio) {
  if (!fs::exists("/usr/share/misc/pci.ids")) GTEST_SKIP() << "no PCI id list (package hwdata)";
  MakeDevice("eth2");
  Write(root / "eth2/device/vendor", "0x8086\n");
  Write(root / "eth2/device/device", "0x100e\n");
  EXPECT_EQ(DescribeInterface(root / "eth2", "eth2", false),
            "Intel Corporation 82540EM Gigabit Ethernet Controller (eth2)");
  // A virtio device's own id is not a PCI device id; its parent's is.
  fs::create_directories(root / "pci/virtio0");
  Write(root / "pci/vendor", "0x8086\n");
  Write(root / "pci/device", "0x100e\n");
  Write(root / "pci/virtio0/vendor", "0x8086\n");
  Write(root / "pci/virtio0/device", "0x0001\n");
  fs::create_directories(root / "eth3");
  fs::create_directory_symlink(root / "pci/virtio0", root / "eth3/device");
  EXPECT_EQ(DescribeInterface(root / "eth3", "eth3", false),
            "Intel Corporation 82540EM Gigabit Ethernet Controller (eth3)");
}

// Read-only look at this machine's own list: loopback is always there and
// its values are fixed.
TEST(NetlinkAdapterSource, ListsLoopbackWithItsAddress) {
  NetlinkAdapterSource source;
  std::vector<AdapterEntry> adapters;
  ASSERT_EQ(source.ListAdapters(adapters), AdapterQuery::Ok);
  const AdapterEntry* loopback = nullptr;
  for (const AdapterEntry& a : adapters) {
    EXPECT_FALSE(a.name.empty());
    EXPECT_GT(a.index, 0u);
    if (a.name == "lo") loopback = &a;
  }
  ASSERT_NE(loopback, nullptr);
  EXPECT_EQ(loopback->description, "Loopback (lo)");
  EXPECT_EQ(loopback->type, kAdapterTypeEthernet);
  if (loopback->ipAddress != "0.0.0.0") {  // a container may keep lo down and bare
    EXPECT_EQ(loopback->ipAddress, "127.0.0.1");
    EXPECT_EQ(loopback->ipMask, "255.0.0.0");
    EXPECT_FALSE(loopback->dhcpEnabled);
  }
}

}  // namespace
}  // namespace znet
