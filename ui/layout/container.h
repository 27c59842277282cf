#pragma once
// CContainerUI: the base of every control that holds children. It owns its
// children (unless auto-destroy is turned off), passes the paint manager
// down, paints its children inside its inset, finds controls among them and
// places floating children. The linear layouts, the tab layout and the
// scroll bars build on it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"

namespace zui {

class CScrollBarUI;

// The child-list side of a container, as the skin builder and the
// application see it.
//
// Adding takes ownership: on success the container holds the control and
// `control` is left empty; on failure `control` still holds it. Remove
// destroys the child; Detach hands it back to the caller instead.
class IContainerUI {
 public:
  virtual ~IContainerUI() = default;
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetItemIndex(CControlUI* control) const = 0;  // -1 when not a child
  virtual bool SetItemIndex(CControlUI* control, int index) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(ControlPtr&& control) = 0;
  virtual bool AddAt(ControlPtr&& control, int index) = 0;
  virtual bool Remove(CControlUI* control) = 0;
  virtual bool RemoveAt(int index) = 0;
  virtual void RemoveAll() = 0;
  // The child leaves the list alive, with no parent; null when not a child.
  virtual ControlPtr Detach(CControlUI* control) = 0;
  virtual ControlPtr DetachAt(int index) = 0;

  // For callers that hold a control by a plain pointer (the skin builder,
  // whose controls come from factories and plug-ins): the same as above,
  // and on failure the caller keeps the control it passed.
  bool Add(CControlUI* control) {
    return Adopt(control, [&](ControlPtr& owned) { return Add(std::move(owned)); });
  }
  bool AddAt(CControlUI* control, int index) {
    return Adopt(control, [&](ControlPtr& owned) { return AddAt(std::move(owned), index); });
  }

 private:
  template <typename AddFn>
  static bool Adopt(CControlUI* control, AddFn add) {
    ControlPtr owned(control);
    const bool added = add(owned);
    if (!added) static_cast<void>(owned.release());
    return added;
  }
};

// Child alignment values.
enum ChildAlign : uint32_t {
  kAlignLeft = 0,
  kAlignCenter = 1,
  kAlignRight = 2,
  kAlignTop = 0,
  kAlignVCenter = 4,
  kAlignBottom = 8,
};

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  std::wstring_view GetClass() const override;               // "ContainerUI"
  bool HasInterface(std::wstring_view name) const override;  // "Container", "IContainer"

