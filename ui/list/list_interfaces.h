#pragma once
// What a list and its rows know of each other. A row sees its list only
// through IListOwnerUI (selection, item display settings, passing events
// up); the application sees the whole list through IListUI; the list sees
// each row through IListItemUI.

#include <cstdint>
#include <string>

#include "ui/base/geometry.h"
#include "ui/base/notify.h"
#include "ui/text/text_format.h"

namespace zui {

class Canvas;
class CControlUI;
class CListHeaderUI;
class CListBodyUI;

// Columns a list keeps rectangles for; header items beyond take part in the
// header's layout only.
inline constexpr int kMaxListColumns = 32;

// How every row of a list is drawn; the list owns it, rows read it.
struct ListItemInfo {
  int columns = 0;
  Rect columnRects[kMaxListColumns] = {};
  int font = -1;
  unsigned textStyle = DT_VCENTER | DT_SINGLELINE;
  Rect textPadding;
  uint32_t textColor = 0xFF000000;
  uint32_t bkColor = 0;
  std::wstring bkImage;
  bool alternateBk = false;
  uint32_t selectedTextColor = 0xFF000000;
  uint32_t selectedBkColor = 0xFFC1E3FF;
  std::wstring selectedImage;
  uint32_t hotTextColor = 0xFF000000;
  uint32_t hotBkColor = 0xFFE9F5FF;
  std::wstring hotImage;
  uint32_t disabledTextColor = 0xFFCCCCCC;
  uint32_t disabledBkColor = 0xFFFFFFFF;
  std::wstring disabledImage;
  uint32_t lineColor = 0;
  bool showRowLine = false;
  bool showColumnLine = false;
  bool showHtml = false;
  bool multiExpandable = false;
  bool rightButtonSelects = false;
};

// Supplies the cell texts of text rows.
class IListCallbackUI {
 public:
  virtual ~IListCallbackUI() = default;
  virtual std::wstring GetItemText(CControlUI* row, int index, int column) = 0;
};

// The part of a list its rows use.
class IListOwnerUI {
 public:
  virtual ~IListOwnerUI() = default;
  virtual int GetListKind() const = 0;
  virtual ListItemInfo* GetItemInfo() = 0;
  // The first of the selected indices; -1 when nothing is selected.
  virtual int GetCurrentSelection() const = 0;
  virtual bool SelectRow(int index, bool takeFocus = false) = 0;
  virtual bool AddToSelection(int index, bool takeFocus = false) = 0;
  // With `others`, every selected row except `index` is unselected.
  virtual bool UnselectRow(int index, bool others = false) = 0;
  virtual void HandleItemEvent(InputEvent& event) = 0;
  virtual bool SelectAllRows() = 0;
  virtual void UnselectAllRows() = 0;
};

class IListUI : public IListOwnerUI {
 public:
  virtual CListHeaderUI* GetHeader() const = 0;
  virtual CListBodyUI* GetBody() const = 0;
  virtual IListCallbackUI* GetTextCallback() const = 0;
  virtual void SetTextCallback(IListCallbackUI* callback) = 0;
  virtual bool ExpandRow(int index, bool expand = true) = 0;
  virtual int GetExpandedRow() const = 0;
  virtual void SetMultiSelection(bool on) = 0;
  virtual bool IsMultiSelection() const = 0;
  virtual int GetSelectedCount() const = 0;
  // The selected index chosen after `index` (in order of selection); the
  // first one for a negative index; -1 when there is none.
  virtual int GetNextSelected(int index) const = 0;
};

class IListItemUI {
 public:
  virtual ~IListItemUI() = default;
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int index) = 0;
  virtual IListOwnerUI* GetOwner() const = 0;
  // The owner is the control's list side; null for a control that has none.
  virtual void SetOwner(CControlUI* control) = 0;
  virtual bool IsSelected() const = 0;
  // Selects through the owner, which keeps its selection in step.
  virtual bool SetSelected(bool on = true) = 0;
  // Only the row's own flag; the owner's bookkeeping is the caller's.
  virtual bool MarkSelected(bool on = true) = 0;
  virtual bool IsExpanded() const = 0;
  virtual bool SetExpanded(bool expand = true) = 0;
  virtual void PaintItemText(Canvas& canvas, const Rect& rect) = 0;
};

}  // namespace zui
