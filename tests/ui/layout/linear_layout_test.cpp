// Where the vertical and horizontal layouts put their children: shares of
// stretchable children, paddings, alignments and the size they report.

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "ui/layout/horizontal_layout.h"
#include "ui/layout/scroll_bar.h"
#include "ui/layout/vertical_layout.h"

namespace zui {
namespace {

using Attrs = std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>;

template <class Control = CControlUI>
Control* AddTo(CContainerUI& parent, Attrs attributes) {
  auto* c = new Control;
  for (const auto& [name, value] : attributes) c->SetAttribute(name, value);
  parent.Add(c);
  return c;
}

// Answers the size the container asked for, so tests can read it.
class ProbeLayout : public CVerticalLayoutUI {
 public:
  Size needed;
  void ProcessScrollBar(const Rect& area, Size size) override {
    needed = size;
    CVerticalLayoutUI::ProcessScrollBar(area, size);
  }
};

TEST(VerticalLayout, CentredChildrenIgnoreTheirSidePaddings) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"childalign", L"center");
  CControlUI* logo = AddTo(v, {{L"width", L"86"}, {L"height", L"86"}, {L"padding", L"30,0,0,0"}});
  CControlUI* text = AddTo(v, {{L"width", L"400"}, {L"height", L"20"}, {L"padding", L"10,5,0,0"}});
  v.SetPos({0, 0, 484, 300});
  EXPECT_EQ(logo->GetPos(), (Rect{199, 0, 285, 86}));
  // Top padding moves it down; the left padding does nothing to x.
  EXPECT_EQ(text->GetPos(), (Rect{42, 91, 442, 111}));
}

TEST(VerticalLayout, AlignmentWordsAreExactAndRightUsesThePadding) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"childalign", L"Center");
  CControlUI* c = AddTo(v, {{L"width", L"20"}, {L"height", L"10"}, {L"padding", L"3,0,4,0"}});
  v.SetPos({10, 0, 110, 100});
  EXPECT_EQ(c->GetPos().left, 13);
  v.SetAttribute(L"childalign", L"right");
  v.SetPos({10, 0, 110, 100});
  EXPECT_EQ(c->GetPos(), (Rect{86, 0, 106, 10}));
}

TEST(VerticalLayout, VerticalCentreMayStartAboveTheTop) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"childvalign", L"vcenter");
  CControlUI* a = AddTo(v, {{L"height", L"86"}});
  CControlUI* b = AddTo(v, {{L"height", L"180"}});
  v.SetPos({0, 100, 50, 356});
  EXPECT_EQ(a->GetPos(), (Rect{0, 95, 50, 181}));
  EXPECT_EQ(b->GetPos(), (Rect{0, 181, 50, 361}));
  v.SetAttribute(L"childvalign", L"bottom");
  v.SetPos({0, 100, 50, 356});
  EXPECT_EQ(a->GetPos().top, 90);
}

TEST(VerticalLayout, StretchableChildrenShareTheRestAndTheLastTakesTheRemainder) {
  CVerticalLayoutUI v;
  CControlUI* a = AddTo(v, {});
  CControlUI* b = AddTo(v, {});
  CControlUI* c = AddTo(v, {});
  v.SetAttribute(L"childvalign", L"vcenter");  // no effect with stretchable children
  v.SetPos({0, 0, 40, 100});
  EXPECT_EQ(a->GetPos(), (Rect{0, 0, 40, 33}));
  EXPECT_EQ(b->GetPos(), (Rect{0, 33, 40, 66}));
  EXPECT_EQ(c->GetPos(), (Rect{0, 66, 40, 100}));
}

TEST(VerticalLayout, StretchSharesRespectFixedChildrenPaddingsAndLimits) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"childpadding", L"4");
  CControlUI* fixed = AddTo(v, {{L"height", L"30"}, {L"padding", L"0,2,0,2"}});
  CControlUI* capped = AddTo(v, {{L"maxheight", L"10"}});
  CControlUI* last = AddTo(v, {{L"padding", L"0,0,0,6"}});
  AddTo(v, {{L"visible", L"false"}, {L"height", L"500"}});  // takes no part
  v.SetPos({0, 0, 40, 120});
  // fixed sum 30 + 4 + 6 + 2 x 4 = 48; shares (120 - 48) / 2 = 36.
  EXPECT_EQ(fixed->GetPos(), (Rect{0, 2, 40, 32}));
  EXPECT_EQ(capped->GetPos(), (Rect{0, 38, 40, 48}));
  // 120 - 34 - 4 - 10 - 4 = 68 remain, less its own bottom padding.
  EXPECT_EQ(last->GetPos(), (Rect{0, 52, 40, 114}));
}

TEST(VerticalLayout, ChildPaddingSeparatesChildrenAndCountsInTheNeededSize) {
  ProbeLayout v;
  v.SetAttribute(L"childpadding", L"10");
  CControlUI* a = AddTo(v, {{L"height", L"20"}, {L"width", L"70"}, {L"padding", L"5,0,5,0"}});
  CControlUI* b = AddTo(v, {{L"height", L"20"}});
  v.SetPos({0, 0, 100, 200});
  EXPECT_EQ(b->GetPos().top - a->GetPos().top, 30);
  EXPECT_EQ(v.needed, (Size{80, 50}));
}

