// The scroll bar's numbers and geometry: range, position, orientation and
// where the buttons and the thumb sit for them.

#include "ui/layout/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/render/value_format.h"
#include "ui/layout/container.h"
#include "ui/layout/scroll_math.h"

namespace zui {

CScrollBarUI::CScrollBarUI() { SetFixedWidth(16); }

CScrollBarUI::~CScrollBarUI() {
  if (manager_ != nullptr) manager_->KillTimer(this);
}

std::wstring_view CScrollBarUI::GetClass() const { return L"ScrollBarUI"; }

bool CScrollBarUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ScrollBar") || CControlUI::HasInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
  if (horizontal_ == horizontal) return;
  horizontal_ = horizontal;
  if (horizontal_ && GetFixedHeight() == 0) {
    SetFixedWidth(0);
    SetFixedHeight(16);
  } else if (!horizontal_ && GetFixedWidth() == 0) {
    SetFixedWidth(16);
    SetFixedHeight(0);
  }
  if (owner_ != nullptr) owner_->NeedUpdate();
  else NeedParentUpdate();
}

void CScrollBarUI::SetScrollRange(int64_t range) {
  range = std::max<int64_t>(range, 0);
  if (range_ == range) return;
  range_ = range;
  if (position_ > range_) position_ = range_;
  SetPos(itemRect_, true);
}

void CScrollBarUI::SetScrollPos(int64_t position) {
  position = std::clamp<int64_t>(position, 0, range_);
  if (position_ == position) return;
  position_ = position;
  SetPos(itemRect_, true);
  if (manager_ != nullptr) SendNotify(L"scroll");
}

void CScrollBarUI::SetLineSize(int size) {
  // A line of 0 would stall the steps and divide by zero in the owner.
  if (size >= 1) lineSize_ = size;
}

void CScrollBarUI::SetShowButton1(bool show) {
  if (showButton1_ == show) return;
  showButton1_ = show;
  SetPos(itemRect_, true);
}

void CScrollBarUI::SetShowButton2(bool show) {
  if (showButton2_ == show) return;
  showButton2_ = show;
  SetPos(itemRect_, true);
}

int CScrollBarUI::Thickness() const { return std::max(horizontal_ ? GetFixedHeight() : GetFixedWidth(), 0); }

void CScrollBarUI::SetPos(Rect rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  LayoutParts();
}

void CScrollBarUI::LayoutParts() {
  // Worked along the bar's length (a = start, b = end) and turned into
  // rectangles at the end, so one rule serves both orientations.
  const Rect& rc = itemRect_;
  const int64_t start = horizontal_ ? rc.left : rc.top;
  const int64_t end = horizontal_ ? rc.right : rc.bottom;
  const int64_t length = end - start;
  const int64_t t = Thickness();
  const int64_t track = length - t * ShownButtons();

  int64_t b1a = start, b1b = start, b2a = end, b2b = end;
  int64_t tha = 0, thb = 0;
  bool thumb = false;
  if (t < track) {
    if (showButton1_) b1b = start + t;
    if (showButton2_) b2a = end - t;
    if (range_ == 0) {
      tha = b1b;
      thb = b2a;
    } else {
      const int64_t denominator = SaturatedAdd64(length, range_);
      const int64_t thumbLength = std::max(MulDiv64(length, track, denominator), t);
      int64_t offset;
      if (horizontal_) {
        offset = MulDiv64(track - thumbLength, position_, range_);
      } else {
        offset = static_cast<int64_t>(std::trunc(static_cast<double>(position_) / static_cast<double>(range_) *
                                                 static_cast<double>(track - thumbLength)));
      }
      tha = b1b + offset;
      thb = tha + thumbLength;
      if (thb > b2a) {
        thb = b2a;
        tha = b2a - thumbLength;
      }
    }
    thumb = true;
  } else {
    const int64_t button = std::min(t, length / 2);
    if (showButton1_) b1b = start + button;
    if (showButton2_) b2a = end - button;
  }

  auto along = [&](int64_t a, int64_t b) -> Rect {
    if (horizontal_) return {SaturateToInt(a), rc.top, SaturateToInt(b), rc.bottom};
    return {rc.left, SaturateToInt(a), rc.right, SaturateToInt(b)};
  };
  button1_ = along(b1a, b1b);
  button2_ = along(b2a, b2b);
  thumb_ = thumb ? along(tha, thb) : Rect{};
}

