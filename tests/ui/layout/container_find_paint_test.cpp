// Finding controls in a container under the search flags, and painting a
// container with its children, checked on pixels.

#include <gtest/gtest.h>

#include "ui/layout/container.h"
#include "ui/base/bitmap.h"
#include "ui/render/canvas.h"

namespace zui {
namespace {

CControlUI* AcceptAll(CControlUI* control) { return control; }
CControlUI* AcceptLeaves(CControlUI* control) {
  return dynamic_cast<IContainerUI*>(control) == nullptr ? control : nullptr;
}

// A 100 x 100 container with a 10-pixel inset and two overlapping children.
struct Tree {
  CContainerUI box;
  CControlUI* under = new CControlUI;
  CControlUI* over = new CControlUI;
  Tree() {
    box.SetInset({10, 10, 10, 10});
    box.Add(under);
    box.Add(over);
    box.SetPos({0, 0, 100, 100});  // both children get (10,10)-(90,90)
  }
  CControlUI* Find(Point p, uint32_t flags) { return box.FindControl(AcceptAll, flags | kFindHitTest, p); }
};

TEST(ContainerFind, HitTestingPicksAChildFirstOrLastByTheTopFlag) {
  Tree t;
  EXPECT_EQ(t.Find({50, 50}, 0), t.under);
  EXPECT_EQ(t.Find({50, 50}, kFindTopFirst), t.over);
  // In the inset no child is hit: the container itself is.
  EXPECT_EQ(t.Find({5, 5}, kFindTopFirst), &t.box);
  EXPECT_EQ(t.Find({100, 50}, 0), nullptr);
  EXPECT_EQ(t.Find({50, 50}, kFindMeFirst), &t.box);
}

TEST(ContainerFind, VisibilityEnablingAndMouseFlagsNarrowTheSearch) {
  Tree t;
  t.over->SetVisible(false);
  EXPECT_EQ(t.Find({50, 50}, kFindTopFirst | kFindVisible), t.under);
  t.under->SetEnabled(false);
  EXPECT_EQ(t.Find({50, 50}, kFindTopFirst | kFindVisible | kFindEnabled), &t.box);

  Tree m;
  m.box.SetMouseChildEnabled(false);
  EXPECT_EQ(m.Find({50, 50}, kFindTopFirst), &m.box);
  m.box.SetMouseEnabled(false);
  EXPECT_EQ(m.Find({50, 50}, kFindTopFirst), nullptr);
  m.box.SetMouseChildEnabled(true);
  EXPECT_EQ(m.Find({50, 50}, kFindTopFirst), m.over);
  EXPECT_EQ(m.Find({5, 5}, kFindTopFirst), nullptr);

  // Without hit testing the visitor decides; the update test rules out a
  // container the visitor accepts.
  EXPECT_EQ(m.box.FindControl(AcceptLeaves, kFindAll), m.under);
  EXPECT_EQ(m.box.FindControl(AcceptAll, kFindUpdateTest), nullptr);
}

TEST(ContainerFind, ChildrenOutsideTheInsetAreaAreHitOnlyWhenFloating) {
  CContainerUI box;
  box.SetInset({10, 10, 10, 10});
  auto* inside = new CControlUI;
  auto* floating = new CControlUI;
  floating->SetAttribute(L"float", L"true");
  floating->SetAttribute(L"pos", L"0,0,20,20");
  box.Add(inside);
  box.Add(floating);
  box.SetPos({0, 0, 100, 100});
  inside->SetPos({0, 0, 100, 100});  // larger than the area it was given
  Point corner{5, 5}, edge{95, 95}, middle{50, 50};
  EXPECT_EQ(box.FindControl(AcceptAll, kFindHitTest | kFindTopFirst, corner), floating);
  EXPECT_EQ(box.FindControl(AcceptAll, kFindHitTest | kFindTopFirst, edge), &box);
  EXPECT_EQ(box.FindControl(AcceptAll, kFindHitTest | kFindTopFirst, middle), inside);
}

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kGrey = 0xFF808080;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

CControlUI* Filled(uint32_t colour) {
  auto* c = new CControlUI;
  c->SetBkColor(colour);
  return c;
}

TEST(ContainerPaint, ChildrenAreClippedToTheInsetAreaAndPaintedInOrder) {
  Bitmap bitmap(40, 40, kBlack);
  Canvas canvas(bitmap);
  CContainerUI box;
  box.SetBkColor(kGrey);
  box.SetInset({5, 5, 5, 5});
  CControlUI* first = Filled(kRed);
  CControlUI* second = Filled(kBlue);
  box.Add(first);
  box.Add(second);
  box.SetPos({0, 0, 30, 30});
  first->SetPos({0, 0, 40, 40});  // spills over the inset and the container
  second->SetPos({20, 20, 40, 40});
  EXPECT_TRUE(box.Paint(canvas, {0, 0, 40, 40}));
  EXPECT_EQ(bitmap.at(2, 2), kGrey);  // inset: the container's own colour
  EXPECT_EQ(bitmap.at(10, 10), kRed);
  EXPECT_EQ(bitmap.at(22, 22), kBlue);  // later children over earlier ones
  EXPECT_EQ(bitmap.at(27, 27), kGrey);
  EXPECT_EQ(bitmap.at(35, 35), kBlack);
  EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 40, 40}));
}

