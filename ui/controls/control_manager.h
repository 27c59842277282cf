#pragma once
// What a control asks of its window: the few operations of the paint manager
// that controls call. The paint manager implements this interface, so a
// control sees its window without pulling in the window layer.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/controls/control.h"
#include "ui/render/render_resources.h"

namespace zui {

// The default colours a window gives controls that set none of their own.
struct DefaultColors {
  uint32_t disabledText = 0xFFA7A6AA;
  uint32_t text = 0xFF000000;
  uint32_t link = 0xFF0000FF;
  uint32_t linkHover = 0xFFD3215F;
  uint32_t selectedBk = 0xFFBAE4FF;
};

class IControlManagerUI : public IRenderResources {
 public:
  // The native window, and the last mouse point seen in client coordinates.
  virtual WindowHandle GetPaintWindow() const = 0;
  virtual Point GetMousePos() const = 0;

  // The tree: a control added under `parent` gets this manager; a control
  // being destroyed has its timers and name dropped; a subtree leaving the
  // window alive is forgotten and loses its manager; a removed one is
  // destroyed once the current message is handled, since it may be the
  // control handling it.
  virtual bool InitControls(CControlUI* control, CControlUI* parent) = 0;
  virtual void ReapObjects(CControlUI* control) = 0;
  virtual void ReleaseTree(CControlUI* control) = 0;
  virtual void DestroyLater(ControlPtr control) = 0;
  // The last control of that name in document order; null when unknown.
  virtual CControlUI* FindControl(std::wstring_view name) const = 0;

  // Keyboard focus.
  virtual CControlUI* GetFocus() const = 0;
  virtual void SetFocus(CControlUI* control, bool focusWindow = true) = 0;

  // Notifications to the window's listeners, now or through its queue.
  virtual void SendNotify(CControlUI* sender, std::wstring_view type, WPARAM_T wParam = 0, LPARAM_T lParam = 0,
                          bool async = false) = 0;

  // Control timers, keyed by the control's own number.
  virtual bool SetTimer(CControlUI* control, uint32_t key, uint32_t elapseMs) = 0;
  virtual bool KillTimer(CControlUI* control, uint32_t key) = 0;
  virtual void KillTimer(CControlUI* control) = 0;

  // Layout and repaint.
  virtual void NeedUpdate() = 0;
  virtual void Invalidate(const Rect& rect) = 0;

  // The skin's styles, default attribute lists and default colours.
  virtual const std::wstring* GetStyle(std::wstring_view name) = 0;
  virtual const std::wstring* GetDefaultAttributeList(std::wstring_view element) = 0;
  virtual const DefaultColors& GetDefaultColors() const = 0;
};

}  // namespace zui
