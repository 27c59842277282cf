#pragma once
// VXGDown: the repair window. A thin view over RepairWorkflow: its buttons
// become workflow calls, the workflow's page, texts, bar and timer become
// control changes. The server's progress reports travel from the worker
// thread as posted WM_REPAIR_PROGRESS messages carrying a heap record.

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "app/repair/progress_report.h"
#include "app/repair/repair_view.h"
#include "app/repair/repair_workflow.h"
#include "ui/window/window_impl_base.h"

namespace zui {
class CButtonUI;
class CControlUI;
class CLabelUI;
class CProgressUI;
class CTabLayoutUI;
}  // namespace zui

namespace zapp {

inline constexpr uint32_t WM_REPAIR_PROGRESS = WM_USER + 101;
// Posted when a second start asks for this window: it comes to the front.
inline constexpr uint32_t WM_REPAIR_RAISE = WM_USER + 102;
// The diagnosis's sources left events in the workflow's inbox (no payload).
inline constexpr uint32_t WM_REPAIR_DIAGNOSIS = WM_USER + 103;
inline constexpr int kRepairIconId = 138;

class VXGDown : public zui::WindowImplBase, private IRepairView, private ICardChooser {
 public:
  explicit VXGDown(RepairSetup setup);
  // Reports posted but never received are freed here.
  ~VXGDown() override;

  std::wstring_view GetWindowClassName() const override { return L"VXGDown"; }
  std::wstring GetSkinFile() override { return L"vxgdown.xml"; }
  void InitWindow() override;

  RepairWorkflow& Workflow() { return workflow_; }
  // The server's progress callback (worker thread): posts a report unless
  // `position` is 0. A report the window cannot take is freed at once.
  void OnTransferProgress(double position, double size, std::string path);
  // Reports posted and not yet received.
  size_t PendingReports() const;

  ZUI_DECLARE_NOTIFY_MAP();

 public:
  void OnCloseOrExitClick(zui::NotifyRecord& msg);
  void StartRepair(zui::NotifyRecord& msg);
  void ExitRepair(zui::NotifyRecord& msg);
  void CancelExit(zui::NotifyRecord& msg);

  zui::LRESULT_T OnClose(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) override;
  zui::LRESULT_T HandleCustomMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam,
                                     bool& handled) override;
  // Keys and closes (vxg_down_keys.cpp): Alt+F4 and the taskbar's close ask
  // the workflow like "close"; Escape is "close" too. The message filter
  // also takes WM_REPAIR_RAISE.
  zui::LRESULT_T OnSysCommand(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) override;
  zui::LRESULT_T MessageHandler(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) override;
  bool ResponseDefaultKeyEvent(zui::WPARAM_T key) override;

 private:
  // IRepairView.
  void ShowPage(int page, const wchar_t* icon, bool tipsVisible) override;
  void SetErrorText(const std::wstring& text) override;
  void SetStartStatus(const std::wstring& text) override;
  void SetPercentage(int percent) override;
  void SetStatusText(const std::wstring& text) override;
  void SetDiagnosis(const std::wstring& line) override;
  void SetSupportLogLine(const std::wstring& line) override;
  void StartFinishingTimer() override;
  void StopFinishingTimer() override;
  void CloseWindow() override;
  // ICardChooser: the chooser window, modal over this one.
  uint32_t ChooseCard(const std::vector<znet::NetCardInfo>& cards) override;

  void ReceiveReport(zui::WPARAM_T wParam);
  // The keyboard starts on the page's main button, or nowhere when the page
  // has none to press.
  void FocusMainButton(int page);
  void SetFixedTexts();

  zui::CProgressUI* progress_ = nullptr;
  zui::CTabLayoutUI* pageTab_ = nullptr;
  zui::CLabelUI* percentLabel_ = nullptr;
  zui::CControlUI* waitingText_ = nullptr;
  zui::CControlUI* startText_ = nullptr;
  zui::CLabelUI* statusLabel_ = nullptr;
  zui::CButtonUI* beginButton_ = nullptr;
  zui::CLabelUI* resetMark_ = nullptr;
  RepairWorkflow workflow_;

  // What the worker thread may touch: where to post, and the records in flight.
  std::atomic<zui::WindowHandle> postTarget_{nullptr};
  mutable std::mutex reportsMutex_;
  std::set<ProgressReport*> reportsInFlight_;
};

}  // namespace zapp
