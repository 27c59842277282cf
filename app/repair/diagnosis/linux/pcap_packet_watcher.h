#pragma once
// Packets the box sends on the repair card, from a libpcap capture: its
// first packet (ARP or IP) with its address, and ARP requests for a server
// address other than ours. The kernel filters (arp, or IP not to port 69, so
// a transfer's acknowledgements never reach us); each address is told once.
// Without CAP_NET_RAW the capture cannot open and the diagnosis says so.

#include <cstdint>
#include <set>
#include <string>
#include <thread>

#include "app/repair/diagnosis/diagnosis_source.h"

struct pcap;

namespace zapp {

class PcapPacketWatcher : public IDiagnosisSource {
 public:
  ~PcapPacketWatcher() override;
  void Start(uint32_t index, DiagnosisInbox& inbox) override;
  void Stop() override;

  // One captured Ethernet frame (public for the tests of the parsing).
  void OnFrame(const uint8_t* frame, size_t length);
  void SetInbox(DiagnosisInbox* inbox) { inbox_ = inbox; }

 private:
  void Run();
  void Seen(const std::string& address);

  DiagnosisInbox* inbox_ = nullptr;
  pcap* capture_ = nullptr;
  int wakeUp_ = -1;
  std::set<std::string> seen_;
  std::string otherWanted_;
  std::thread thread_;
};

}  // namespace zapp
