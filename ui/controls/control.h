#pragma once
// CControlUI: the base of every windowless control. A rectangle inside a
// window that knows its wanted size, paints itself in a fixed order
// (background colour, background image, state image, foreground colour and
// image, text, border) and reacts to input events. It carries the attribute
// vocabulary every skin element shares and the sizing hints layouts read.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/base/notify.h"

namespace zui {

class Canvas;
class CControlUI;
class IControlManagerUI;

// Ownership of a control: a container's children, a window's root, a
// removed child handed back, a control waiting to be destroyed.
using ControlPtr = std::unique_ptr<CControlUI>;

// Control flags (GetControlFlags).
enum ControlFlag : uint32_t {
  kControlFlagTabStop = 0x01,
  kControlFlagSetCursor = 0x02,
  kControlFlagWantReturn = 0x04,
};

// FindControl flags.
enum FindControlFlag : uint32_t {
  kFindAll = 0x00000000,
  kFindVisible = 0x00000001,
  kFindEnabled = 0x00000002,
  kFindHitTest = 0x00000004,
  kFindUpdateTest = 0x00000008,
  kFindTopFirst = 0x00000010,
  kFindMeFirst = 0x80000000,
};

// Float alignment bits.
enum FloatAlign : uint32_t {
  kFloatAlignCenter = 0x1,
  kFloatAlignRight = 0x2,
  kFloatAlignVCenter = 0x4,
  kFloatAlignBottom = 0x8,
};

// A visitor of FindControl: answers the control when it is the one looked
// for, else null (the walk goes on).
using ControlVisitor = std::function<CControlUI*(CControlUI* control)>;

// Listeners of one kind of control event, told in order of adding. A
// listener answering false stops the telling; Notify answers whether all
// agreed.
template <typename Arg>
class ListenerList {
 public:
  using Listener = std::function<bool(Arg)>;
  void Add(Listener listener) { listeners_.push_back(std::move(listener)); }
  void Clear() { listeners_.clear(); }
  bool empty() const { return listeners_.empty(); }
  bool Notify(Arg arg) const {
    if (listeners_.empty()) return true;
    // A listener may add or clear listeners while it is told; the telling
    // goes on over the list as it was.
    const std::vector<Listener> snapshot = listeners_;
    for (const Listener& l : snapshot)
      if (!l(arg)) return false;
    return true;
  }

 private:
  std::vector<Listener> listeners_;
};

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // Identity.
  const std::wstring& GetName() const { return name_; }
  virtual void SetName(std::wstring_view name);
  virtual std::wstring_view GetClass() const;  // "ControlUI"
  // Whether the control answers to an interface name of the skin vocabulary
  // ("Control", "Container", "Button", ...). Code that needs the interface
  // itself casts to its type.
  virtual bool HasInterface(std::wstring_view name) const;
  virtual uint32_t GetControlFlags() const;
  // Acts as if clicked; false when invisible or disabled.
  virtual bool Activate();

  // Tree.
  IControlManagerUI* GetManager() const { return manager_; }
  // A container passes the manager on to its children first. With `init`
  // and a parent, the control is initialised (DoInit, then OnInit).
  virtual void SetManager(IControlManagerUI* manager, CControlUI* parent, bool init = true);
  CControlUI* GetParent() const { return parent_; }

  // Text.
  virtual std::wstring GetText() const;
  // "{\n}" in the text becomes a line feed.
  virtual void SetText(std::wstring_view text);
  bool IsResourceText() const { return resourceText_; }
  void SetResourceText(bool on);
  bool IsDragEnabled() const { return dragEnabled_; }
  void SetDragEnable(bool on) { dragEnabled_ = on; }
  bool IsDropEnabled() const { return dropEnabled_; }
  void SetDropEnable(bool on) { dropEnabled_ = on; }
  bool IsRichEvent() const { return richEvent_; }
  void SetRichEvent(bool on) { richEvent_ = on; }

