#include "net/win32/win_adapter_source.h"

// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <cstdlib>
#include <memory>

namespace znet {
namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
using AdapterBuffer = std::unique_ptr<IP_ADAPTER_INFO, FreeDeleter>;

AdapterBuffer Allocate(ULONG size) { return AdapterBuffer(static_cast<IP_ADAPTER_INFO*>(std::malloc(size))); }

AdapterEntry ToEntry(const IP_ADAPTER_INFO& info) {
  AdapterEntry entry;
  entry.name = info.AdapterName;
  entry.description = info.Description;
  const UINT length = info.AddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? info.AddressLength : MAX_ADAPTER_ADDRESS_LENGTH;
  entry.hardwareAddress.assign(info.Address, info.Address + length);
  entry.index = info.Index;
  entry.type = info.Type;
  entry.dhcpEnabled = info.DhcpEnabled != 0;
  entry.ipAddress = info.IpAddressList.IpAddress.String;
  entry.ipMask = info.IpAddressList.IpMask.String;
  entry.gateway = info.GatewayList.IpAddress.String;
  entry.dhcpServer = info.DhcpServer.IpAddress.String;
  return entry;
}

}  // namespace

AdapterQuery WinAdapterSource::ListAdapters(std::vector<AdapterEntry>& adapters) {
  adapters.clear();
  ULONG size = sizeof(IP_ADAPTER_INFO);
  AdapterBuffer buffer = Allocate(size);
  if (!buffer) return AdapterQuery::OutOfMemory;
  if (GetAdaptersInfo(buffer.get(), &size) == ERROR_BUFFER_OVERFLOW) {
    buffer = Allocate(size);
    if (!buffer) return AdapterQuery::OutOfMemory;
  }
  if (GetAdaptersInfo(buffer.get(), &size) != NO_ERROR) return AdapterQuery::Failed;
  for (const IP_ADAPTER_INFO* info = buffer.get(); info != nullptr; info = info->Next) {
    adapters.push_back(ToEntry(*info));
  }
  return AdapterQuery::Ok;
}

}  // namespace znet
