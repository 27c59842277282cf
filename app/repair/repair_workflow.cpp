#include "app/repair/repair_workflow.h"

#include <cerrno>
#include <cstdarg>
#include <system_error>

#include "app/repair/diagnosis/server_events.h"
#include "app/repair/diagnosis_texts.h"
#include "app/repair/language.h"
#include "app/repair/process/firmware_location.h"
#include "app/repair/process/port_holder.h"
#include "app/repair/support/repair_log_lines.h"
#include "app/repair/support/sha256.h"
#include "net/adapter_discovery.h"
#include "net/set_ip.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

// A bind refused because the port is a privileged one, not because it is busy.
bool RefusedForPrivilege(const ztftp::tftpd& server) {
#ifdef _WIN32
  (void)server;
  return false;
#else
  return server.failed_stage() == ztftp::SocketStage::kBind &&
         (server.failed_error() == EACCES || server.failed_error() == EPERM);
#endif
}

// The adapter list, empty when the system cannot give it.
std::vector<znet::AdapterEntry> AdapterList(znet::IAdapterSource& adapters) {
  std::vector<znet::AdapterEntry> list;
  if (adapters.ListAdapters(list) != znet::AdapterQuery::Ok) list.clear();
  return list;
}

// The list's name of the card with interface index `index`.
std::string AdapterNameIn(const std::vector<znet::AdapterEntry>& list, uint32_t index) {
  for (const znet::AdapterEntry& entry : list) {
    if (entry.index == index) return entry.name;
  }
  return {};
}

// The diagnosis's console line without its line end.
std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

}  // namespace

RepairWorkflow::RepairWorkflow(RepairSetup setup, IRepairView& view, ICardChooser& chooser)
    : setup_(std::move(setup)),
      view_(view),
      chooser_(chooser),
      supportLog_(setup_.supportLogFolder, setup_.wallClock),
      diagnosis_(
          setup_.clock, [this](const std::wstring& line) { view_.SetDiagnosis(line); },
          [this](const std::string& line) {
            Print("%s", line.c_str());
            supportLog_.Add(WithoutLineEnd(line));
          }) {
  // An empty path is not converted: mingw's UTF-16 to UTF-8 conversion of an
  // empty path has been seen reading past its buffer under Wine.
  server_.serve_only(kFirmwareFileName, setup_.firmwareFile.empty() ? std::string() : setup_.firmwareFile.string());
  ReportServerEvents(server_, diagnosis_.Inbox(),
                     [this](const ztftp::tftpd::PeerEvent& event) { supportLog_.Add(ServerEventLine(event)); });
}

RepairWorkflow::~RepairWorkflow() {
  GiveBack();
  LogEnding("the program ended");
}

StartFacts RepairWorkflow::GatherStartFacts() const {
  StartFacts facts;
  std::vector<znet::NetCardInfo> cards;
  znet::GetNetCards(*setup_.adapters, setup_.physicalCards, cards, nullptr);
  const std::vector<znet::AdapterEntry> adapters = AdapterList(*setup_.adapters);
  for (const znet::NetCardInfo& card : cards) facts.cards.push_back({AdapterNameIn(adapters, card.index), card});
  facts.firmware = LookUpFirmware();
  return facts;
}

void RepairWorkflow::ShowStartFacts() { view_.SetStartStatus(StartStatusText(GatherStartFacts())); }

void RepairWorkflow::StartRepair() {
  if (closing_ || (state_ != Start && state_ != Failed)) return;
  BeginSupportLog();
  const int count = znet::GetNetCards(*setup_.adapters, setup_.physicalCards, netCards_,
                                      setup_.console != nullptr ? setup_.console : stdout);
  if (count <= 0) {
    Fail(Tr(kNoWiredCardText));
    return;
  }
  if (count == 1) {
    selectedIndex_ = netCards_.front().index;
  } else {
    selectedIndex_ = chooser_.ChooseCard(netCards_);
    // The window may have been closed while the chooser ran.
    if (closing_) return;
    if (selectedIndex_ == 0) {
      LogEnding("no card was chosen");
      return;
    }
  }
  LogChosenCard();
  if (!StartServer()) return;
  if (!ChangeConfirmed()) {
    server_.shut_down();
    LogEnding("the card change was declined");
    return;
  }
  if (!GiveRepairAddress()) return;
  state_ = WaitingForDevice;
  ShowPage();
}

