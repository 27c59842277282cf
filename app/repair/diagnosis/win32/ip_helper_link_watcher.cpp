// The repair card's link on Windows: its media state at the start and on
// every IP interface change the IP Helper reports. Packets on the card
// (ARP, requests to other addresses) need a capture driver and are not
// watched here; the server's own events still are.

// clang-format off
#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <netioapi.h>
// clang-format on

#include <mutex>

#include "app/repair/diagnosis/diagnosis_source.h"
#include "app/repair/diagnosis_texts.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

class IpHelperLinkWatcher : public IDiagnosisSource {
 public:
  ~IpHelperLinkWatcher() override { Stop(); }

  void Start(uint32_t index, DiagnosisInbox& inbox) override {
    Stop();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      index_ = index;
      inbox_ = &inbox;
      linkUp_ = -1;
    }
    // Registered before the state is read, so no change falls between the two.
    if (NotifyIpInterfaceChange(AF_INET, &IpHelperLinkWatcher::Changed, this, FALSE, &handle_) != NO_ERROR) {
      handle_ = nullptr;
      inbox.Push(DiagnosisEvent::SourceMissing(kDiagCannotSeeLink));
      return;
    }
    Look();
  }

  void Stop() override {
    // Returns once no callback runs any more.
    if (handle_ != nullptr) CancelMibChangeNotify2(handle_);
    handle_ = nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    inbox_ = nullptr;
  }

 private:
  static void WINAPI Changed(void* context, MIB_IPINTERFACE_ROW* row, MIB_NOTIFICATION_TYPE) {
    auto* self = static_cast<IpHelperLinkWatcher*>(context);
    if (row == nullptr || row->InterfaceIndex == self->index_) self->Look();
  }

  void Look() {
    MIB_IF_ROW2 row{};
    row.InterfaceIndex = index_;
    if (GetIfEntry2(&row) != NO_ERROR) return;
    const int up = row.MediaConnectState == MediaConnectStateConnected ? 1 : 0;
    std::lock_guard<std::mutex> lock(mutex_);
    if (inbox_ == nullptr || up == linkUp_) return;
    linkUp_ = up;
    inbox_->Push({up ? DiagnosisEvent::Kind::kLinkUp : DiagnosisEvent::Kind::kLinkDown, {}, {}});
  }

  std::mutex mutex_;
  uint32_t index_ = 0;
  DiagnosisInbox* inbox_ = nullptr;
  int linkUp_ = -1;
  HANDLE handle_ = nullptr;
};

}  // namespace

std::unique_ptr<IDiagnosisSource> CreateLinkWatcher() { return std::make_unique<IpHelperLinkWatcher>(); }

std::unique_ptr<IDiagnosisSource> CreatePacketWatcher() { return nullptr; }

}  // namespace zapp
