#include "app/repair/diagnosis/linux/pcap_packet_watcher.h"

#include <net/if.h>
#include <pcap/pcap.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstring>

#include "app/repair/diagnosis_texts.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

constexpr char kFilter[] = "arp or (ip and not dst port 69)";
constexpr char kRepairAddress[] = "192.168.1.2";
constexpr size_t kEthernetHeader = 14;
constexpr size_t kSeenLimit = 64;  // a segment full of hosts must not grow the set without end

std::string Quad(const uint8_t* bytes) {
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
         std::to_string(bytes[3]);
}

uint16_t Read16(const uint8_t* bytes) { return uint16_t(bytes[0] << 8 | bytes[1]); }

void Handle(u_char* self, const pcap_pkthdr* header, const u_char* bytes) {
  reinterpret_cast<PcapPacketWatcher*>(self)->OnFrame(bytes, header->caplen);
}

}  // namespace

PcapPacketWatcher::~PcapPacketWatcher() { Stop(); }

void PcapPacketWatcher::Start(uint32_t index, DiagnosisInbox& inbox) {
  Stop();
  inbox_ = &inbox;
  seen_.clear();
  otherWanted_.clear();
  char name[IF_NAMESIZE] = {};
  char error[PCAP_ERRBUF_SIZE] = {};
  bpf_program program{};
  int activated = PCAP_ERROR;
  const bool opened = if_indextoname(index, name) != nullptr && (capture_ = pcap_create(name, error)) != nullptr &&
                      pcap_set_snaplen(capture_, 96) == 0 && pcap_set_immediate_mode(capture_, 1) == 0 &&
                      (activated = pcap_activate(capture_)) >= 0 && pcap_datalink(capture_) == DLT_EN10MB &&
                      pcap_setdirection(capture_, PCAP_D_IN) == 0 &&
                      pcap_compile(capture_, &program, kFilter, 1, PCAP_NETMASK_UNKNOWN) == 0;
  const bool filtered = opened && pcap_setfilter(capture_, &program) == 0;
  if (opened) pcap_freecode(&program);
  wakeUp_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (!filtered || wakeUp_ < 0 || pcap_setnonblock(capture_, 1, error) != 0) {
    const bool refused = activated == PCAP_ERROR_PERM_DENIED || activated == PCAP_ERROR_PROMISC_PERM_DENIED;
    inbox.Push(DiagnosisEvent::SourceMissing(refused ? kDiagCannotSeeArp : kDiagCannotCapture));
    Stop();
    return;
  }
  thread_ = std::thread(&PcapPacketWatcher::Run, this);
}

void PcapPacketWatcher::Stop() {
  if (thread_.joinable()) {
    const uint64_t one = 1;
    (void)!write(wakeUp_, &one, sizeof(one));
    thread_.join();
  }
  if (capture_ != nullptr) pcap_close(capture_);
  capture_ = nullptr;
  if (wakeUp_ >= 0) close(wakeUp_);
  wakeUp_ = -1;
}

void PcapPacketWatcher::Run() {
  const int captureFd = pcap_get_selectable_fd(capture_);
  for (;;) {
    pollfd waits[2] = {{wakeUp_, POLLIN, 0}, {captureFd, POLLIN, 0}};
    if (poll(waits, 2, 1000) < 0 && errno != EINTR) return;
    if (waits[0].revents) return;
    if (pcap_dispatch(capture_, 64, Handle, reinterpret_cast<u_char*>(this)) == PCAP_ERROR) return;
  }
}

void PcapPacketWatcher::OnFrame(const uint8_t* frame, size_t length) {
  if (length < kEthernetHeader) return;
  const uint16_t type = Read16(frame + 12);
  const uint8_t* body = frame + kEthernetHeader;
  const size_t size = length - kEthernetHeader;
  if (type == 0x0806) {
    // Ethernet/IPv4 ARP: hardware 1, protocol 0x0800, lengths 6 and 4.
    if (size < 28 || Read16(body) != 1 || Read16(body + 2) != 0x0800 || body[4] != 6 || body[5] != 4) return;
    if (Read16(body + 6) != 1) return;  // requests only: a reply answers someone else's question
    const std::string sender = Quad(body + 14), target = Quad(body + 24);
    // A probe (no sender address yet) checks the box's own address, and an
    // announcement (sender = target) states it: neither asks for a server.
    if (sender == "0.0.0.0") return;
    Seen(sender);
    if (target == kRepairAddress || target == sender || target == otherWanted_) return;
    otherWanted_ = target;
    if (inbox_ != nullptr) inbox_->Push({DiagnosisEvent::Kind::kArpForOther, sender, target});
  } else if (type == 0x0800) {
    if (size < 20 || (body[0] >> 4) != 4) return;
    const std::string source = Quad(body + 12);
    if (source != "0.0.0.0") Seen(source);
  }
}

void PcapPacketWatcher::Seen(const std::string& address) {
  if (seen_.size() >= kSeenLimit || !seen_.insert(address).second) return;
  if (inbox_ != nullptr) inbox_->Push({DiagnosisEvent::Kind::kBoxPacket, address, {}});
}

std::unique_ptr<IDiagnosisSource> CreatePacketWatcher() { return std::make_unique<PcapPacketWatcher>(); }

}  // namespace zapp
