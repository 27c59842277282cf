#include "app/repair/vxg_down.h"

#include <cstdio>

#include "app/repair/choose_net_card.h"
#include "app/repair/language.h"
#include "app/repair/skin_language.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/host/host.h"
#include "ui/layout/tab_layout.h"

namespace zapp {
namespace {

constexpr uint32_t kChooserStyle = 0x96C80000;  // WS_POPUP | WS_VISIBLE | clip | WS_CAPTION | WS_SYSMENU
constexpr uint32_t kEndSession = 0x0016;        // WM_ENDSESSION

template <class T>
T* Find(zui::CPaintManagerUI& manager, const wchar_t* name) {
  return dynamic_cast<T*>(manager.FindControl(name));
}

void SetTextOf(zui::CPaintManagerUI& manager, const wchar_t* name, const wchar_t* text) {
  if (zui::CControlUI* control = manager.FindControl(name)) control->SetText(text);
}

}  // namespace

ZUI_BEGIN_NOTIFY_MAP(VXGDown, zui::WindowImplBase)
ZUI_ON_NOTIFY(L"click", L"close", &VXGDown::OnCloseOrExitClick)
ZUI_ON_NOTIFY(L"click", L"begin_btn", &VXGDown::StartRepair)
ZUI_ON_NOTIFY(L"click", L"exit_btn", &VXGDown::OnCloseOrExitClick)
ZUI_ON_NOTIFY(L"click", L"confirm_exit_btn", &VXGDown::ExitRepair)
ZUI_ON_NOTIFY(L"click", L"cancel_exit_btn", &VXGDown::CancelExit)
ZUI_ON_NOTIFY(L"click", L"repair_retry", &VXGDown::StartRepair)
ZUI_END_NOTIFY_MAP()

VXGDown::VXGDown(RepairSetup setup) : workflow_(std::move(setup), *this, *this) {
  // The finishing timer is the window's own: no control timer may take its id.
  paintManager_.ReserveTimerId(kFinishingTimerId);
  paintManager_.ReserveTimerId(kDiagnosisTimerId);
}

VXGDown::~VXGDown() {
  workflow_.DiagnosisEvents().SetWake(nullptr);
  workflow_.GiveBack();  // the worker is gone after this: nothing is posted any more
  std::lock_guard<std::mutex> lock(reportsMutex_);
  for (ProgressReport* report : reportsInFlight_) delete report;
  reportsInFlight_.clear();
}

void VXGDown::InitWindow() {
  SetIcon(kRepairIconId);
  progress_ = Find<zui::CProgressUI>(paintManager_, L"progress");
  pageTab_ = Find<zui::CTabLayoutUI>(paintManager_, L"downpage_tab");
  percentLabel_ = Find<zui::CLabelUI>(paintManager_, L"downloadvolume");
  waitingText_ = paintManager_.FindControl(L"waitingforuseraction_text");
  startText_ = paintManager_.FindControl(L"begin_upgrade_text");
  statusLabel_ = Find<zui::CLabelUI>(paintManager_, L"upgradeing_status");
  // The name table holds the last "begin_btn": the disabled one of the waiting page.
  beginButton_ = Find<zui::CButtonUI>(paintManager_, L"begin_btn");
  resetMark_ = Find<zui::CLabelUI>(paintManager_, L"reset_mark");
  if (progress_ != nullptr) {
    progress_->SetMaxValue(100);
    progress_->SetValue(0);
  }
  PutSkinInLanguage(paintManager_.GetRoot());
  SetFixedTexts();
  if (resetMark_ != nullptr) resetMark_->SetVisible(false);
  postTarget_ = GetHWND();
  workflow_.Server().progress_callback = [this](int position, int size, const std::string& path) {
    OnTransferProgress(position, size, path);
  };
  workflow_.ShowStartFacts();
  workflow_.DiagnosisEvents().SetWake([this] {
    if (const zui::WindowHandle target = postTarget_) zui::Host().PostMessage(target, WM_REPAIR_DIAGNOSIS, 0, 0);
  });
  zui::Host().SetTimer(GetHWND(), kDiagnosisTimerId, kDiagnosisTickMs);
}

void VXGDown::SetFixedTexts() {
  SetTextOf(paintManager_, L"end_upgrade_text", Tr(kEndUpgradeText));
  SetTextOf(paintManager_, L"upgradeing_text", Tr(kUpgradeingText));
  if (startText_ != nullptr) startText_->SetText(Tr(kStartText));
  if (beginButton_ != nullptr) beginButton_->SetText(Tr(kBeginButtonText));
  if (waitingText_ != nullptr) waitingText_->SetText(Tr(kWaitingText));
}

void VXGDown::OnTransferProgress(double position, double size, std::string path) {
  if (position == 0.0) return;
  auto* report = new ProgressReport{position, size, std::move(path)};
  {
    std::lock_guard<std::mutex> lock(reportsMutex_);
    reportsInFlight_.insert(report);
  }
  const zui::WindowHandle target = postTarget_;
  if (target != nullptr &&
      zui::Host().PostMessage(target, WM_REPAIR_PROGRESS, reinterpret_cast<zui::WPARAM_T>(report), 0)) {
    return;
  }
  std::lock_guard<std::mutex> lock(reportsMutex_);
  reportsInFlight_.erase(report);
  delete report;
}

size_t VXGDown::PendingReports() const {
  std::lock_guard<std::mutex> lock(reportsMutex_);
  return reportsInFlight_.size();
}

void VXGDown::ReceiveReport(zui::WPARAM_T wParam) {
  auto* report = reinterpret_cast<ProgressReport*>(wParam);
  {
    std::lock_guard<std::mutex> lock(reportsMutex_);
    // Only records this window posted are read (a stray message is no pointer of ours).
    if (reportsInFlight_.erase(report) == 0) return;
  }
  workflow_.OnProgress(*report);
  delete report;
}

zui::LRESULT_T VXGDown::HandleCustomMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam,
                                            bool& handled) {
  if (message == WM_REPAIR_PROGRESS) {
    ReceiveReport(wParam);
  } else if (message == WM_TIMER && wParam == kFinishingTimerId) {
    workflow_.OnFinishingTick();
  } else if (message == WM_REPAIR_DIAGNOSIS) {
    workflow_.OnDiagnosisEvents();
  } else if (message == WM_TIMER && wParam == kDiagnosisTimerId) {
    workflow_.OnDiagnosisTick();
  } else if (message == kEndSession && wParam != 0) {
    // The session ends without WM_CLOSE: the card must be given back now.
    postTarget_ = nullptr;
    workflow_.OnWindowClosing();
  }
  return WindowImplBase::HandleCustomMessage(message, wParam, lParam, handled);
}

