// The first layout ("windowinit"), layouts asked for since, and painting the
// tree off-screen into the window's bitmap, which the host then presents.

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/host.h"
#include "ui/layout/container.h"
#include "ui/render/canvas.h"
#include "ui/render/skin_renderer.h"

namespace zui {

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kUpdateRectOutline = 0xFFDC0000;

// The visible controls that asked for a layout; a control's own layout
// places everything below it, so its children are not looked at.
void CollectUpdateNeeded(CControlUI* control, std::vector<CControlUI*>& due) {
  if (!control->IsVisible()) return;
  if (control->IsUpdateNeeded()) {
    due.push_back(control);
    return;
  }
  auto* container = dynamic_cast<IContainerUI*>(control);
  if (container == nullptr) return;
  for (int i = 0; i < container->GetCount(); ++i) CollectUpdateNeeded(container->GetItemAt(i), due);
}

}  // namespace

void CPaintManagerUI::Invalidate() {
  if (window_ != nullptr) Host().InvalidateRect(window_, nullptr);
}

void CPaintManagerUI::Invalidate(const Rect& rect) {
  if (window_ != nullptr && !rect.IsEmpty()) Host().InvalidateRect(window_, &rect);
}

void CPaintManagerUI::LayoutIfNeeded(bool& laidOut) {
  laidOut = false;
  if (!updateNeeded_ || root_ == nullptr) return;
  updateNeeded_ = false;
  const Rect client = GetClientRect();
  if (client.IsEmpty() || Host().IsMinimized(window_)) return;
  if (root_->IsUpdateNeeded()) {
    offscreen_ = Bitmap();
    root_->SetPos(client, true);
  } else {
    std::vector<CControlUI*> due;
    CollectUpdateNeeded(root_.get(), due);
    for (CControlUI* c : due) c->SetPos(c->GetPos(), true);
  }
  laidOut = true;
}

void CPaintManagerUI::Paint() {
  if (root_ == nullptr) {
    const Rect client = GetClientRect();
    const Rect update = Host().BeginPaint(window_).Intersect(client);
    offscreen_.Resize(client.Width(), client.Height());
    Canvas canvas(offscreen_);
    canvas.CopyFill(update, kBlack);
    if (!update.IsEmpty()) Host().Present(window_, offscreen_, update);
    Host().EndPaint(window_);
    return;
  }
  TakeNeededFocus();
  bool laidOut = false;
  LayoutIfNeeded(laidOut);
  if (laidOut && firstLayout_) {
    firstLayout_ = false;
    SendNotify(root_.get(), L"windowinit");
    // The window has its final place and size only now.
    shadow_.Update();
  }
  if (root_ == nullptr) return;  // a listener of "windowinit" took the tree away

  const Rect client = GetClientRect();
  const Rect update = Host().BeginPaint(window_).Intersect(client);
  if (offscreen_.width() != client.Width() || offscreen_.height() != client.Height())
    offscreen_.Resize(client.Width(), client.Height());
  if (!update.IsEmpty()) {
    PaintInto(offscreen_, update);
    if (showUpdateRect_) {
      Canvas canvas(offscreen_);
      CSkinRenderer::PaintRect(canvas, update, 1, kUpdateRectOutline);
    }
    // The window may put the frame on screen itself (a layered window does).
    const LRESULT_T taken = Host().SendMessage(window_, kMsgPresentFrame, reinterpret_cast<WPARAM_T>(&update),
                                               reinterpret_cast<LPARAM_T>(&offscreen_));
    if (taken == 0) Host().Present(window_, offscreen_, update);
  }
  Host().EndPaint(window_);
  // Painting itself asked for a new layout: paint again once it is done.
  if (updateNeeded_) Invalidate();
  if (laidOut) SendNotify(root_.get(), L"windowsize", 0, 0, true);
}

void CPaintManagerUI::PaintInto(Bitmap& target, const Rect& area) {
  Canvas canvas(target);
  const Rect clip = area.Intersect({0, 0, target.width(), target.height()});
  if (clip.IsEmpty()) return;
  canvas.SetClip(ClipRegion::FromRect(clip));
  // Stale pixels would show through translucent controls, and translucent
  // fills would pile up over repaints.
  canvas.CopyFill(clip, 0);
  root_->Paint(canvas, clip, nullptr);
  const std::vector<CControlUI*> post = postPaintControls_;
  for (CControlUI* control : post) control->DoPostPaint(canvas, clip);
}

}  // namespace zui
