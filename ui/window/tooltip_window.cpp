// The tooltip popup: one label in the tooltip colours, sized to its wrapped
// text, placed below the cursor inside the work area.

#include "ui/window/tooltip_window.h"

#include <algorithm>
#include <memory>

#include "ui/controls/label.h"
#include "ui/render/skin_renderer.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

constexpr unsigned kTextStyle = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
constexpr int kFrame = 2 * (CTooltipWindow::kBorderSize + CTooltipWindow::kPadding);
constexpr int kTallest = 32767;

// `start` moved so that [start, start + length) lies inside [low, high)
// where it fits, else starting at `low`.
int KeepInside(int start, int length, int low, int high) {
  if (SaturatedAdd(start, length) > high) start = SaturatedSub(high, length);
  return std::max(start, low);
}

}  // namespace

CTooltipWindow::~CTooltipWindow() {
  if (GetHWND() != nullptr && Host().IsHostWindow(GetHWND())) Host().DestroyHostWindow(GetHWND());
}

Size CTooltipWindow::Measure(std::wstring_view text, int maxWidth, const Rect& work) {
  const int room = std::max(work.Width(), kFrame + 1);
  const int outer = maxWidth > kFrame ? std::min(maxWidth, room) : room;
  Rect rect{0, 0, outer - kFrame, kTallest};
  CSkinRenderer::PaintText(nullptr, &manager_, rect, text, kTextColor, -1, kTextStyle | DT_CALCRECT);
  if (text.empty()) rect = {};
  return {std::min(SaturatedAdd(rect.Width(), kFrame), room), SaturatedAdd(rect.Height(), kFrame)};
}

bool CTooltipWindow::Show(WindowHandle owner, std::wstring_view text, int maxWidth, Point cursor) {
  if (!Host().IsHostWindow(GetHWND())) {
    constexpr uint32_t kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    if (Create(owner, L"", WS_POPUP, kExStyle, cursor.x, cursor.y, 0, 0) == nullptr) return false;
  }
  const Rect work = Host().GetMonitorArea(owner).work;
  const Size size = Measure(text, maxWidth, work);
  int x = KeepInside(cursor.x, size.cx, work.left, work.right);
  int y = SaturatedAdd(cursor.y, kCursorClearance);
  // No room below: above the cursor, so that it never covers the spot
  // the user points at.
  if (SaturatedAdd(y, size.cy) > work.bottom) y = SaturatedSub(cursor.y, size.cy);
  y = KeepInside(y, size.cy, work.top, work.bottom);
  text_ = std::wstring(text);
  if (label_ != nullptr) label_->SetText(text_);
  Host().MoveHostWindow(GetHWND(), {x, y, SaturatedAdd(x, size.cx), SaturatedAdd(y, size.cy)}, true);
  manager_.Invalidate();
  ShowWindow(true, false);
  return true;
}

void CTooltipWindow::Hide() {
  if (Host().IsHostWindow(GetHWND()) && Host().IsVisible(GetHWND())) ShowWindow(false);
}

bool CTooltipWindow::IsShown() const { return Host().IsHostWindow(GetHWND()) && Host().IsVisible(GetHWND()); }

void CTooltipWindow::BuildLabel() {
  auto label = std::make_unique<CLabelUI>();
  label_ = label.get();
  label_->SetBkColor(kBackground);
  label_->SetBorderColor(kBorder);
  label_->SetBorderSize(kBorderSize);
  label_->SetTextColor(kTextColor);
  constexpr int kInset = kBorderSize + kPadding;
  label_->SetTextPadding({kInset, kInset, kInset, kInset});
  label_->SetTextStyle(kTextStyle);
  label_->SetText(text_);
  manager_.AttachDialog(std::move(label));
}

LRESULT_T CTooltipWindow::HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  switch (message) {
    case WM_CREATE:
      manager_.Init(GetHWND(), L"tooltip");
      manager_.SetNoActivate(true);
      BuildLabel();
      return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: break;
  }
  LRESULT_T result = 0;
  if (manager_.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

}  // namespace zui