zui::LRESULT_T VXGDown::OnClose(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) {
  // Every way of closing comes here (buttons, system close, signals): the
  // server stops and the card is given back before the window goes.
  postTarget_ = nullptr;
  workflow_.OnWindowClosing();
  zui::Host().PostQuitMessage(0);
  return WindowImplBase::OnClose(message, wParam, lParam, handled);
}

void VXGDown::OnCloseOrExitClick(zui::NotifyRecord& msg) {
  workflow_.OnCloseOrExitClick(msg.sender != nullptr && msg.sender->GetName() == L"close");
}

void VXGDown::StartRepair(zui::NotifyRecord&) { workflow_.StartRepair(); }
void VXGDown::ExitRepair(zui::NotifyRecord&) { workflow_.ExitRepair(); }
void VXGDown::CancelExit(zui::NotifyRecord&) { workflow_.CancelExit(); }

void VXGDown::ShowPage(int page, const wchar_t* icon, bool tipsVisible) {
  zui::CControlUI* tips = paintManager_.FindControl(L"repair_tips");
  zui::CControlUI* iconBg = paintManager_.FindControl(L"icon_bg");
  if (iconBg != nullptr) iconBg->SetBkImage(icon);
  if (pageTab_ != nullptr) pageTab_->SetVisible(false);
  if (tips != nullptr) tips->SetVisible(tipsVisible);
  if (pageTab_ != nullptr) {
    pageTab_->SelectItem(page);
    pageTab_->SetVisible(true);
  }
  FocusMainButton(page);
}

void VXGDown::SetErrorText(const std::wstring& text) { SetTextOf(paintManager_, L"upgrade_error_text", text.c_str()); }

void VXGDown::SetStartStatus(const std::wstring& text) { SetTextOf(paintManager_, L"start_status", text.c_str()); }

void VXGDown::SetPercentage(int percent) {
  wchar_t text[16];
  std::swprintf(text, sizeof text / sizeof text[0], L"%d%%", percent);
  if (percentLabel_ != nullptr) percentLabel_->SetText(text);
  if (progress_ != nullptr) progress_->SetValue(percent);
}

void VXGDown::SetStatusText(const std::wstring& text) {
  if (statusLabel_ != nullptr) statusLabel_->SetText(text);
}

void VXGDown::SetDiagnosis(const std::wstring& line) {
  SetTextOf(paintManager_, L"wait_status", line.c_str());
  SetTextOf(paintManager_, L"down_status", line.c_str());
}

void VXGDown::SetSupportLogLine(const std::wstring& line) {
  SetTextOf(paintManager_, L"end_log", line.c_str());
  SetTextOf(paintManager_, L"error_log", line.c_str());
}

void VXGDown::StartFinishingTimer() { zui::Host().SetTimer(GetHWND(), kFinishingTimerId, kFinishingTimerMs); }
void VXGDown::StopFinishingTimer() { zui::Host().KillTimer(GetHWND(), kFinishingTimerId); }
void VXGDown::CloseWindow() { Close(1); }

uint32_t VXGDown::ChooseCard(const std::vector<znet::NetCardInfo>& cards) {
  auto chooser = std::make_unique<ChooseNetCard>();
  if (chooser->Create(GetHWND(), Tr(kChooserTitle), kChooserStyle, WS_EX_WINDOWEDGE) == nullptr) return 0;
  zui::IUiHost& host = zui::Host();
  // Centred over this window by its own integer halves.
  const zui::Rect own = host.GetWindowRect(GetHWND());
  const int cx = own.left + (own.right - own.left) / 2;
  const int cy = own.top + (own.bottom - own.top) / 2;
  const zui::Rect rect = host.GetWindowRect(chooser->GetHWND());
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  host.MoveHostWindow(chooser->GetHWND(), {cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h}, false);
  chooser->FillNetCards(cards);
  const int result = chooser->ShowModal();
  // A loop ended by WM_QUIT leaves the window standing: it goes before its object.
  if (chooser->GetHWND() != nullptr && host.IsHostWindow(chooser->GetHWND())) {
    host.DestroyHostWindow(chooser->GetHWND());
  }
  return result > 0 ? static_cast<uint32_t>(result) : 0;
}

}  // namespace zapp
