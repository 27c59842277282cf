#pragma once
// What the repair workflow needs from its window and from the card chooser.
// The window implements both over its controls; tests record the calls.

#include <cstdint>
#include <string>
#include <vector>

#include "net/net_card_info.h"

namespace zapp {

class IRepairView {
 public:
  virtual ~IRepairView() = default;
  // Shows page `page` of the tab with the icon image `icon`; the tips line
  // below the pages is shown or hidden.
  virtual void ShowPage(int page, const wchar_t* icon, bool tipsVisible) = 0;
  virtual void SetErrorText(const std::wstring& text) = 0;
  // The start page's status line: what a start would do, or what is missing.
  virtual void SetStartStatus(const std::wstring& text) = 0;
  // The percentage label ("%d%%") and the bar's value.
  virtual void SetPercentage(int percent) = 0;
  virtual void SetStatusText(const std::wstring& text) = 0;
  // The diagnosis's latest finding, under the waiting and downloading pages.
  virtual void SetDiagnosis(const std::wstring& line) = 0;
  // Where the support log of the repair that ended is, for the failure and
  // finished pages; empty when no log could be written.
  virtual void SetSupportLogLine(const std::wstring& line) = 0;
  virtual void StartFinishingTimer() = 0;
  virtual void StopFinishingTimer() = 0;
  // Closes the window with result 1; the program ends.
  virtual void CloseWindow() = 0;
};

class ICardChooser {
 public:
  virtual ~ICardChooser() = default;
  // Asks which of `cards` is connected to the device: its interface index,
  // 0 when the user gave no answer.
  virtual uint32_t ChooseCard(const std::vector<znet::NetCardInfo>& cards) = 0;
};

}  // namespace zapp
