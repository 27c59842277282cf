#include "tests/app/repair_fakes.h"

#include <system_error>

#include "tftp/udp_socket.h"

namespace zapp::testing {

bool FakeChanger::GiveRepairAddress(uint32_t index) {
  NoteRecord("give");
  journal_.push_back("give " + std::to_string(index));
  return giveAnswer;
}

bool FakeChanger::RestoreCard(uint32_t index, const znet::NetCardInfo& recorded) {
  NoteRecord("restore");
  journal_.push_back("restore " + std::to_string(index) + (recorded.dhcpEnabled ? " dhcp" : " " + recorded.ipAddress));
  return restoreAnswer;
}

void FakeChanger::NoteRecord(const char* when) {
  if (recordToWatch.empty()) return;
  std::error_code error;
  journal_.push_back(std::string("record at ") + when +
                     (std::filesystem::exists(recordToWatch, error) ? ": yes" : ": no"));
}

int CountOf(const Journal& journal, const std::string& prefix) {
  int count = 0;
  for (const std::string& entry : journal) count += entry.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

int FreeUdpPort() {
  ztftp::SocketOpenResult probe = ztftp::OpenUdpSocket(ztftp::LoopbackIp(), 0, 100);
  return probe.socket ? probe.socket->LocalPort() : 0;
}

RepairSetup LoopbackSetup(znet::IAdapterSource& adapters, const znet::PhysicalCardTable& physical, FakeChanger& changer,
                          FakeKeeper& keeper, znet::RestoreRecordFile& record,
                          const std::filesystem::path& firmwareFolder, int port, std::FILE* console) {
  RepairSetup setup;
  setup.adapters = &adapters;
  setup.physicalCards = physical;
  setup.changer = &changer;
  setup.keeper = &keeper;
  setup.record = &record;
  setup.firmwareFolder = firmwareFolder;
  setup.bindAddress = "127.0.0.1";
  setup.port = port;
  setup.console = console;
  setup.trace = [](const char*) {};
  return setup;
}

}  // namespace zapp::testing
