#pragma once
// CListUI: rows under an optional header of columns. The list is a vertical
// layout of its header above its body; the rows live in the body, and the
// list hands every row and scroll operation of its container interface to
// the body. It keeps the selection (its rows' selected flags and its own
// selected indices, always in step), tracks activation and moves the
// selection with the keys and, optionally, the wheel.

#include <vector>

#include "ui/layout/vertical_layout.h"
#include "ui/list/list_interfaces.h"

namespace zui {

class CListUI : public CVerticalLayoutUI, public IListUI {
 public:
  CListUI();
  ~CListUI() override;

  std::wstring_view GetClass() const override;               // "ListUI"
  bool HasInterface(std::wstring_view name) const override;  // "List", "IList", "IListOwner", then the layout's

  // IContainerUI. A header, a header item or a row goes where it belongs;
  // any other control becomes a child of the list itself.
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int index) override;
  int GetCount() const override;
  using IContainerUI::Add;
  using IContainerUI::AddAt;
  bool Add(ControlPtr&& control) override;
  bool AddAt(ControlPtr&& control, int index) override;
  bool Remove(CControlUI* control) override;
  bool RemoveAt(int index) override;
  void RemoveAll() override;
  ControlPtr Detach(CControlUI* control) override;
  ControlPtr DetachAt(int index) override;

  // Scrolling is the body's.
  Size GetScrollPos() const override;
  Size GetScrollRange() const override;
  void SetScrollPos(Size pos, bool notify = true) override;
  void LineUp() override;
  void LineDown() override;
  void PageUp() override;
  void PageDown() override;
  void HomeUp() override;
  void EndDown() override;
  void LineLeft() override;
  void LineRight() override;
  void PageLeft() override;
  void PageRight() override;
  void HomeLeft() override;
  void EndRight() override;
  void EnableScrollBar(bool vertical = true, bool horizontal = false) override;
  CScrollBarUI* GetVerticalScrollBar() const override;
  CScrollBarUI* GetHorizontalScrollBar() const override;

  // IListOwnerUI.
  int GetListKind() const override { return 0; }
  ListItemInfo* GetItemInfo() override { return &info_; }
  int GetCurrentSelection() const override;
  bool SelectRow(int index, bool takeFocus = false) override;
  bool AddToSelection(int index, bool takeFocus = false) override;
  bool UnselectRow(int index, bool others = false) override;
  void HandleItemEvent(InputEvent& event) override { DoEvent(event); }
  bool SelectAllRows() override;
  void UnselectAllRows() override;

  // IListUI.
  CListHeaderUI* GetHeader() const override { return header_; }
  CListBodyUI* GetBody() const override { return body_; }
  IListCallbackUI* GetTextCallback() const override { return textCallback_; }
  void SetTextCallback(IListCallbackUI* callback) override { textCallback_ = callback; }
  bool ExpandRow(int index, bool expand = true) override;
  int GetExpandedRow() const override { return expandedRow_; }
  void SetMultiSelection(bool on) override;
  bool IsMultiSelection() const override { return multiSelect_; }
  int GetSelectedCount() const override { return static_cast<int>(selected_.size()); }
  int GetNextSelected(int index) const override;

  // Settings of the list itself.
  bool IsScrollSelect() const { return scrollSelect_; }
  void SetScrollSelect(bool on) { scrollSelect_ = on; }
  bool IsFixedScrollBar() const { return fixedScrollBar_; }
  void SetFixedScrollBar(bool on);
  // One field of the item display settings; the rows are repainted.
  template <class T, class V>
  void SetItemInfoField(T ListItemInfo::*field, V value) {
    if (info_.*field == value) return;
    info_.*field = value;
    Invalidate();
  }

  // Scrolls the body so that the row at `index` is inside it.
  void ScrollRowIntoView(int index);

  // CControlUI.
  void SetPos(Rect rc, bool needInvalidate = true) override;
  void DoEvent(InputEvent& event) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;

 private:
  // The list's own children (header, body, anything else added) are kept
  // apart from the rows, which the container interface answers for.
  bool AddOwnChild(ControlPtr&& control, int index);
  ControlPtr DetachOwnChild(CControlUI* control);
  int OwnChildCount() const { return static_cast<int>(items_.size()); }
  CListHeaderUI* EnsureHeader();
  bool AddHeader(ControlPtr&& header);
  bool AddHeaderItem(ControlPtr&& control, int index);
  bool AddRowAt(ControlPtr&& control, int index);
  ControlPtr DetachRowAt(int index);
  void UpdateColumnCount();
  void CopyColumnRects();

  IListItemUI* RowAt(int index) const;
  bool IsSelectableRow(int index) const;
  // The first selectable row from `index` on (or back from it); -1 for none.
  int FindSelectableRow(int index, bool forward) const;
  bool IsSelectedIndex(int index) const;
  void ForgetSelectedIndex(int index);
  // Every remembered index at or after `from` moves by `by` (a row was
  // inserted or removed there).
  void ShiftIndices(int from, int by);
  void RenumberRows(int from);
  // A row that comes selected joins the selection.
  void AdoptSelectedRow(IListItemUI* item, int index);

  bool OnKeyDown(const InputEvent& event);
  void OnWheel(const InputEvent& event);

  bool scrollSelect_ = false;
  bool fixedScrollBar_ = false;
  bool multiSelect_ = false;
  int currentSelection_ = -1;
  int shiftAnchor_ = -1;
  std::vector<int> selected_;
  int expandedRow_ = -1;
  IListCallbackUI* textCallback_ = nullptr;
  CListBodyUI* body_ = nullptr;
  CListHeaderUI* header_ = nullptr;
  ListItemInfo info_;
};

}  // namespace zui
