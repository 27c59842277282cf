// The skinned window's frame: no native frame, hit-testing of the skin's size
// box and caption band, the size limits, the round-corner region, and the
// system commands with the maximise/restore buttons that follow them.

#include <array>

#include "ui/base/wide_text.h"
#include "ui/controls/control.h"
#include "ui/host/display_scale.h"
#include "ui/window/window_impl_base.h"

namespace zui {
namespace {

constexpr uint32_t kSysCommandMask = 0xFFF0;  // the low four bits are the system's own

// Classes that only show things: a press on them in the caption band is a
// press on the caption.
constexpr std::array<std::wstring_view, 10> kStaticClasses = {
    L"controlui",        L"textui",      L"labelui",       L"containerui",    L"horizontallayoutui",
    L"verticallayoutui", L"tablayoutui", L"childlayoutui", L"dialoglayoutui", L"progresscontainerui",
};

bool IsStaticClass(std::wstring_view className) {
  for (std::wstring_view name : kStaticClasses)
    if (EqualsIgnoreAsciiCase(className, name)) return true;
  return false;
}

}  // namespace

LRESULT_T WindowImplBase::OnNcActivate(uint32_t, WPARAM_T wParam, LPARAM_T, bool& handled) {
  if (Host().IsMinimized(GetHWND())) handled = false;
  return wParam == 0 ? 1 : 0;
}

LRESULT_T WindowImplBase::OnNcCalcSize(uint32_t, WPARAM_T, LPARAM_T, bool&) { return 0; }

LRESULT_T WindowImplBase::OnNcPaint(uint32_t, WPARAM_T, LPARAM_T, bool&) { return 0; }

LRESULT_T WindowImplBase::OnNcHitTest(uint32_t, WPARAM_T, LPARAM_T lParam, bool&) {
  const WindowHandle window = GetHWND();
  const Point point = Host().ScreenToClient(window, {LParamX(lParam), LParamY(lParam)});
  const Rect client = Host().GetClientRect(window);
  if (!Host().IsMaximized(window)) {
    const int hit = HitTestSizeBox(point, client);
    if (hit != HTNOWHERE) return hit;
  }
  if (InCaption(point, client)) {
    CControlUI* control = paintManager_.FindControl(point);
    if (control != nullptr && IsInStaticControl(control)) return HTCAPTION;
  }
  return HTCLIENT;
}

int WindowImplBase::HitTestSizeBox(Point p, const Rect& client) const {
  const Rect box = paintManager_.GetSizeBox();
  const bool left = p.x < SaturatedAdd(client.left, box.left);
  const bool right = p.x > SaturatedSub(client.right, box.right);
  if (p.y < SaturatedAdd(client.top, box.top)) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (p.y > SaturatedSub(client.bottom, box.bottom)) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  return HTNOWHERE;
}

bool WindowImplBase::InCaption(Point p, const Rect& client) const {
  const Rect caption = paintManager_.GetCaptionRect();
  // A negative bottom reaches down to the client bottom.
  const int bottom = caption.bottom < 0 ? client.bottom : caption.bottom;
  return p.x >= SaturatedAdd(client.left, caption.left) && p.x < SaturatedSub(client.right, caption.right) &&
         p.y >= caption.top && p.y < bottom;
}

bool WindowImplBase::IsInStaticControl(CControlUI* control) {
  if (control == nullptr) return false;
  for (CControlUI* c = control; c != nullptr; c = c->GetParent())
    if (!IsStaticClass(c->GetClass())) return false;
  return true;
}

LRESULT_T WindowImplBase::OnGetMinMaxInfo(uint32_t, WPARAM_T, LPARAM_T lParam, bool&) {
  auto* info = reinterpret_cast<MinMaxInfo*>(lParam);
  if (info == nullptr) return 0;
  const MonitorArea area = Host().GetMonitorArea(GetHWND());
  Rect work = area.work;
  // The maximised position is relative to the monitor's own origin.
  if (!area.primary) work = work.Offset(-area.monitor.left, -area.monitor.top);
  info->maxPosition = {work.left, work.top};
  info->maxSize = {work.Width(), work.Height()};
  const Size maxInfo = paintManager_.GetMaxInfo();
  info->maxTrackSize = {maxInfo.cx > 0 ? maxInfo.cx : work.Width(), maxInfo.cy > 0 ? maxInfo.cy : work.Height()};
  const Size minInfo = paintManager_.GetMinInfo();
  info->minTrackSize = {minInfo.cx, minInfo.cy};
  return 0;
}

LRESULT_T WindowImplBase::OnSize(uint32_t, WPARAM_T, LPARAM_T, bool& handled) {
  const WindowHandle window = GetHWND();
  if (!Host().IsMinimized(window)) {
    const Rect r = Host().GetWindowRect(window);
    // One more pixel each way: a round-rectangle region leaves out its
    // right and bottom edges.
    const Rect region{0, 0, SaturatedAdd(r.Width(), 1), SaturatedAdd(r.Height(), 1)};
    Host().SetRoundRegion(window, &region, paintManager_.GetRoundCorner());
  }
  handled = false;  // the paint manager lays the tree out
  return 0;
}

// Moved to a screen of another density: the skin is drawn at that screen's
// scale, with its fonts made again and its images loaded again, and the
// window keeps the skin's size at the new scale where the system suggests.
LRESULT_T WindowImplBase::OnDpiChanged(uint32_t, WPARAM_T wParam, LPARAM_T lParam, bool&) {
  DisplayScaleSources sources;
  sources.dpi = static_cast<int>(wParam & 0xFFFF);
  paintManager_.SetDisplayScale(ChooseDisplayScale(sources));
  const Size size = paintManager_.GetInitSize();
  const WindowHandle window = GetHWND();
  Rect place = Host().GetWindowRect(window);
  static_assert(sizeof(Rect) == 4 * sizeof(int32_t), "lParam points at a Win32 RECT");
  if (lParam != 0) place = *reinterpret_cast<const Rect*>(lParam);
  if (size.cx > 0 && size.cy > 0) place = {place.left, place.top, place.left + size.cx, place.top + size.cy};
  Host().MoveHostWindow(window, place, true);
  return 0;
}

LRESULT_T WindowImplBase::OnSysCommand(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool&) {
  const WindowHandle window = GetHWND();
  if ((wParam & kSysCommandMask) == SC_CLOSE) {
    SendMessage(WM_CLOSE);
    return 0;
  }
  const bool wasMaximized = Host().IsMaximized(window);
  const LRESULT_T result = CallPreviousProc(message, wParam, lParam);
  if (Host().IsHostWindow(window) && Host().IsMaximized(window) != wasMaximized) SwapMaxRestoreButtons(!wasMaximized);
  return result;
}

void WindowImplBase::SwapMaxRestoreButtons(bool maximized) {
  if (CControlUI* max = paintManager_.FindControl(L"maxbtn")) max->SetVisible(!maximized);
  if (CControlUI* restore = paintManager_.FindControl(L"restorebtn")) restore->SetVisible(maximized);
}

}  // namespace zui
