#pragma once
// The repair's pages as terminal output: the workflow's view and card
// chooser, and the question before the card changes. On a terminal the
// progress is one bar line redrawn with \r; otherwise plain lines, one per
// ten percent, without \r or escape codes.

#include <cstdint>
#include <string>
#include <vector>

#include "app/repair/repair_view.h"
#include "app/zaviz_repair/card_choice.h"
#include "app/zaviz_repair/console_io.h"
#include "app/zaviz_repair/progress_line.h"

namespace zaviz_repair {

class TerminalView : public zapp::IRepairView, public zapp::ICardChooser {
 public:
  // `adapters` names the cards in the numbered choice.
  TerminalView(Console& console, std::vector<znet::AdapterEntry> adapters, uint32_t tickMs);

  // The workflow's view.
  void ShowPage(int page, const wchar_t* icon, bool tipsVisible) override;
  void SetErrorText(const std::wstring& text) override;
  // Printed as it comes: the facts before any question.
  void SetStartStatus(const std::wstring& text) override;
  void SetPercentage(int percent) override;
  void SetStatusText(const std::wstring& text) override;
  // A line of its own, each time the finding changes.
  void SetDiagnosis(const std::wstring& line) override;
  // The program prints the log's place as its very last line, after the outcome.
  void SetSupportLogLine(const std::wstring&) override {}
  void StartFinishingTimer() override { timerRunning_ = true; }
  void StopFinishingTimer() override { timerRunning_ = false; }
  void CloseWindow() override { closed_ = true; }

  // The numbered choice between several cards.
  uint32_t ChooseCard(const std::vector<znet::NetCardInfo>& cards) override;
  // Says what will change and asks; true for a yes.
  bool ConfirmCardChange(const znet::NetCardInfo& card);

  // A progress report as it reaches the main thread, before the workflow
  // reads it: feeds the rate and the time left.
  void NoteTransfer(double position, double size, uint64_t nowMs);
  // A line of its own (ends the bar line first).
  void Say(const std::string& line);
  // Ends the bar line, if one is shown, before other output follows.
  void EndBarLine();

  bool TimerRunning() const { return timerRunning_; }
  bool Closed() const { return closed_; }
  const std::wstring& ErrorText() const { return errorText_; }

 private:
  void DrawBar();

  Console& console_;
  const std::vector<znet::AdapterEntry> adapters_;
  const uint32_t tickMs_;
  const bool terminal_;
  TransferMeter meter_;
  PlainSteps steps_;
  std::wstring errorText_;
  int percent_ = 0;
  bool barShown_ = false;
  size_t barWidth_ = 0;
  bool timerRunning_ = false;
  bool closed_ = false;
};

}  // namespace zaviz_repair