void CScrollBarUI::SetImage(Part part, State state, std::wstring_view descriptor) {
  std::wstring& image = images_[part][state];
  if (image == descriptor) return;
  image = descriptor;
  Invalidate();
}

// ---- attributes -------------------------------------------------------------

namespace {

template <CScrollBarUI::Part P, CScrollBarUI::State S>
void ApplyImage(CScrollBarUI& bar, std::wstring_view v) {
  bar.SetImage(P, S, v);
}

using Bar = CScrollBarUI;

const AttributeEntry<CScrollBarUI> kScrollBarAttributes[] = {
    {L"button1normalimage", &ApplyImage<Bar::kPartButton1, Bar::kStateNormal>},
    {L"button1hotimage", &ApplyImage<Bar::kPartButton1, Bar::kStateHot>},
    {L"button1pushedimage", &ApplyImage<Bar::kPartButton1, Bar::kStatePushed>},
    {L"button1disabledimage", &ApplyImage<Bar::kPartButton1, Bar::kStateDisabled>},
    {L"button2normalimage", &ApplyImage<Bar::kPartButton2, Bar::kStateNormal>},
    {L"button2hotimage", &ApplyImage<Bar::kPartButton2, Bar::kStateHot>},
    {L"button2pushedimage", &ApplyImage<Bar::kPartButton2, Bar::kStatePushed>},
    {L"button2disabledimage", &ApplyImage<Bar::kPartButton2, Bar::kStateDisabled>},
    {L"thumbnormalimage", &ApplyImage<Bar::kPartThumb, Bar::kStateNormal>},
    {L"thumbhotimage", &ApplyImage<Bar::kPartThumb, Bar::kStateHot>},
    {L"thumbpushedimage", &ApplyImage<Bar::kPartThumb, Bar::kStatePushed>},
    {L"thumbdisabledimage", &ApplyImage<Bar::kPartThumb, Bar::kStateDisabled>},
    {L"railnormalimage", &ApplyImage<Bar::kPartRail, Bar::kStateNormal>},
    {L"railhotimage", &ApplyImage<Bar::kPartRail, Bar::kStateHot>},
    {L"railpushedimage", &ApplyImage<Bar::kPartRail, Bar::kStatePushed>},
    {L"raildisabledimage", &ApplyImage<Bar::kPartRail, Bar::kStateDisabled>},
    {L"bknormalimage", &ApplyImage<Bar::kPartBk, Bar::kStateNormal>},
    {L"bkhotimage", &ApplyImage<Bar::kPartBk, Bar::kStateHot>},
    {L"bkpushedimage", &ApplyImage<Bar::kPartBk, Bar::kStatePushed>},
    {L"bkdisabledimage", &ApplyImage<Bar::kPartBk, Bar::kStateDisabled>},
    {L"hor", [](Bar& b, std::wstring_view v) { b.SetHorizontal(ParseBoolValue(v)); }},
    {L"linesize", [](Bar& b, std::wstring_view v) { b.SetLineSize(ParseIntValue(v)); }},
    {L"range", [](Bar& b, std::wstring_view v) { b.SetScrollRange(ParseIntValue(v)); }},
    {L"value", [](Bar& b, std::wstring_view v) { b.SetScrollPos(ParseIntValue(v)); }},
    {L"showbutton1", [](Bar& b, std::wstring_view v) { b.SetShowButton1(ParseBoolValue(v)); }},
    {L"showbutton2", [](Bar& b, std::wstring_view v) { b.SetShowButton2(ParseBoolValue(v)); }},
};

}  // namespace

void CScrollBarUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CScrollBarUI>(kScrollBarAttributes, *this, name, value))
    CControlUI::SetAttribute(name, value);
}

}  // namespace zui