TEST(ContainerPaint, FloatingChildrenUseTheContainersOwnClip) {
  Bitmap bitmap(40, 40, kBlack);
  Canvas canvas(bitmap);
  CContainerUI box;
  box.SetInset({10, 10, 10, 10});
  CControlUI* floating = Filled(kRed);
  floating->SetAttribute(L"float", L"true");
  floating->SetAttribute(L"pos", L"-30,0,-5,5");  // x -5, 25 x 5
  floating->SetAttribute(L"width", L"30");
  box.Add(floating);
  box.SetPos({5, 5, 35, 35});
  EXPECT_EQ(floating->GetPos(), (Rect{0, 5, 30, 10}));
  box.Paint(canvas, {0, 0, 40, 40});
  EXPECT_EQ(bitmap.at(7, 7), kRed);    // in the inset
  EXPECT_EQ(bitmap.at(2, 7), kBlack);  // outside the container

  // Painting only the inset strip still reaches the floating child.
  Bitmap again(40, 40, kBlack);
  Canvas canvas2(again);
  box.Paint(canvas2, {0, 0, 40, 10});
  EXPECT_EQ(again.at(20, 7), kRed);
}

TEST(ContainerPaint, HiddenChildrenAreSkippedAndTheStopControlEndsPainting) {
  Bitmap bitmap(30, 10, kBlack);
  Canvas canvas(bitmap);
  CContainerUI box;
  CControlUI* a = Filled(kRed);
  CControlUI* b = Filled(kBlue);
  CControlUI* c = Filled(kGrey);
  box.SetAutoDestroy(true);
  box.Add(a);
  box.Add(b);
  box.Add(c);
  box.SetPos({0, 0, 30, 10});
  a->SetPos({0, 0, 10, 10});
  b->SetPos({10, 0, 20, 10});
  c->SetPos({20, 0, 30, 10});
  b->SetVisible(false);
  EXPECT_TRUE(box.Paint(canvas, {0, 0, 30, 10}));
  EXPECT_EQ(bitmap.at(15, 5), kBlack);
  EXPECT_EQ(bitmap.at(25, 5), kGrey);

  Bitmap stopped(30, 10, kBlack);
  Canvas canvas2(stopped);
  b->SetVisible(true);
  EXPECT_FALSE(box.Paint(canvas2, {0, 0, 30, 10}, b));
  EXPECT_EQ(stopped.at(5, 5), kRed);
  EXPECT_EQ(stopped.at(15, 5), kBlack);
  EXPECT_EQ(stopped.at(25, 5), kBlack);
}

// Paints itself, then takes a later sibling out of the container.
class RemovingControl : public CControlUI {
 public:
  RemovingControl(CContainerUI& box, CControlUI*& victim) : box_(box), victim_(victim) {}
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override {
    if (victim_ != nullptr) box_.Remove(victim_);
    victim_ = nullptr;
    return CControlUI::DoPaint(canvas, paint, stop);
  }

 private:
  CContainerUI& box_;
  CControlUI*& victim_;
};

TEST(ContainerPaint, AChildRemovedWhileTheContainerPaintsIsNotTouchedAgain) {
  Bitmap bitmap(30, 10, kBlack);
  Canvas canvas(bitmap);
  CContainerUI box;
  box.SetPos({0, 0, 30, 10});
  CControlUI* victim = Filled(kBlue);
  auto* remover = new RemovingControl(box, victim);
  remover->SetBkColor(kRed);
  CControlUI* last = Filled(kGrey);
  box.Add(remover);
  box.Add(victim);
  box.Add(last);
  remover->SetPos({0, 0, 10, 10});
  victim->SetPos({10, 0, 20, 10});
  last->SetPos({20, 0, 30, 10});
  EXPECT_TRUE(box.Paint(canvas, {0, 0, 30, 10}));  // the victim is deleted at once: no manager
  EXPECT_EQ(box.GetCount(), 2);
  EXPECT_EQ(bitmap.at(5, 5), kRed);
  EXPECT_EQ(bitmap.at(15, 5), kBlack);
  EXPECT_EQ(bitmap.at(25, 5), kGrey);
}

}  // namespace
}  // namespace zui
