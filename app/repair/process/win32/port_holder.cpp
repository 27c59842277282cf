#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include <string>
#include <vector>

#include "app/repair/process/port_holder.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

// The owner of the first socket of the table of `family` bound to `port`; 0 for none.
template <class Table>
bool OwnerIn(ULONG family, uint16_t port, DWORD& pid) {
  std::vector<unsigned char> buffer(sizeof(Table));
  DWORD size = static_cast<DWORD>(buffer.size());
  DWORD result = ERROR_INSUFFICIENT_BUFFER;
  // The table may grow between the two calls: ask again with the size it reported.
  for (int attempt = 0; attempt < 4 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
    buffer.resize(size);
    result = GetExtendedUdpTable(buffer.data(), &size, FALSE, family, UDP_TABLE_OWNER_PID, 0);
  }
  if (result != NO_ERROR) return false;
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    if (ntohs(static_cast<u_short>(table->table[i].dwLocalPort)) != port) continue;
    pid = table->table[i].dwOwningPid;
    return true;
  }
  return false;
}

}  // namespace

std::string ProgramNameOf(uint32_t pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH * 4];
  DWORD length = static_cast<DWORD>(sizeof path / sizeof path[0]);
  const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &length);
  CloseHandle(process);
  if (!ok) return {};
  std::wstring full(path, length);
  const size_t slash = full.find_last_of(L"\\/");
  return zsys::WideToUtf8(slash == std::wstring::npos ? full : full.substr(slash + 1));
}

PortHolder FindUdpPortHolder(uint16_t port) {
  PortHolder holder;
  DWORD pid = 0;
  if (!OwnerIn<MIB_UDPTABLE_OWNER_PID>(AF_INET, port, pid) && !OwnerIn<MIB_UDP6TABLE_OWNER_PID>(AF_INET6, port, pid)) {
    return holder;
  }
  holder.found = true;
  holder.pid = pid;
  // Wine answers no owner (0); a process of another user or a protected one keeps its name from us.
  if (pid != 0) holder.program = ProgramNameOf(pid);
  return holder;
}

}  // namespace zapp
