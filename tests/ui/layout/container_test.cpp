// The container's child list without a window: adding, removing and
// destroying, visibility handed down, container attributes, finding by name.

#include <gtest/gtest.h>

#include "ui/layout/container.h"

namespace zui {
namespace {

// A control that counts its own destruction.
CControlUI* Counted(int& destroyed, std::wstring_view name = {}) {
  auto* c = new CControlUI;
  c->SetName(name);
  c->OnDestroy.Add([&destroyed](CControlUI&) {
    ++destroyed;
    return true;
  });
  return c;
}

TEST(ContainerList, AddRefusesNullDuplicatesAndAncestors) {
  CContainerUI box;
  auto* inner = new CContainerUI;
  EXPECT_FALSE(box.Add(nullptr));
  EXPECT_TRUE(box.Add(inner));
  EXPECT_EQ(inner->GetParent(), &box);
  EXPECT_FALSE(box.Add(inner));  // listed once, destroyed once
  EXPECT_FALSE(inner->Add(&box));
  EXPECT_FALSE(box.Add(&box));
  EXPECT_EQ(box.GetCount(), 1);
  EXPECT_EQ(inner->GetCount(), 0);
}

TEST(ContainerList, IndexOperationsKeepTheOrder) {
  int destroyed = 0;
  CContainerUI box;
  CControlUI* a = Counted(destroyed, L"a");
  CControlUI* b = Counted(destroyed, L"b");
  CControlUI* c = Counted(destroyed, L"c");
  EXPECT_TRUE(box.Add(a));
  EXPECT_TRUE(box.Add(c));
  EXPECT_FALSE(box.AddAt(b, 3));
  EXPECT_TRUE(box.AddAt(b, 1));
  EXPECT_EQ(box.GetItemAt(0), a);
  EXPECT_EQ(box.GetItemAt(1), b);
  EXPECT_EQ(box.GetItemAt(2), c);
  EXPECT_EQ(box.GetItemAt(3), nullptr);
  EXPECT_EQ(box.GetItemAt(-1), nullptr);
  EXPECT_TRUE(box.SetItemIndex(a, 2));
  EXPECT_EQ(box.GetItemIndex(a), 2);
  EXPECT_EQ(box.GetItemIndex(b), 0);
  EXPECT_FALSE(box.SetItemIndex(a, 3));
  CControlUI stranger;
  EXPECT_EQ(box.GetItemIndex(&stranger), -1);
  EXPECT_FALSE(box.Remove(&stranger));
  EXPECT_FALSE(box.RemoveAt(5));
  EXPECT_EQ(destroyed, 0);
}

TEST(ContainerList, RemovingDestroysOnlyWithAutoDestroy) {
  int destroyed = 0;
  CContainerUI box;
  CControlUI* a = Counted(destroyed);
  CControlUI* b = Counted(destroyed);
  CControlUI* c = Counted(destroyed);
  box.Add(a);
  box.Add(b);
  box.Add(c);
  EXPECT_TRUE(box.Remove(a));  // no manager: at once, delayed or not
  EXPECT_EQ(destroyed, 1);
  ControlPtr kept = box.Detach(b);
  EXPECT_EQ(kept.get(), b);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(b->GetParent(), nullptr);  // let go, not left pointing at us
  EXPECT_EQ(box.Detach(b), nullptr);
  kept.reset();
  EXPECT_EQ(destroyed, 2);
  box.SetAutoDestroy(false);
  EXPECT_TRUE(box.RemoveAt(0));
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(box.GetCount(), 0);
  delete c;
  EXPECT_EQ(destroyed, 3);
}

TEST(ContainerList, RemoveAllAndDestructionTakeTheChildrenAlong) {
  int destroyed = 0;
  {
    CContainerUI box;
    auto* inner = new CContainerUI;
    inner->Add(Counted(destroyed));
    box.Add(inner);
    box.Add(Counted(destroyed));
    box.RemoveAll();
    EXPECT_EQ(box.GetCount(), 0);
    EXPECT_EQ(destroyed, 2);
    box.Add(Counted(destroyed));
  }
  EXPECT_EQ(destroyed, 3);

  CControlUI kept;
  {
    CContainerUI box;
    box.SetAutoDestroy(false);
    box.Add(&kept);
    EXPECT_EQ(kept.GetParent(), &box);
  }
  EXPECT_EQ(kept.GetParent(), nullptr);
}

TEST(ContainerVisibility, HiddenContainersHideTheirChildrenThroughTheInternalFlag) {
  CContainerUI box;
  auto* inner = new CContainerUI;
  auto* leaf = new CControlUI;
  auto* hiddenLeaf = new CControlUI;
  hiddenLeaf->SetVisible(false);
  inner->Add(leaf);
  inner->Add(hiddenLeaf);
  box.Add(inner);
  box.SetVisible(false);
  EXPECT_FALSE(inner->IsVisible());
  EXPECT_FALSE(leaf->IsVisible());
  EXPECT_TRUE(leaf->IsOwnVisible());
  box.SetVisible(true);
  EXPECT_TRUE(leaf->IsVisible());
  EXPECT_FALSE(hiddenLeaf->IsVisible());

  // A control added to a hidden container is hidden with it; moved to a
  // shown one it shows again.
  CContainerUI hidden;
  hidden.SetVisible(false);
  auto* moved = new CControlUI;
  hidden.Add(moved);
  EXPECT_FALSE(moved->IsVisible());
  box.Add(hidden.Detach(moved));
  EXPECT_TRUE(moved->IsVisible());
}

TEST(ContainerAttributes, ContainerSettingsAndTheirFormats) {
  CContainerUI box;
  box.SetAttribute(L"inset", L"15,0,0,");
  box.SetAttribute(L"childpadding", L"6");
  box.SetAttribute(L"mousechild", L"false");
  box.SetAttribute(L"scrollstepsize", L"30");
  box.SetAttribute(L"scrollstepsize", L"0");
  box.SetAttribute(L"vscrollbar", L"true");
  box.SetAttribute(L"vscrollbarstyle", L"width=\"8\"");
  box.SetAttribute(L"bkcolor", L"#FF102030");  // the control base's
  EXPECT_EQ(box.GetInset(), (Rect{15, 0, 0, 0}));
  EXPECT_EQ(box.GetChildPadding(), 6);
  EXPECT_FALSE(box.IsMouseChildEnabled());
  EXPECT_EQ(box.GetScrollStepSize(), 30);
  ASSERT_NE(box.GetVerticalScrollBar(), nullptr);
  EXPECT_EQ(box.GetHorizontalScrollBar(), nullptr);
  EXPECT_EQ(box.GetVerticalScrollBarStyle(), L"width=\"8\"");
  EXPECT_EQ(box.GetBkColor(), 0xFF102030u);
}

TEST(ContainerAttributes, ChildAlignmentWordsAreMatchedExactly) {
  CContainerUI box;
  box.SetAttribute(L"childalign", L"center");
  box.SetAttribute(L"childvalign", L"bottom");
  EXPECT_EQ(box.GetChildAlign(), kAlignCenter);
  EXPECT_EQ(box.GetChildVAlign(), kAlignBottom);
  box.SetAttribute(L"childalign", L"Right");
  box.SetAttribute(L"childvalign", L"middle");
  EXPECT_EQ(box.GetChildAlign(), kAlignCenter);
  EXPECT_EQ(box.GetChildVAlign(), kAlignBottom);
  EXPECT_EQ(box.GetCustomAttribute(L"childalign"), nullptr);
  // The name too: this one is no container attribute at all.
  box.SetAttribute(L"ChildAlign", L"right");
  EXPECT_EQ(box.GetChildAlign(), kAlignCenter);
  ASSERT_NE(box.GetCustomAttribute(L"ChildAlign"), nullptr);
  box.SetAttribute(L"childalign", L"right");
  box.SetAttribute(L"childvalign", L"vcenter");
  EXPECT_EQ(box.GetChildAlign(), kAlignRight);
  EXPECT_EQ(box.GetChildVAlign(), kAlignVCenter);
}

TEST(ContainerFind, SubControlsAreFoundByNameInDocumentOrder) {
  CContainerUI root;
  root.SetName(L"root");
  auto* panel = new CContainerUI;
  panel->SetName(L"panel");
  auto* first = new CControlUI;
  first->SetName(L"ok");
  auto* second = new CControlUI;
  second->SetName(L"ok");
  auto* hidden = new CControlUI;
  hidden->SetName(L"hidden");
  hidden->SetVisible(false);
  panel->Add(first);
  root.Add(panel);
  root.Add(second);
  root.Add(hidden);
  EXPECT_EQ(root.FindSubControl(L"ok"), first);
  EXPECT_EQ(root.FindSubControl(L"panel"), panel);
  EXPECT_EQ(root.FindSubControl(L"hidden"), hidden);
  EXPECT_EQ(root.FindSubControl(L"root"), nullptr);
  EXPECT_EQ(root.FindSubControl(L"none"), nullptr);
}

}  // namespace
}  // namespace zui