bool RepairWorkflow::StartServer() {
  totalSize_ = 0;
  const FirmwareLookup firmware = LookUpFirmware();
  Print("_globalfilesize=%lld\n", static_cast<long long>(firmware.size));
  if (firmware.problem != FirmwareProblem::kNone) {
    Fail(FirmwareFailureText(firmware));
    return false;
  }
  totalSize_ = firmware.size;
  LogFirmware(firmware);
  const std::string root = firmware.folder.string();
  if (server_.start(setup_.bindAddress.c_str(), setup_.port, root.c_str()) != 0) {
    if (RefusedForPrivilege(server_)) {
      Fail(Tr(kServerPrivilegeText));
    } else {
      Fail(PortBusyFailureText(setup_.port, FindUdpPortHolder(static_cast<uint16_t>(setup_.port))));
    }
    return false;
  }
  return true;
}

FirmwareLookup RepairWorkflow::LookUpFirmware() const {
  if (!setup_.firmwareFile.empty()) return LookUpFirmwareFile(setup_.firmwareFile);
  return zapp::LookUpFirmware(setup_.firmwareSearchFolders.empty() ? std::vector{setup_.firmwareFolder}
                                                                   : setup_.firmwareSearchFolders);
}

bool RepairWorkflow::ChangeConfirmed() const {
  if (!setup_.confirmCardChange) return true;
  for (const znet::NetCardInfo& card : netCards_) {
    if (card.index == selectedIndex_) return setup_.confirmCardChange(card);
  }
  return false;
}

bool RepairWorkflow::GiveRepairAddress() {
  WriteRecord();
  cardGiven_ = true;
  if (!znet::SetIP(true, selectedIndex_, netCards_, *setup_.changer, setup_.trace)) {
    // Nothing was changed: the server goes and the record with it.
    cardGiven_ = false;
    server_.shut_down();
    if (setup_.record != nullptr) setup_.record->Remove();
    Fail(Tr(kAddressFailedText));
    return false;
  }
  // The changer knows now whether the address was the card's own already.
  if (setup_.changer->RepairAddressWasOwn(selectedIndex_)) WriteRecord();
  if (setup_.keeper != nullptr) setup_.keeper->Start(selectedIndex_);
  diagnosis_.Begin();
  for (IDiagnosisSource* watcher : setup_.cardWatchers) watcher->Start(selectedIndex_, diagnosis_.Inbox());
  return true;
}

void RepairWorkflow::WriteRecord() {
  if (setup_.record == nullptr) return;
  for (const znet::NetCardInfo& card : netCards_) {
    if (card.index != selectedIndex_) continue;
    znet::RestoreRecord record =
        znet::MakeRestoreRecord(card, AdapterNameIn(AdapterList(*setup_.adapters), card.index), *setup_.changer);
    if (setup_.changer->RepairAddressWasOwn(selectedIndex_)) record.repairAddressWasOwn = true;
    std::string error;
    if (!setup_.record->Write(record, error)) Print("restore record not written: %s\n", error.c_str());
    return;
  }
}

void RepairWorkflow::BeginSupportLog() {
  supportLog_.Begin();
  logOpen_ = true;
  supportLog_.Add(ProgramLine());
  // Written at once: a repair the process does not survive still leaves its start.
  supportLog_.Save();
}

void RepairWorkflow::LogChosenCard() {
  for (const znet::NetCardInfo& card : netCards_) {
    if (card.index == selectedIndex_)
      supportLog_.Add(CardLine("before", card, AdapterNameIn(AdapterList(*setup_.adapters), card.index)));
  }
}

void RepairWorkflow::LogFirmware(const FirmwareLookup& firmware) {
  const std::filesystem::path file =
      setup_.firmwareFile.empty() ? firmware.folder / kFirmwareFileName : setup_.firmwareFile;
  supportLog_.Add(FirmwareLine(firmware.fileName, firmware.size, Sha256OfFile(file)));
  supportLog_.Save();
}

void RepairWorkflow::LogCardAfter() {
  std::vector<znet::AdapterEntry> list;
  if (setup_.adapters->ListAdapters(list) == znet::AdapterQuery::Ok) {
    for (const znet::AdapterEntry& entry : list) {
      if (entry.index == selectedIndex_) supportLog_.Add(AdapterLine("after", entry));
    }
  }
  // A log whose repair has ended already gets the card's last word in its file too.
  if (!logOpen_) supportLog_.Save();
}

