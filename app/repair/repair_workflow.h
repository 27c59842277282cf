#pragma once
// The repair, apart from its window: the pages it walks through, the start
// of a repair (card, firmware, server, address), the progress percentage,
// leaving, and giving the card back. It talks to the window through
// IRepairView and ICardChooser and to the system through the seams of net/
// and a real TFTP server.
//
// Everything here runs on the UI thread; only the server's progress
// callback (installed by the window) runs on the server's worker.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/repair/diagnosis/diagnosis_hub.h"
#include "app/repair/diagnosis/diagnosis_source.h"
#include "app/repair/firmware_lookup.h"
#include "app/repair/progress_report.h"
#include "app/repair/repair_texts.h"
#include "app/repair/repair_view.h"
#include "app/repair/start_facts.h"
#include "app/repair/support/support_log.h"
#include "net/adapter_source.h"
#include "net/address_changer.h"
#include "net/net_card_info.h"
#include "net/repair_address_keeper.h"
#include "net/restore_record.h"
#include "sys/clock.h"
#include "sys/debug_output.h"
#include "tftp/tftpd.h"

namespace zapp {

// The value is also the index of the page in the window's tab.
enum RepairState : int32_t {
  Start = 0,
  WaitingForDevice = 1,
  Downloading = 2,
  Finished = 3,
  ConfirmExit = 4,
  Failed = 5,
};

// What the workflow works with; the pointers are not owned and must outlive
// it. `keeper` and `record` may be null (then there is nothing to keep or
// to record).
struct RepairSetup {
  znet::IAdapterSource* adapters = nullptr;
  znet::PhysicalCardTable physicalCards;
  znet::IAddressChanger* changer = nullptr;
  znet::IRepairAddressKeeper* keeper = nullptr;
  znet::RestoreRecordFile* record = nullptr;
  // Watch the card for the diagnosis while it has the repair address (its link, packets on it).
  std::vector<IDiagnosisSource*> cardWatchers;
  std::filesystem::path firmwareFolder;  // where the firmware is looked for and served from
  // When set, the folders the firmware is looked for in, in order, instead of
  // firmwareFolder alone; it is served from the first that holds it.
  std::vector<std::filesystem::path> firmwareSearchFolders;
  // When set, this file is the firmware, whatever its name: its size is the
  // total and its bytes answer the request for the firmware's name.
  std::filesystem::path firmwareFile;
  // When set, asked once the firmware is found and the server runs, just
  // before the card is given the repair address; false leaves the card as it
  // is, stops the server and keeps the page (as a chooser given no answer).
  std::function<bool(const znet::NetCardInfo& card)> confirmCardChange;
  std::string bindAddress = kServerBindAddress;
  int port = kServerPort;
  std::FILE* console = stdout;  // adapter dumps and state lines; null for none
  znet::TraceSink trace = zsys::DebugOutput;
  // The diagnosis's time (tests put a manual clock here).
  RepairDiagnosis::Clock clock = zsys::MonotonicMs;
  // Where each repair leaves its support log (DefaultSupportLogFolder() in
  // the programs); empty: no log is written.
  std::filesystem::path supportLogFolder;
  SupportLog::WallClock wallClock = std::chrono::system_clock::now;
};

class RepairWorkflow {
 public:
  RepairWorkflow(RepairSetup setup, IRepairView& view, ICardChooser& chooser);
  // Gives the card back and stops the server if that has not happened yet.
  ~RepairWorkflow();
  RepairWorkflow(const RepairWorkflow&) = delete;
  RepairWorkflow& operator=(const RepairWorkflow&) = delete;

