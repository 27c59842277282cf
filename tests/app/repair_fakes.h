#pragma once
// Stand-ins for the repair program's seams: an address changer and a keeper
// that write what they are asked into one shared journal, a view that
// records the workflow's calls, a chooser with a prepared answer, and a real
// server port that is free.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/repair/repair_view.h"
#include "app/repair/repair_workflow.h"
#include "net/address_changer.h"
#include "net/repair_address_keeper.h"

namespace zapp::testing {

using Journal = std::vector<std::string>;

class FakeChanger : public znet::IAddressChanger {
 public:
  explicit FakeChanger(Journal& journal) : journal_(journal) {}
  bool GiveRepairAddress(uint32_t index) override;
  bool RestoreCard(uint32_t index, const znet::NetCardInfo& recorded) override;
  bool RepairAddressWasOwn(uint32_t) const override { return wasOwn; }

  bool giveAnswer = true;
  bool restoreAnswer = true;
  bool wasOwn = false;
  // When set, the journal notes at each change whether this file existed.
  std::filesystem::path recordToWatch;

 private:
  void NoteRecord(const char* when);
  Journal& journal_;
};

class FakeKeeper : public znet::IRepairAddressKeeper {
 public:
  explicit FakeKeeper(Journal& journal) : journal_(journal) {}
  bool Start(uint32_t index) override {
    journal_.push_back("keep " + std::to_string(index));
    return true;
  }
  void Stop() override { journal_.push_back("keeper stop"); }

 private:
  Journal& journal_;
};

// How many entries of `journal` begin with `prefix`.
int CountOf(const Journal& journal, const std::string& prefix);

class RecordingView : public IRepairView {
 public:
  void ShowPage(int page, const wchar_t* icon, bool tipsVisible) override {
    pages.push_back(page);
    this->icon = icon;
    tips = tipsVisible;
  }
  void SetErrorText(const std::wstring& text) override { errorText = text; }
  void SetStartStatus(const std::wstring& text) override { startStatus = text; }
  void SetPercentage(int percent) override { percents.push_back(percent); }
  void SetStatusText(const std::wstring& text) override { status = text; }
  void SetDiagnosis(const std::wstring& line) override { diagnoses.push_back(line); }
  void SetSupportLogLine(const std::wstring& line) override { supportLogLine = line; }
  void StartFinishingTimer() override { ++timerStarts; }
  void StopFinishingTimer() override { ++timerStops; }
  void CloseWindow() override { ++closes; }

  std::vector<int> pages;
  std::wstring icon;
  bool tips = true;
  std::wstring errorText;
  std::wstring startStatus;
  std::vector<int> percents;
  std::wstring status;
  std::vector<std::wstring> diagnoses;
  std::wstring supportLogLine;
  int timerStarts = 0, timerStops = 0, closes = 0;
};

class ScriptedChooser : public ICardChooser {
 public:
  uint32_t ChooseCard(const std::vector<znet::NetCardInfo>& cards) override {
    offered = cards;
    ++asked;
    return answer;
  }
  uint32_t answer = 0;
  int asked = 0;
  std::vector<znet::NetCardInfo> offered;
};

// A loopback UDP port that nothing holds right now.
int FreeUdpPort();

// The setup of a test: these stand-ins, the server on 127.0.0.1:`port`,
// trace lines dropped.
RepairSetup LoopbackSetup(znet::IAdapterSource& adapters, const znet::PhysicalCardTable& physical, FakeChanger& changer,
                          FakeKeeper& keeper, znet::RestoreRecordFile& record,
                          const std::filesystem::path& firmwareFolder, int port, std::FILE* console);

}  // namespace zapp::testing
