#include "net/adapter_discovery.h"

#include <cctype>

#include "sys/text_encoding.h"

namespace znet {
namespace {

// The registry read buffer holds 100 bytes of UTF-16 including the
// terminator, the narrow copy 52 bytes: a braced GUID fits both. Longer
// identifiers count as unreadable rather than being cut short.
constexpr size_t kInstanceIdWideBytes = 100;
constexpr size_t kInstanceIdNarrowBytes = 52;

bool ReadInstanceId(IRegistrySource& registry, const std::wstring& subKey, std::string& id) {
  std::wstring wide;
  if (!registry.ReadString(subKey, kInstanceIdValue, wide)) return false;
  if ((wide.size() + 1) * sizeof(char16_t) > kInstanceIdWideBytes) return false;
  id = zsys::WideToAnsi(wide);
  return id.size() + 1 <= kInstanceIdNarrowBytes;
}

bool NamesLoopback(const std::string& description) {
  std::string lower(description);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find("loopback") != std::string::npos;
}

void PrintHardwareAddress(std::FILE* out, const std::vector<uint8_t>& bytes) {
  std::fprintf(out, "Adapter Addr: ");
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::fprintf(out, i + 1 == bytes.size() ? "%.2X\n" : "%.2X-", bytes[i]);
  }
}

void PrintAdapter(std::FILE* out, const AdapterEntry& a) {
  std::fprintf(out, "Adapter Name:     %s\n", a.name.c_str());
  std::fprintf(out, "Adapter Desc:     %s\n", a.description.c_str());
  PrintHardwareAddress(out, a.hardwareAddress);
  std::fprintf(out, "Index:     %u\n", a.index);
  std::fprintf(out, "IP Address:     %s\n", a.ipAddress.c_str());
  std::fprintf(out, "IP Mask:     %s\n", a.ipMask.c_str());
  std::fprintf(out, "Gateway:     %s\n", a.gateway.c_str());
  std::fprintf(out, "***\n");
  if (a.dhcpEnabled) {
    std::fprintf(out, "DHCP Enabled: Yes\n");
    std::fprintf(out, "  DHCP Server:     %s\n", a.dhcpServer.c_str());
  } else {
    std::fprintf(out, "DHCP Enabled: No\n");
  }
  std::fprintf(out, "pAdapter->Type is %u\n", a.type);
}

bool IsEligible(const AdapterEntry& a, const PhysicalCardTable& physicalCards) {
  const auto found = physicalCards.find(a.name);
  if (found == physicalCards.end() || !found->second) return false;
  return !NamesLoopback(a.description);
}

NetCardInfo ToCardInfo(const AdapterEntry& a) {
  NetCardInfo card;
  card.ipAddress = a.ipAddress;
  card.gateway = a.gateway;
  card.ipMask = a.ipMask;
  card.description = a.description;
  card.wideDescription = zsys::AnsiToWide(a.description);
  card.index = a.index;
  card.dhcpEnabled = a.dhcpEnabled;
  return card;
}

}  // namespace

void LoadPhysicalCards(IRegistrySource& registry, PhysicalCardTable& physicalCards) {
  for (const std::wstring& subKey : registry.EnumSubKeys()) {
    std::string id;
    if (!ReadInstanceId(registry, subKey, id)) continue;
    uint32_t characteristics = 0;
    if (!registry.ReadDword(subKey, kCharacteristicsValue, characteristics)) {
      physicalCards[id] = false;
    } else if (characteristics & kNcfPhysical) {
      physicalCards[id] = true;
    }
  }
}

int GetNetCards(IAdapterSource& adapters, const PhysicalCardTable& physicalCards, std::vector<NetCardInfo>& netCards,
                std::FILE* out) {
  netCards.clear();
  std::vector<AdapterEntry> list;
  switch (adapters.ListAdapters(list)) {
    case AdapterQuery::Ok: break;
    case AdapterQuery::OutOfMemory:
      if (out != nullptr) std::fprintf(out, "Error allocating memory needed to call GetAdaptersinfo\n");
      return 0;
    case AdapterQuery::Failed: return 0;
  }
  for (const AdapterEntry& a : list) {
    if (a.type == kAdapterTypeWireless) continue;
    if (out != nullptr) PrintAdapter(out, a);
    if (IsEligible(a, physicalCards)) netCards.push_back(ToCardInfo(a));
    if (out != nullptr) std::fprintf(out, "\n");
  }
  return static_cast<int>(netCards.size());
}

}  // namespace znet