  // What a start would do now: the cards, the firmware (nothing changes).
  StartFacts GatherStartFacts() const;
  // Puts them on the start page's status line.
  void ShowStartFacts();
  // "begin_btn" and "repair_retry": one attempt to start the repair.
  void StartRepair();
  // "close" (closeButton) or "exit_btn": the confirmation, or leaving.
  void OnCloseOrExitClick(bool closeButton);
  // A close that is not a button of the window (Alt+F4, the taskbar's
  // close): the same as "close".
  void RequestClose();
  // Escape: "close", except that on the confirmation it takes the answer
  // back, as Escape does in a question.
  void OnEscape();
  void CancelExit();
  // Stops the server, gives the card back and closes the window.
  void ExitRepair();
  // The window is closing, whichever way: the server stops and the card is
  // given back (once); nothing starts any more.
  void OnWindowClosing();
  // A progress report on the UI thread.
  void OnProgress(const ProgressReport& report);
  // One tick of the finishing timer.
  void OnFinishingTick();
  void FinishIfDownloading();
  // The diagnosis: the sources' events reached the UI thread (after the
  // inbox's wake function), and its once-a-second tick.
  void OnDiagnosisEvents() { diagnosis_.TakeEvents(); }
  void OnDiagnosisTick() { diagnosis_.Tick(); }
  // Where the diagnosis's sources leave their events; its wake function is the frontend's.
  DiagnosisInbox& DiagnosisEvents() { return diagnosis_.Inbox(); }
  const RepairDiagnosis& Diagnosis() const { return diagnosis_.Findings(); }
  // A stop signal (SIGTERM, Ctrl+C) is closing the program; any thread. The
  // support log then says so rather than that the user left.
  void NoteStopSignal() { stopSignalled_ = true; }
  // The support log of the latest repair; empty until one was written.
  std::filesystem::path SupportLogPath() const { return supportLog_.Path(); }
  std::vector<std::string> SupportLogLines() const { return supportLog_.Lines(); }

  // Stops and waits for the server, then gives the card back when it has
  // the repair address: keeper stopped, address restored, record removed.
  // Does nothing the second time.
  void GiveBack();

  RepairState State() const { return state_; }
  RepairState PreviousState() const { return previousState_; }
  uint32_t SelectedIndex() const { return selectedIndex_; }
  const std::vector<znet::NetCardInfo>& NetCards() const { return netCards_; }
  int64_t TotalSize() const { return totalSize_; }
  int BarValue() const { return barValue_; }
  bool CardHasRepairAddress() const { return cardGiven_; }
  const std::map<std::string, double>& FileProgress() const { return fileProgress_; }
  ztftp::tftpd& Server() { return server_; }

 private:
  void ShowPage();
  void Fail(const std::wstring& text);
  // Whether a close must ask first because the box is being changed.
  bool CloseAsksFirst() const;
  // After the card was chosen: firmware, server, address. False when the
  // attempt ended on the failure page.
  bool StartServer();
  FirmwareLookup LookUpFirmware() const;
  bool ChangeConfirmed() const;
  bool GiveRepairAddress();
  void WriteRecord();
  // The support log: a repair begins, what it works with, how it ended.
  void BeginSupportLog();
  void LogChosenCard();
  void LogFirmware(const FirmwareLookup& firmware);
  void LogCardAfter();
  void LogEnding(const std::string& how);
  void ShowSupportLogLine();
  std::string LeavingText(const char* how) const;
  void Print(const char* format, ...);

  RepairSetup setup_;
  IRepairView& view_;
  ICardChooser& chooser_;
  // Before the server: the server's worker writes into it until it is joined.
  SupportLog supportLog_;
  ztftp::tftpd server_;
  DiagnosisHub diagnosis_;

  int64_t totalSize_ = 0;
  RepairState state_ = Start;
  RepairState previousState_ = Start;
  uint32_t selectedIndex_ = 0;
  std::vector<znet::NetCardInfo> netCards_;
  std::map<std::string, double> fileProgress_;
  int barValue_ = 0;
  bool cardGiven_ = false;
  bool closing_ = false;
  bool logOpen_ = false;  // a repair's log has begun and has no ending yet
  std::atomic<bool> stopSignalled_{false};
};

}  // namespace zapp