void RepairWorkflow::LogEnding(const std::string& how) {
  if (!logOpen_) return;
  logOpen_ = false;
  supportLog_.Add("end: " + how);
  supportLog_.Save();
}

void RepairWorkflow::ShowSupportLogLine() {
  const std::filesystem::path path = supportLog_.Path();
  view_.SetSupportLogLine(path.empty() ? std::wstring() : Tr(kSupportLogText) + PathText(path));
}

// How a close ended a repair that had not ended by itself.
std::string RepairWorkflow::LeavingText(const char* how) const {
  if (stopSignalled_) return "stopped by a signal";
  return std::string(how) + " on page " + std::to_string(static_cast<int>(state_));
}

void RepairWorkflow::OnCloseOrExitClick(bool closeButton) {
  if (closeButton && CloseAsksFirst()) {
    previousState_ = state_;
    state_ = ConfirmExit;
    ShowPage();
    return;
  }
  ExitRepair();
}

void RepairWorkflow::CancelExit() {
  state_ = previousState_;
  ShowPage();
}

void RepairWorkflow::ExitRepair() {
  GiveBack();
  LogEnding(LeavingText("left by the user"));
  view_.CloseWindow();
}

void RepairWorkflow::OnWindowClosing() {
  closing_ = true;
  GiveBack();
  LogEnding(LeavingText("the window closed"));
}

void RepairWorkflow::GiveBack() {
  server_.shut_down();
  for (IDiagnosisSource* watcher : setup_.cardWatchers) watcher->Stop();
  diagnosis_.End();
  if (!cardGiven_) return;
  cardGiven_ = false;
  if (setup_.keeper != nullptr) setup_.keeper->Stop();
  const bool restored = znet::SetIP(false, selectedIndex_, netCards_, *setup_.changer, setup_.trace);
  supportLog_.Add(restored ? "card given back" : "card could not be given back");
  LogCardAfter();
  // A card that could not be given back keeps its record for the next start.
  if (restored && setup_.record != nullptr) setup_.record->Remove();
}

void RepairWorkflow::OnProgress(const ProgressReport& report) {
  diagnosis_.OnProgress(report.position);
  if (state_ == WaitingForDevice) {
    // The first report only tells that the device has begun.
    state_ = Downloading;
    ShowPage();
    return;
  }
  fileProgress_[report.path] = report.position;
  double sum = 0;
  for (const auto& entry : fileProgress_) sum += entry.second;
  if (totalSize_ <= 0) return;
  const int percent = static_cast<int>(sum * 1.0 / static_cast<double>(totalSize_) * kDownloadShare);
  // The bar never goes back, and completion is only checked when it moves.
  if (barValue_ >= percent) return;
  barValue_ = percent;
  view_.SetPercentage(percent);
  if (sum == static_cast<double>(totalSize_)) {
    view_.SetStatusText(Tr(kUpdatingStatus));
    diagnosis_.OnDownloadComplete();
    view_.StartFinishingTimer();
    fileProgress_.clear();
  }
}

void RepairWorkflow::OnFinishingTick() {
  barValue_ += 1;
  view_.SetPercentage(barValue_);
  if (barValue_ >= 100) {
    view_.StopFinishingTimer();
    FinishIfDownloading();
  }
}

void RepairWorkflow::FinishIfDownloading() {
  if (state_ != Downloading) return;
  diagnosis_.TakeEvents();
  if (diagnosis_.Findings().AskedAgain()) {
    // The box asked for the image after it had all of it: it did not take
    // it, and the success page would say the opposite. The card goes back
    // first, so a retry starts from the card's own setup.
    GiveBack();
    Fail(Tr(kDiagAskedAgain));
    return;
  }
  state_ = Finished;
  LogEnding("finished");
  ShowSupportLogLine();
  ShowPage();
}

void RepairWorkflow::ShowPage() {
  view_.ShowPage(state_, state_ >= ConfirmExit ? kWarningIcon : kNormalIcon, state_ < Finished);
  Print("page %d\n", static_cast<int>(state_));
}

void RepairWorkflow::Fail(const std::wstring& text) {
  state_ = Failed;
  view_.SetErrorText(text);
  LogEnding("failed: " + zsys::WideToUtf8(text));
  ShowSupportLogLine();
  ShowPage();
}

void RepairWorkflow::Print(const char* format, ...) {
  if (setup_.console == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(setup_.console, format, args);
  va_end(args);
  std::fflush(setup_.console);
}

}  // namespace zapp