  // Colours and images.
  uint32_t GetBkColor() const { return bkColor_; }
  void SetBkColor(uint32_t argb);
  uint32_t GetBkColor2() const { return bkColor2_; }
  void SetBkColor2(uint32_t argb);
  uint32_t GetBkColor3() const { return bkColor3_; }
  void SetBkColor3(uint32_t argb);
  const std::wstring& GetGradient() const { return gradient_; }
  void SetGradient(std::wstring_view direction);
  uint32_t GetForeColor() const { return foreColor_; }
  void SetForeColor(uint32_t argb);
  virtual const std::wstring& GetBkImage() const { return bkImage_; }
  virtual void SetBkImage(std::wstring_view descriptor);
  const std::wstring& GetForeImage() const { return foreImage_; }
  void SetForeImage(std::wstring_view descriptor);
  uint32_t GetBorderColor() const { return borderColor_; }
  void SetBorderColor(uint32_t argb);
  uint32_t GetFocusBorderColor() const { return focusBorderColor_; }
  void SetFocusBorderColor(uint32_t argb);
  bool IsColorHSL() const { return colorHsl_; }
  void SetColorHSL(bool on);
  int GetBorderSize() const;  // scaled
  void SetBorderSize(int size);
  Rect GetBorderSides() const;  // scaled per-side widths
  void SetBorderSides(const Rect& sides);
  void SetLeftBorderSize(int size);
  void SetTopBorderSize(int size);
  void SetRightBorderSize(int size);
  void SetBottomBorderSize(int size);
  int GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int style);
  Size GetBorderRound() const;  // scaled
  void SetBorderRound(Size round);

  // Position and size. Getters of padding, fixed position and sizes return
  // the skin's numbers scaled by the window's display scale.
  virtual const Rect& GetPos() const { return itemRect_; }
  virtual Rect GetRelativePos() const;  // relative to the parent's item rectangle
  virtual Rect GetClientPos() const { return itemRect_; }
  virtual void SetPos(Rect rc, bool needInvalidate = true);
  virtual void Move(Size offset, bool needInvalidate = true);
  virtual int GetWidth() const { return itemRect_.Width(); }
  virtual int GetHeight() const { return itemRect_.Height(); }
  virtual int GetX() const { return itemRect_.left; }
  virtual int GetY() const { return itemRect_.top; }
  virtual Rect GetPadding() const;
  virtual void SetPadding(const Rect& padding);
  virtual Point GetFixedXY() const;
  virtual void SetFixedXY(Point xy);
  // The `pos` attribute: fixed position from (l, t) or, where negative,
  // (r, b); fixed width r - l and height b - t (a negative one is ignored).
  void SetFixedPosition(const Rect& ltrb);
  virtual Size GetFixedSize() const { return {GetFixedWidth(), GetFixedHeight()}; }
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int width);  // negative ignored
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int height);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int width);
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int width);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int height);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int height);
  struct FloatPercent {
    double left = 0, top = 0, right = 0, bottom = 0;
  };
  virtual FloatPercent GetFloatPercent() const { return floatPercent_; }
  virtual void SetFloatPercent(FloatPercent percent);
  virtual void SetFloatAlign(uint32_t align);
  virtual uint32_t GetFloatAlign() const { return floatAlign_; }

  // Tooltip, cursor, shortcut, context menu, user data.
  virtual std::wstring GetToolTip() const { return tooltip_; }
  virtual void SetToolTip(std::wstring_view text);
  virtual void SetToolTipWidth(int width) { tooltipWidth_ = width; }
  virtual int GetToolTipWidth() const;               // scaled
  virtual int GetCursor() const { return cursor_; }  // SystemCursor, 0 = arrow
  virtual void SetCursor(int systemCursor) { cursor_ = systemCursor; }
  virtual wchar_t GetShortcut() const { return shortcut_; }
  virtual void SetShortcut(wchar_t ch) { shortcut_ = ch; }
  virtual bool IsContextMenuUsed() const { return menuUsed_; }
  virtual void SetContextMenuUsed(bool used) { menuUsed_ = used; }
  virtual const std::wstring& GetUserData() const { return userData_; }
  virtual void SetUserData(std::wstring_view text) { userData_ = text; }
  virtual uintptr_t GetTag() const { return tag_; }
  virtual void SetTag(uintptr_t tag) { tag_ = tag; }

  // State. A control counts as visible when both its own and its
  // internal (set by a hidden parent) visibility are on.
  virtual bool IsVisible() const { return visible_ && internVisible_; }
  // The control's own flag, whatever its parent's visibility.
  bool IsOwnVisible() const { return visible_; }
  bool IsInternVisible() const { return internVisible_; }
  virtual void SetVisible(bool visible = true);
  virtual void SetInternVisible(bool visible = true);
  virtual bool IsEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled = true);
  virtual bool IsMouseEnabled() const { return mouseEnabled_; }
  virtual void SetMouseEnabled(bool enabled = true) { mouseEnabled_ = enabled; }
  virtual bool IsKeyboardEnabled() const { return keyboardEnabled_; }
  virtual void SetKeyboardEnabled(bool enabled = true) { keyboardEnabled_ = enabled; }
  virtual bool IsFocused() const { return focused_; }
  // Asks the manager to move the keyboard focus here.
  virtual void SetFocus();
  virtual bool IsFloat() const { return float_; }
  virtual void SetFloat(bool isFloat = true);

  // The control, or the first match below it, that `visit` accepts under
  // `flags` (FindControlFlag); with kFindHitTest only controls containing
  // `point` are visited.
  virtual CControlUI* FindControl(const ControlVisitor& visit, uint32_t flags, Point point = {});

  // Initialisation: DoInit is the control's own hook, run once when its
  // tree is attached to a manager; OnInit listeners are told after it.
  void Init();
  virtual void DoInit() {}

  // Events: Event tells the OnEvent listeners, then DoEvent handles.
  void Event(InputEvent& event);
  virtual void DoEvent(InputEvent& event);

  // Attributes, the builder's single entry point. Names ignore case.
  virtual void SetAttribute(std::wstring_view name, std::wstring_view value);
  // `name="value" name2="value2"`, or the name of a style.
  void ApplyAttributeList(std::wstring_view list);
  // Custom attributes: every attribute no setter knows; the first value kept.
  void AddCustomAttribute(std::wstring_view name, std::wstring_view value);
  const std::wstring* GetCustomAttribute(std::wstring_view name) const;
  bool RemoveCustomAttribute(std::wstring_view name);
  void RemoveAllCustomAttributes() { customAttributes_.clear(); }

  // The wanted size for the available size: the fixed size, scaled.
  virtual Size EstimateSize(Size available);

  // Painting into the window's canvas, touching only `paint`. False when
  // `stop` was reached (the caller stops painting siblings too).
  virtual bool Paint(Canvas& canvas, const Rect& paint, CControlUI* stop = nullptr);
  virtual bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop);
  virtual void PaintBkColor(Canvas& canvas);
  virtual void PaintBkImage(Canvas& canvas);
  virtual void PaintStatusImage(Canvas& canvas) {}
  virtual void PaintForeColor(Canvas& canvas);
  virtual void PaintForeImage(Canvas& canvas);
  virtual void PaintText(Canvas& canvas) {}
  virtual void PaintBorder(Canvas& canvas);
  // Drawn after the main paint for controls on the manager's post-paint list.
  virtual void DoPostPaint(Canvas& canvas, const Rect& paint) {}
  // Draws a descriptor into the item rectangle (or its `dest`), clipped to
  // the current paint rectangle; false when nothing could be drawn.
  bool DrawImage(Canvas& canvas, std::wstring_view descriptor, std::wstring_view modifier = {});
  // The `dest` modifier that draws into `rect` (client coordinates): the
  // rectangle relative to the item rectangle, in skin units, since the
  // renderer scales a `dest` by the display scale itself.
  std::wstring DestModifier(const Rect& rect) const;

  // Invalidation and layout requests.
  void Invalidate();
  bool IsUpdateNeeded() const { return updateNeeded_; }
  void NeedUpdate();
  void NeedParentUpdate();

  // The sub-window name notifications are routed by; the nearest ancestor's
  // when the control has none.
  std::wstring GetVirtualWnd() const;
  void SetVirtualWnd(std::wstring_view name) { virtualWnd_ = name; }

  // Scales a skin number by the manager's display scale.
  int Scale(int value) const;
  Rect Scale(const Rect& r) const;

  // What ControlRef watches: made on the first reference, dropped when the
  // control dies, so every reference to it reads null from then on.
  std::weak_ptr<const void> Life() const;

  // The key the window's name table holds this control under (empty: not
  // entered), so the table drops it in one lookup even after a rename.
  const std::wstring& GetRegisteredName() const { return registeredName_; }
  void SetRegisteredName(std::wstring_view name) { registeredName_ = name; }

  // Listeners.
  ListenerList<CControlUI&> OnInit;
  ListenerList<CControlUI&> OnDestroy;
  ListenerList<CControlUI&> OnSize;
  ListenerList<InputEvent&> OnEvent;
  ListenerList<NotifyRecord&> OnNotify;

 protected:
  // The rectangle being painted now (item rectangle meeting the paint area).
  const Rect& CurrentPaintRect() const { return paintRect_; }
  // Sends a notification through the manager (no manager: dropped).
  void SendNotify(std::wstring_view type, WPARAM_T wParam = 0, LPARAM_T lParam = 0, bool async = false);

  IControlManagerUI* manager_ = nullptr;
  CControlUI* parent_ = nullptr;
  Rect itemRect_;
  Rect paintRect_;
  bool updateNeeded_ = true;

 private:
  // Applies one item of an attribute list; returns false to stop the list.
  static bool NextListItem(std::wstring_view& rest, std::wstring& name, std::wstring& value);
  // Clips `rect` against every ancestor; empty when an ancestor is hidden.
  Rect ClipToAncestors(Rect rect) const;

  std::wstring name_;
  std::wstring text_;
  std::wstring tooltip_;
  int tooltipWidth_ = 300;
  std::wstring userData_;
  uintptr_t tag_ = 0;
  Rect padding_;
  Point fixedXY_;
  Size fixedSize_;
  Size minSize_;
  Size maxSize_{9999, 9999};
  bool float_ = false;
  FloatPercent floatPercent_;
  uint32_t floatAlign_ = 0;
  bool visible_ = true;
  bool internVisible_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  bool keyboardEnabled_ = true;
  bool focused_ = false;
  bool menuUsed_ = false;
  bool resourceText_ = false;
  bool dragEnabled_ = false;
  bool dropEnabled_ = false;
  bool richEvent_ = false;
  bool colorHsl_ = false;
  bool tellingSize_ = false;
  // Nesting of attribute lists being applied; a style naming itself stops here.
  int attributeListDepth_ = 0;
  wchar_t shortcut_ = 0;
  int cursor_ = 0;
  uint32_t bkColor_ = 0;
  uint32_t bkColor2_ = 0;
  uint32_t bkColor3_ = 0;
  std::wstring gradient_;
  uint32_t foreColor_ = 0;
  uint32_t borderColor_ = 0;
  uint32_t focusBorderColor_ = 0;
  int borderSize_ = 0;
  Rect borderSides_;
  int borderStyle_ = 0;
  Size borderRound_;
  std::wstring bkImage_;
  std::wstring foreImage_;
  std::wstring virtualWnd_;
  std::map<std::wstring, std::wstring> customAttributes_;
  std::wstring registeredName_;
  mutable std::shared_ptr<const void> life_;
};

// A control that may die while it is remembered: the window's hot, focused,
// clicked and key controls, the sender of a queued notification, a control
// told of an event. It never owns the control and reads null once the
// control is destroyed, so nobody has to go round clearing such pointers.
class ControlRef {
 public:
  ControlRef() = default;
  ControlRef(CControlUI* control) : control_(control) {  // NOLINT: a slot is assigned a control
    if (control != nullptr) life_ = control->Life();
  }
  CControlUI* get() const { return life_.expired() ? nullptr : control_; }
  operator CControlUI*() const { return get(); }  // NOLINT: reads like the pointer it stands for
  CControlUI* operator->() const { return get(); }

 private:
  CControlUI* control_ = nullptr;
  std::weak_ptr<const void> life_;
};

}  // namespace zui
