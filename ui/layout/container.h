#pragma once
// CContainerUI: the base of every control that holds children. It keeps the
// child list (owning the children when auto-destroy is on), passes the paint
// manager down, paints its children inside its inset, finds controls among
// them and places floating children. The linear layouts, the tab layout and
// the scroll bars build on it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"

namespace zui {

class CScrollBarUI;

// The child-list side of a container, as the skin builder and the
// application see it.
class IContainerUI {
 public:
  virtual ~IContainerUI() = default;
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetItemIndex(CControlUI* control) const = 0;  // -1 when not a child
  virtual bool SetItemIndex(CControlUI* control, int index) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(CControlUI* control) = 0;
  virtual bool AddAt(CControlUI* control, int index) = 0;
  // Destroys the child when auto-destroy is on, unless `doNotDestroy`.
  virtual bool Remove(CControlUI* control, bool doNotDestroy = false) = 0;
  virtual bool RemoveAt(int index, bool doNotDestroy = false) = 0;
  virtual void RemoveAll() = 0;
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

  std::wstring_view GetClass() const override;         // "ContainerUI"
  void* GetInterface(std::wstring_view name) override;  // "Container", "IContainer"

  // IContainerUI.
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int index) override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;

  // Settings.
  virtual Rect GetInset() const;  // scaled
  virtual void SetInset(const Rect& inset);
  virtual int GetChildPadding() const;  // scaled
  virtual void SetChildPadding(int padding);
  virtual uint32_t GetChildAlign() const { return childAlign_; }
  virtual void SetChildAlign(uint32_t align);
  virtual uint32_t GetChildVAlign() const { return childVAlign_; }
  virtual void SetChildVAlign(uint32_t align);
  virtual bool IsAutoDestroy() const { return autoDestroy_; }
  virtual void SetAutoDestroy(bool on) { autoDestroy_ = on; }
  virtual bool IsDelayedDestroy() const { return delayedDestroy_; }
  virtual void SetDelayedDestroy(bool on) { delayedDestroy_ = on; }
  virtual bool IsMouseChildEnabled() const { return mouseChild_; }
  virtual void SetMouseChildEnabled(bool on = true) { mouseChild_ = on; }
  virtual int GetScrollStepSize() const;
  virtual void SetScrollStepSize(int size);  // below 1 ignored

  // Scroll bars come with the scroll-bar control; until then none is made.
  virtual CScrollBarUI* GetVerticalScrollBar() const { return verticalScrollBar_; }
  virtual CScrollBarUI* GetHorizontalScrollBar() const { return horizontalScrollBar_; }
  bool IsVerticalScrollBarWanted() const { return verticalScrollBarWanted_; }
  bool IsHorizontalScrollBarWanted() const { return horizontalScrollBarWanted_; }
  const std::wstring& GetVerticalScrollBarStyle() const { return verticalScrollBarStyle_; }
  const std::wstring& GetHorizontalScrollBarStyle() const { return horizontalScrollBarStyle_; }

  // CControlUI.
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetMouseEnabled(bool enabled = true) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  // Plain container: every visible non-floating child gets the working
  // rectangle's top-left corner and its size (clamped to the child's
  // limits); floating children are placed by SetFloatPos.
  void SetPos(Rect rc, bool needInvalidate = true) override;
  void Move(Size offset, bool needInvalidate = true) override;
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override;
  CControlUI* FindControl(FindControlProc proc, void* data, uint32_t flags) override;

  // Places the floating child at `index` relative to the item rectangle.
  virtual void SetFloatPos(int index);
  // The item rectangle shrunk by the inset and the visible scroll bars.
  virtual Rect GetChildrenArea() const;

  // Finds a descendant by name (none: null).
  CControlUI* FindSubControl(std::wstring_view name);

 protected:
  std::vector<CControlUI*> items_;
  CScrollBarUI* verticalScrollBar_ = nullptr;
  CScrollBarUI* horizontalScrollBar_ = nullptr;
  std::wstring verticalScrollBarStyle_;
  std::wstring horizontalScrollBarStyle_;
  // What the skin asked for with vscrollbar / hscrollbar; the scroll bars
  // themselves are made by the scroll-bar control's side of the container.
  bool verticalScrollBarWanted_ = false;
  bool horizontalScrollBarWanted_ = false;

 private:
  void DestroyChild(CControlUI* control);

  Rect inset_;
  int childPadding_ = 0;
  uint32_t childAlign_ = kAlignLeft;
  uint32_t childVAlign_ = kAlignTop;
  bool autoDestroy_ = true;
  bool delayedDestroy_ = true;
  bool mouseChild_ = true;
  int scrollStepSize_ = 0;
};

}  // namespace zui