TEST(VerticalLayout, FloatingChildrenStayOutOfTheFlow) {
  CVerticalLayoutUI v;
  CControlUI* first = AddTo(v, {{L"height", L"20"}});
  CControlUI* label = AddTo(v, {{L"float", L"true"}, {L"pos", L"0,274,0,0"}, {L"width", L"484"}, {L"height", L"14"}});
  CControlUI* late = AddTo(v, {{L"float", L"true"}, {L"width", L"484"}, {L"height", L"14"}, {L"pos", L"0,274,0,0"}});
  CControlUI* second = AddTo(v, {{L"height", L"20"}});
  v.SetPos({0, 0, 484, 300});
  EXPECT_EQ(first->GetPos(), (Rect{0, 0, 484, 20}));
  EXPECT_EQ(second->GetPos(), (Rect{0, 20, 484, 40}));
  EXPECT_EQ(label->GetPos(), (Rect{0, 274, 484, 288}));
  EXPECT_EQ(late->GetPos(), (Rect{0, 274, 0, 288}));
}

TEST(VerticalLayout, InsetAndMinimumWidthShapeTheChildren) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"inset", L"10,20,10,0");
  CControlUI* wide = AddTo(v, {{L"height", L"10"}, {L"minwidth", L"200"}});
  CControlUI* capped = AddTo(v, {{L"height", L"10"}, {L"maxwidth", L"30"}});
  v.SetPos({0, 0, 100, 100});
  EXPECT_EQ(wide->GetPos(), (Rect{10, 20, 210, 30}));
  EXPECT_EQ(capped->GetPos(), (Rect{10, 30, 40, 40}));
}

TEST(HorizontalLayout, PaddedRowInACentredColumnShrinksWithoutShifting) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"childalign", L"center");
  auto* row = AddTo<CHorizontalLayoutUI>(v, {{L"height", L"30"}, {L"padding", L"205,0,0,0"}});
  v.SetPos({0, 0, 484, 300});
  EXPECT_EQ(row->GetPos(), (Rect{103, 0, 382, 30}));
}

TEST(HorizontalLayout, WidthsStretchAndHeightsFillTheRow) {
  CHorizontalLayoutUI h;
  h.SetAttribute(L"childpadding", L"2");
  CControlUI* fixed = AddTo(h, {{L"width", L"20"}, {L"height", L"10"}});
  CControlUI* a = AddTo(h, {{L"padding", L"0,3,0,4"}});
  CControlUI* b = AddTo(h, {{L"maxheight", L"15"}});
  h.SetPos({0, 0, 101, 40});
  EXPECT_EQ(fixed->GetPos(), (Rect{0, 0, 20, 10}));
  // (101 - 20 - 4) / 2 = 38 and the remainder 39.
  EXPECT_EQ(a->GetPos(), (Rect{22, 3, 60, 36}));
  EXPECT_EQ(b->GetPos(), (Rect{62, 0, 101, 15}));
}

TEST(HorizontalLayout, AlignmentsPlaceTheRowAndEachChild) {
  CHorizontalLayoutUI h;
  h.SetAttribute(L"childalign", L"center");
  h.SetAttribute(L"childvalign", L"vcenter");
  CControlUI* a = AddTo(h, {{L"width", L"20"}, {L"height", L"10"}, {L"padding", L"0,9,0,0"}});
  CControlUI* b = AddTo(h, {{L"width", L"30"}, {L"height", L"20"}});
  h.SetPos({0, 0, 100, 40});
  EXPECT_EQ(a->GetPos(), (Rect{25, 15, 45, 25}));  // top padding ignored when centred
  EXPECT_EQ(b->GetPos(), (Rect{45, 10, 75, 30}));
  h.SetAttribute(L"childalign", L"right");
  h.SetAttribute(L"childvalign", L"bottom");
  h.SetPos({0, 0, 100, 40});
  EXPECT_EQ(a->GetPos(), (Rect{50, 30, 70, 40}));
  EXPECT_EQ(b->GetPos(), (Rect{70, 20, 100, 40}));
}

TEST(LinearLayouts, HugeSkinNumbersStayInsideTheIntRange) {
  CVerticalLayoutUI v;
  v.SetAttribute(L"childpadding", L"2000000000");
  CControlUI* a = AddTo(v, {{L"height", L"2000000000"}, {L"padding", L"0,2000000000,0,0"}});
  CControlUI* b = AddTo(v, {{L"height", L"2000000000"}});
  v.SetPos({0, 0, 10, 10});
  EXPECT_LE(a->GetPos().top, a->GetPos().bottom);
  EXPECT_EQ(b->GetPos().top, INT32_MAX);  // kept at the edge instead of wrapping
  CHorizontalLayoutUI h;
  CControlUI* c = AddTo(h, {{L"width", L"2000000000"}, {L"padding", L"2000000000,0,0,0"}});
  h.SetPos({-10, 0, 10, 10});
  EXPECT_GE(c->GetPos().right, c->GetPos().left);
}

}  // namespace
}  // namespace zui
