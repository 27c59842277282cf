// Where the plain container puts its children and where any container puts
// its floating ones.

#include <climits>

#include <gtest/gtest.h>

#include "ui/layout/container.h"

namespace zui {
namespace {

struct Box {
  CContainerUI box;
  CControlUI* Add(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> attributes) {
    auto* c = new CControlUI;
    for (const auto& [name, value] : attributes) c->SetAttribute(name, value);
    box.Add(c);
    return c;
  }
};

TEST(PlainContainer, ChildrenTakeTheInsetAreaWithinTheirLimits) {
  Box b;
  b.box.SetAttribute(L"inset", L"5,6,7,8");
  CControlUI* free = b.Add({});
  CControlUI* limited = b.Add({{L"maxwidth", L"40"}, {L"minheight", L"200"}, {L"padding", L"3,3,3,3"}});
  CControlUI* hidden = b.Add({{L"visible", L"false"}});
  b.box.SetPos({100, 100, 200, 250});
  EXPECT_EQ(free->GetPos(), (Rect{105, 106, 193, 242}));
  // Limits apply, paddings do not.
  EXPECT_EQ(limited->GetPos(), (Rect{105, 106, 145, 306}));
  EXPECT_EQ(hidden->GetPos(), (Rect{}));
}

TEST(FloatingChildren, FixedPositionAndSizeRelativeToTheItemRectangle) {
  Box b;
  b.box.SetAttribute(L"inset", L"20,20,20,20");  // floating children ignore it
  CControlUI* label = b.Add({{L"float", L"true"}, {L"pos", L"0,274,0,0"}, {L"width", L"484"}, {L"height", L"14"}});
  CControlUI* late = b.Add({{L"float", L"true"}, {L"width", L"484"}, {L"height", L"14"}, {L"pos", L"0,274,0,0"}});
  CControlUI* left = b.Add({{L"float", L"true"}, {L"pos", L"-30,-5,-10,15"}});
  b.box.SetPos({10, 20, 494, 400});
  EXPECT_EQ(label->GetPos(), (Rect{10, 294, 494, 308}));
  EXPECT_EQ(late->GetPos(), (Rect{10, 294, 10, 308}));
  EXPECT_EQ(left->GetPos(), (Rect{0, 35, 20, 55}));  // (r, b) stand in for negative l, t
}

TEST(FloatingChildren, AlignmentPlacesTheBoxAgainstTheEdgesOrCentre) {
  Box b;
  CControlUI* centred =
      b.Add({{L"float", L"true"}, {L"floatalign", L"center,vcenter"}, {L"width", L"20"}, {L"height", L"10"}});
  CControlUI* corner =
      b.Add({{L"float", L"true"}, {L"floatalign", L"right,bottom"}, {L"width", L"20"}, {L"height", L"10"}});
  CControlUI* mixed = b.Add({{L"float", L"true"}, {L"floatalign", L"right"}, {L"pos", L"3,4,13,14"}});
  b.box.SetPos({0, 0, 101, 50});
  EXPECT_EQ(centred->GetPos(), (Rect{40, 20, 60, 30}));
  EXPECT_EQ(corner->GetPos(), (Rect{81, 40, 101, 50}));
  EXPECT_EQ(mixed->GetPos(), (Rect{91, 4, 101, 14}));  // x from the edge, y from pos
}

TEST(FloatingChildren, PercentagesAnchorToFractionsOfTheParent) {
  Box b;
  CControlUI* half = b.Add({{L"float", L"0.5,0.5,0.5,1"}, {L"pos", L"2,0,12,0"}});
  b.box.SetPos({100, 0, 201, 51});
  // left = 100 + trunc(101 * .5) + 2, right = 100 + trunc(101 * .5) + 10 + 2.
  EXPECT_EQ(half->GetPos(), (Rect{152, 25, 162, 51}));
}

TEST(FloatingChildren, AbsurdNumbersSaturateInsteadOfWrapping) {
  Box b;
  CControlUI* far = b.Add({{L"float", L"1e300,-1e300,1e300,1e300"}, {L"pos", L"2147483647,0,2147483647,0"}});
  CControlUI* wide = b.Add({{L"float", L"true"}, {L"pos", L"2147483000,0,2147483647,0"}, {L"height", L"5"}});
  b.box.SetPos({1000, 0, 2000, 100});
  EXPECT_EQ(far->GetPos().left, INT_MAX);
  EXPECT_EQ(far->GetPos().top, INT_MIN);
  EXPECT_EQ(wide->GetPos().left, INT_MAX);
  EXPECT_EQ(wide->GetPos().right, INT_MAX);
}

}  // namespace
}  // namespace zui
