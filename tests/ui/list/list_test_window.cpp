#include "list_test_window.h"

#include <gtest/gtest.h>

#include "ui/window/skin_builder.h"

namespace ztest {

const wchar_t* const kChooserListSkin =
    L"<Window size=\"460,200\">"
    L"<Default name=\"VScrollBar\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot; "
    L"showbutton2=&quot;false&quot;\"/>"
    L"<VerticalLayout bkcolor=\"#FFFFFFFF\">"
    L"<List name=\"list\" bordersize=\"1\" bordercolor=\"#FF000000\" width=\"438\" height=\"180\""
    L" padding=\"17,0,0,0\" itemshowrowline=\"true\" itemlinecolor=\"#FFDFE3E9\" itemaltbk=\"false\""
    L" itemhotbkcolor=\"#FFB4F6E3\" itemselectedbkcolor=\"#FFE4F0FC\" inset=\"0,0,10,0\" vscrollbar=\"true\""
    L" scrollstepsize=\"44\" itemalign=\"center\" hscrollbar=\"false\">"
    L"<ListHeader height=\"1\" menu=\"true\">"
    L"<ListHeaderItem text=\"\" height=\"1\" sepwidth=\"0\" width=\"30\"/>"
    L"<ListHeaderItem text=\"\" height=\"1\" sepwidth=\"0\" width=\"320\"/>"
    L"<ListHeaderItem text=\"\" height=\"1\" sepwidth=\"0\" width=\"76\"/>"
    L"</ListHeader></List></VerticalLayout></Window>";

ListTestWindow::ListTestWindow(zui::Size size) : window_(size) { window_.Manager().AddNotifier(this); }

ListTestWindow::~ListTestWindow() { window_.Manager().RemoveNotifier(this); }

zui::CListUI* ListTestWindow::Build(const std::wstring& xml) {
  zui::CSkinBuilder builder;
  zui::CControlUI* root = builder.Create(xml, {}, nullptr, &window_.Manager());
  EXPECT_NE(root, nullptr);
  if (root == nullptr) return nullptr;
  EXPECT_TRUE(window_.Manager().AttachDialog(root));
  list_ = dynamic_cast<zui::CListUI*>(window_.Manager().FindControl(L"list"));
  return list_;
}

zui::CListContainerElementUI* ListTestWindow::AddRow(int height) {
  auto* row = new zui::CListContainerElementUI;
  row->SetFixedHeight(height);
  for (int i = 0; i < 3; ++i) row->Add(new zui::CControlUI);
  EXPECT_TRUE(list_->Add(row));
  return row;
}

const zui::Bitmap* ListTestWindow::Paint() { return window_.ShowAndPaint(); }

void ListTestWindow::Pump() { host().PumpPending(); }

void ListTestWindow::Click(zui::Point p) {
  host().ClickLeft(window_.Handle(), p);
  Pump();
}

void ListTestWindow::Press(zui::Point p) {
  host().PressLeft(window_.Handle(), p);
  Pump();
}

void ListTestWindow::Release(zui::Point p) {
  host().ReleaseLeft(window_.Handle(), p);
  Pump();
}

void ListTestWindow::Move(zui::Point p) {
  host().MoveMouse(window_.Handle(), p);
  Pump();
}

void ListTestWindow::Wheel(zui::Point p, int notches) {
  for (int i = 0; i < (notches < 0 ? -notches : notches); ++i)
    host().Wheel(window_.Handle(), p, notches < 0 ? -WHEEL_DELTA : WHEEL_DELTA);
  Pump();
}

void ListTestWindow::Key(int virtualKey) {
  host().PressKey(virtualKey);
  Pump();
}

void ListTestWindow::KeyWith(int modifier, int key) {
  host().PressKeys({modifier, key});
  Pump();
}

void ListTestWindow::ClickWith(int modifier, zui::Point p) {
  host().KeyDown(modifier);
  Pump();
  Click(p);
  host().KeyUp(modifier);
  Pump();
}

zui::Point ListTestWindow::RowPoint(int index) const {
  const zui::Rect& r = list_->GetItemAt(index)->GetPos();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<SeenNotify> ListTestWindow::Seen(std::wstring_view type) const {
  std::vector<SeenNotify> out;
  for (const SeenNotify& n : seen_)
    if (n.type == type) out.push_back(n);
  return out;
}

void ListTestWindow::Notify(zui::NotifyRecord& msg) { seen_.push_back({msg.type, msg.sender, msg.wParam, msg.lParam}); }

}  // namespace ztest
