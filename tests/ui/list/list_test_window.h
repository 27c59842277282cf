#pragma once
// A headless window holding a list built from skin text, rows added in code
// the way the card chooser adds them, and every notification recorded.

#include <string>
#include <vector>

#include "tests/support/skin_test_window.h"
#include "ui/list/list.h"
#include "ui/list/list_container_element.h"

namespace ztest {

struct SeenNotify {
  std::wstring type;
  zui::CControlUI* sender = nullptr;
  zui::WPARAM_T wParam = 0;
  zui::LPARAM_T lParam = 0;
};

// The chooser's list: 438 x 180 at x 17, inset right 10, a 1-pixel header of
// columns 30, 320 and 76, row lines, hot and selected colours, a vertical
// bar 8 wide and a scroll step of 44.
extern const wchar_t* const kChooserListSkin;

class ListTestWindow : public zui::INotifyUI {
 public:
  explicit ListTestWindow(zui::Size size = {460, 200});
  ~ListTestWindow() override;

  // Builds and attaches the skin; the list named "list" (null when the skin
  // has none).
  zui::CListUI* Build(const std::wstring& xml);
  // A row of `height` with three plain children, added at the end.
  zui::CListContainerElementUI* AddRow(int height = 44);
  // Shows the window and lays it out; the presented frame.
  const zui::Bitmap* Paint();

  void Click(zui::Point p);
  void Press(zui::Point p);
  void Release(zui::Point p);
  void Move(zui::Point p);
  void Wheel(zui::Point p, int notches);  // positive: away from the user
  void Key(int virtualKey);
  // `key` pressed while `modifier` (VK_CONTROL, VK_SHIFT) is held.
  void KeyWith(int modifier, int key);
  void ClickWith(int modifier, zui::Point p);
  void Pump();

  // A point inside row `index` (its middle), in client coordinates.
  zui::Point RowPoint(int index) const;
  std::vector<SeenNotify> Seen(std::wstring_view type) const;
  void ClearSeen() { seen_.clear(); }

  zui::CListUI* list() const { return list_; }
  SkinTestWindow& window() { return window_; }
  zui::HeadlessHost& host() { return window_.Host(); }

  void Notify(zui::NotifyRecord& msg) override;

 private:
  SkinTestWindow window_;
  zui::CListUI* list_ = nullptr;
  std::vector<SeenNotify> seen_;
};

}  // namespace ztest
