// The tab layout's page rules as pages come and go.

#include <gtest/gtest.h>

#include "ui/controls/page_selector.h"
#include "ui/layout/tab_layout.h"

namespace zui {
namespace {

CControlUI* Page(bool visible = true) {
  auto* c = new CControlUI;
  c->SetVisible(visible);
  return c;
}

std::vector<bool> Shown(const CTabLayoutUI& tabs) {
  std::vector<bool> shown;
  for (int i = 0; i < tabs.GetCount(); ++i) shown.push_back(tabs.GetItemAt(i)->IsVisible());
  return shown;
}

TEST(TabLayout, FirstVisiblePageBecomesCurrentAndTheRestHide) {
  CTabLayoutUI tabs;
  tabs.Add(Page(false));
  tabs.Add(Page());
  tabs.Add(Page());
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(Shown(tabs), (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(tabs.Add(nullptr));
}

TEST(TabLayout, AddingBeforeTheCurrentPageKeepsItCurrentAndHidesTheNewOne) {
  CTabLayoutUI tabs;
  tabs.Add(Page());
  tabs.Add(Page());
  ASSERT_TRUE(tabs.SelectItem(1));
  CControlUI* current = tabs.GetItemAt(1);
  tabs.AddAt(Page(), 0);
  EXPECT_EQ(tabs.GetCurSel(), 2);
  EXPECT_EQ(tabs.GetItemAt(2), current);
  EXPECT_EQ(Shown(tabs), (std::vector<bool>{false, false, true}));
  tabs.AddAt(Page(), 3);  // after the current page
  EXPECT_EQ(tabs.GetCurSel(), 2);
  EXPECT_FALSE(tabs.GetItemAt(3)->IsVisible());
}

TEST(TabLayout, RemovingPagesMovesTheCurrentIndex) {
  CTabLayoutUI tabs;
  for (int i = 0; i < 4; ++i) tabs.Add(Page());
  ASSERT_TRUE(tabs.SelectItem(2));
  CControlUI* current = tabs.GetItemAt(2);
  EXPECT_TRUE(tabs.RemoveAt(0));
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(tabs.GetItemAt(1), current);
  EXPECT_TRUE(tabs.Remove(current));  // the current page: page 0 takes over
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_EQ(Shown(tabs), (std::vector<bool>{true, false}));
  tabs.RemoveAll();
  EXPECT_EQ(tabs.GetCurSel(), -1);
  tabs.Add(Page());
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_TRUE(tabs.RemoveAt(0));
  EXPECT_EQ(tabs.GetCurSel(), -1);
}

TEST(TabLayout, SelectionThroughThePageSelectorAndLayoutOfTheCurrentPage) {
  CTabLayoutUI tabs;
  tabs.SetAttribute(L"inset", L"2,3,4,5");
  CControlUI* a = Page();
  CControlUI* b = Page();
  b->SetAttribute(L"padding", L"1,1,1,1");
  b->SetAttribute(L"height", L"20");
  tabs.Add(a);
  tabs.Add(b);
  IPageSelectorUI* selector = &tabs;
  EXPECT_FALSE(selector->SelectItem(-1));
  EXPECT_FALSE(selector->SelectItem(2));
  EXPECT_FALSE(tabs.SelectItem(static_cast<CControlUI*>(nullptr)));
  tabs.SetPos({0, 0, 100, 50});
  EXPECT_EQ(a->GetPos(), (Rect{2, 3, 96, 45}));
  EXPECT_TRUE(selector->SelectItem(1));
  EXPECT_EQ(b->GetPos(), (Rect{3, 4, 95, 24}));
  EXPECT_FALSE(a->IsVisible());
  EXPECT_TRUE(tabs.HasInterface(L"TabLayout"));
  EXPECT_TRUE(tabs.HasInterface(L"Container"));
}

}  // namespace
}  // namespace zui