  // IContainerUI.
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int index) override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  using IContainerUI::Add;
  using IContainerUI::AddAt;
  bool Add(ControlPtr&& control) override;
  bool AddAt(ControlPtr&& control, int index) override;
  bool Remove(CControlUI* control) override;
  bool RemoveAt(int index) override;
  void RemoveAll() override;
  ControlPtr Detach(CControlUI* control) override;
  ControlPtr DetachAt(int index) override;

  // Settings.
  virtual Rect GetInset() const;  // scaled
  virtual void SetInset(const Rect& inset);
  virtual int GetChildPadding() const;  // scaled
  virtual void SetChildPadding(int padding);
  virtual uint32_t GetChildAlign() const { return childAlign_; }
  virtual void SetChildAlign(uint32_t align);
  virtual uint32_t GetChildVAlign() const { return childVAlign_; }
  virtual void SetChildVAlign(uint32_t align);
  // With auto-destroy off the container only borrows its children: whoever
  // added them keeps them and deletes them. Removing a child, and the
  // container's own end, then let it go (no parent) instead of destroying it.
  virtual bool IsAutoDestroy() const { return autoDestroy_; }
  virtual void SetAutoDestroy(bool on) { autoDestroy_ = on; }
  // With delayed destroy on, a removed child of a container in a window dies
  // after the message being handled (it may be the control handling it).
  virtual bool IsDelayedDestroy() const { return delayedDestroy_; }
  virtual void SetDelayedDestroy(bool on) { delayedDestroy_ = on; }
  virtual bool IsMouseChildEnabled() const { return mouseChild_; }
  virtual void SetMouseChildEnabled(bool on = true) { mouseChild_ = on; }
  virtual int GetScrollStepSize() const;
  virtual void SetScrollStepSize(int size);  // below 1 ignored

  // Scrolling. Position and range are 0 for a missing or hidden bar.
  virtual Size GetScrollPos() const;
  virtual Size GetScrollRange() const;
  // Moves the children by the change; with `notify` sends "scroll".
  virtual void SetScrollPos(Size pos, bool notify = true);
  virtual void LineUp();
  virtual void LineDown();
  virtual void PageUp();
  virtual void PageDown();
  virtual void HomeUp();
  virtual void EndDown();
  virtual void LineLeft();
  virtual void LineRight();
  virtual void PageLeft();
  virtual void PageRight();
  virtual void HomeLeft();
  virtual void EndRight();
  // Creates (with the window's VScrollBar / HScrollBar defaults) or deletes
  // each bar.
  virtual void EnableScrollBar(bool vertical = true, bool horizontal = false);
  virtual CScrollBarUI* GetVerticalScrollBar() const { return verticalScrollBar_.get(); }
  virtual CScrollBarUI* GetHorizontalScrollBar() const { return horizontalScrollBar_.get(); }
  const std::wstring& GetVerticalScrollBarStyle() const { return verticalScrollBarStyle_; }
  const std::wstring& GetHorizontalScrollBarStyle() const { return horizontalScrollBarStyle_; }
  // Stores the style and applies it to the bar when there is one (and to a
  // bar made later).
  void SetScrollBarStyle(bool horizontal, std::wstring_view style);

  // CControlUI.
  void SetManager(IControlManagerUI* manager, CControlUI* parent, bool init = true) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetMouseEnabled(bool enabled = true) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  // Placement runs the same passes in every container: (1) its own
  // position, (2) the children's area (item rectangle less the inset and the
  // visible scroll bars), (3) the layout's pass over the flowing children,
  // (4) the floating children, (5) the scroll range from what the children
  // needed. Layout classes override only the third pass.
  void SetPos(Rect rc, bool needInvalidate = true) override;
  void Move(Size offset, bool needInvalidate = true) override;
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override;
  // Page Up / Down, Home, End, Up, Down and the wheel scroll the container
  // when it shows a bar.
  void DoEvent(InputEvent& event) override;
  CControlUI* FindControl(const ControlVisitor& visit, uint32_t flags, Point point = {}) override;

  // Places the floating child at `index` relative to the item rectangle.
  virtual void SetFloatPos(int index);
  // The scroll bars after a layout: shown, resized or hidden for the size
  // the children need within the children's area.
  virtual void ProcessScrollBar(const Rect& area, Size needed);
  // The item rectangle shrunk by the inset and the visible scroll bars.
  virtual Rect GetChildrenArea() const;

  // Finds a descendant by name (none: null).
  CControlUI* FindSubControl(std::wstring_view name);

 protected:
  // The third pass of SetPos: places the visible, non-floating children in
  // `area` and answers the size they need. The plain container gives each
  // the area's top-left corner and size, clamped to the child's limits.
  virtual Size LayoutChildren(const Rect& area);
  // One line step of the keys, the wheel and the arrow buttons.
  int ScrollLineStep() const;
  // One page step: the height (or width) inside the inset and the bar.
  int ScrollPage(bool vertical) const;

  // Lets go of a child that has left the list: destroyed now, destroyed by
  // the manager after the current message, or (auto-destroy off) handed
  // back to whoever owns it. `now` when the container itself is going.
  void Dispose(ControlPtr child, bool now = false);

  std::vector<ControlPtr> items_;
  std::unique_ptr<CScrollBarUI> verticalScrollBar_;
  std::unique_ptr<CScrollBarUI> horizontalScrollBar_;
  std::wstring verticalScrollBarStyle_;
  std::wstring horizontalScrollBarStyle_;

 private:
  void LetGo(CControlUI& child);
  std::unique_ptr<CScrollBarUI> MakeScrollBar(bool horizontal);
  bool ScrollByKey(wchar_t key, bool vertical);
  bool PaintChildren(Canvas& canvas, const Rect& paint, CControlUI* stop);
  void RelayoutForScrollBars();
  // One bar of ProcessScrollBar: `overflow` is how far the children reach
  // past the area along the bar, `place` the bar's rectangle while shown.
  void FitScrollBar(CScrollBarUI& bar, int64_t overflow, const Rect& place);

  Rect inset_;
  int childPadding_ = 0;
  uint32_t childAlign_ = kAlignLeft;
  uint32_t childVAlign_ = kAlignTop;
  bool autoDestroy_ = true;
  bool delayedDestroy_ = true;
  bool mouseChild_ = true;
  int scrollStepSize_ = 0;
  int scrollFitDepth_ = 0;
};

}  // namespace zui
