// The skin vocabulary every control shares: one attribute at a time, whole
// attribute lists, and the custom attributes no setter knows.

#include <charconv>
#include <cmath>
#include <string>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

int SaturatedDifference(int a, int b) {
  const long long d = static_cast<long long>(a) - b;
  return d > INT32_MAX ? INT32_MAX : d < INT32_MIN ? INT32_MIN : static_cast<int>(d);
}

// One real number of a float attribute; anything unreadable, infinite or
// not a number counts as 0.
double ParseReal(std::wstring_view text) {
  std::string narrow;
  for (wchar_t c : text) {
    if (c == L' ' || c == L'\t') continue;
    if (c > 0x7F) break;
    narrow += static_cast<char>(c);
  }
  const char* first = narrow.data();
  if (!narrow.empty() && narrow[0] == '+') ++first;
  double value = 0;
  const auto result = std::from_chars(first, narrow.data() + narrow.size(), value);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

CControlUI::FloatPercent ParseFloatPercent(std::wstring_view text) {
  double v[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4 && !text.empty(); ++i) {
    const size_t comma = text.find(L',');
    v[i] = ParseReal(text.substr(0, comma));
    text = comma == std::wstring_view::npos ? std::wstring_view{} : text.substr(comma + 1);
  }
  return {v[0], v[1], v[2], v[3]};
}

uint32_t ApplyFloatAlignWords(uint32_t align, std::wstring_view words) {
  size_t i = 0;
  while (i < words.size()) {
    while (i < words.size() && (words[i] == L',' || words[i] == L' ')) ++i;
    size_t end = i;
    while (end < words.size() && words[end] != L',' && words[end] != L' ') ++end;
    const std::wstring_view word = words.substr(i, end - i);
    i = end;
    if (EqualsNoCase(word, L"null")) {
      align = 0;
    } else if (EqualsNoCase(word, L"left")) {
      align &= ~(kFloatAlignCenter | kFloatAlignRight);
    } else if (EqualsNoCase(word, L"center")) {
      align = (align | kFloatAlignCenter) & ~kFloatAlignRight;
    } else if (EqualsNoCase(word, L"right")) {
      align = (align | kFloatAlignRight) & ~kFloatAlignCenter;
    } else if (EqualsNoCase(word, L"top")) {
      align &= ~(kFloatAlignVCenter | kFloatAlignBottom);
    } else if (EqualsNoCase(word, L"vcenter")) {
      align = (align | kFloatAlignVCenter) & ~kFloatAlignBottom;
    } else if (EqualsNoCase(word, L"bottom")) {
      align = (align | kFloatAlignBottom) & ~kFloatAlignVCenter;
    }
  }
  return align;
}

// The cursor words of the skins; 0 for a word that names none.
int CursorForWord(std::wstring_view word) {
  static const struct {
    const wchar_t* word;
    int cursor;
  } kCursors[] = {
      {L"arrow", kCursorArrow},       {L"ibeam", kCursorIBeam},       {L"wait", kCursorWait},
      {L"cross", kCursorCross},       {L"uparrow", kCursorUpArrow},   {L"size", kCursorSize},
      {L"icon", kCursorIcon},         {L"sizenwse", kCursorSizeNWSE}, {L"sizenesw", kCursorSizeNESW},
      {L"sizewe", kCursorSizeWE},     {L"sizens", kCursorSizeNS},     {L"sizeall", kCursorSizeAll},
      {L"no", kCursorNo},             {L"hand", kCursorHand},
  };
  for (const auto& c : kCursors)
    if (EqualsNoCase(word, c.word)) return c.cursor;
  return 0;
}

}  // namespace

void CControlUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  auto is = [&](std::wstring_view n) { return EqualsNoCase(name, n); };
  if (is(L"style")) {
    const std::wstring* style = manager_ != nullptr ? manager_->GetStyle(value) : nullptr;
    if (style != nullptr) {
      const std::wstring list = *style;  // the table may change while the list runs
      ApplyAttributeList(list);
    } else {
      AddCustomAttribute(name, value);
    }
  } else if (is(L"innerstyle")) {
    ApplyAttributeList(value);
  } else if (is(L"pos")) {
    const Rect r = ParseRectValue(value);
    SetFixedXY({r.left >= 0 ? r.left : r.right, r.top >= 0 ? r.top : r.bottom});
    SetFixedWidth(SaturatedDifference(r.right, r.left));
    SetFixedHeight(SaturatedDifference(r.bottom, r.top));
  } else if (is(L"float")) {
    if (value.find(L',') != std::wstring_view::npos) {
      SetFloatPercent(ParseFloatPercent(value));
      SetFloat(true);
    } else {
      SetFloat(ParseBoolValue(value));
    }
  } else if (is(L"floatalign")) {
    SetFloatAlign(ApplyFloatAlignWords(floatAlign_, value));
  } else if (is(L"padding")) {
    SetPadding(ParseRectValue(value));
  } else if (is(L"gradient")) {
    SetGradient(value);
  } else if (is(L"bkcolor") || is(L"bkcolor1")) {
    SetBkColor(CSkinRenderer::ParseColorValue(value));
  } else if (is(L"bkcolor2")) {
    SetBkColor2(CSkinRenderer::ParseColorValue(value));
  } else if (is(L"bkcolor3")) {
    SetBkColor3(CSkinRenderer::ParseColorValue(value));
  } else if (is(L"forecolor")) {
    SetForeColor(CSkinRenderer::ParseColorValue(value));
  } else if (is(L"bordercolor")) {
    SetBorderColor(CSkinRenderer::ParseColorValue(value));
  } else if (is(L"focusbordercolor")) {
    SetFocusBorderColor(CSkinRenderer::ParseColorValue(value));
  } else if (is(L"colorhsl")) {
    SetColorHSL(ParseBoolValue(value));
  } else if (is(L"bordersize")) {
    if (value.find(L',') == std::wstring_view::npos) {
      SetBorderSize(ParseIntValue(value));
      SetBorderSides({});
    } else {
      SetBorderSides(ParseRectValue(value));
    }
  } else if (is(L"leftbordersize")) {
    SetLeftBorderSize(ParseIntValue(value));
  } else if (is(L"topbordersize")) {
    SetTopBorderSize(ParseIntValue(value));
  } else if (is(L"rightbordersize")) {
    SetRightBorderSize(ParseIntValue(value));
  } else if (is(L"bottombordersize")) {
    SetBottomBorderSize(ParseIntValue(value));
  } else if (is(L"borderstyle")) {
    SetBorderStyle(ParseIntValue(value));
  } else if (is(L"borderround")) {
    SetBorderRound(ParseSizeValue(value));
  } else if (is(L"bkimage")) {
    SetBkImage(value);
  } else if (is(L"foreimage")) {
    SetForeImage(value);
  } else if (is(L"width")) {
    SetFixedWidth(ParseIntValue(value));
  } else if (is(L"height")) {
    SetFixedHeight(ParseIntValue(value));
  } else if (is(L"minwidth")) {
    SetMinWidth(ParseIntValue(value));
  } else if (is(L"minheight")) {
    SetMinHeight(ParseIntValue(value));
  } else if (is(L"maxwidth")) {
    SetMaxWidth(ParseIntValue(value));
  } else if (is(L"maxheight")) {
    SetMaxHeight(ParseIntValue(value));
  } else if (is(L"name")) {
    SetName(value);
  } else if (is(L"drag")) {
    SetDragEnable(ParseBoolValue(value));
  } else if (is(L"drop")) {
    SetDropEnable(ParseBoolValue(value));
  } else if (is(L"resourcetext")) {
    SetResourceText(ParseBoolValue(value));
  } else if (is(L"richevent")) {
    SetRichEvent(ParseBoolValue(value));
  } else if (is(L"text")) {
    SetText(value);
  } else if (is(L"tooltip")) {
    SetToolTip(value);
  } else if (is(L"userdata")) {
    SetUserData(value);
  } else if (is(L"enabled")) {
    SetEnabled(ParseBoolValue(value));
  } else if (is(L"mouse")) {
    SetMouseEnabled(ParseBoolValue(value));
  } else if (is(L"keyboard")) {
    SetKeyboardEnabled(ParseBoolValue(value));
  } else if (is(L"visible")) {
    SetVisible(ParseBoolValue(value));
  } else if (is(L"shortcut")) {
    SetShortcut(value.empty() ? L'\0' : value[0]);
  } else if (is(L"menu")) {
    SetContextMenuUsed(ParseBoolValue(value));
  } else if (is(L"cursor")) {
    if (const int cursor = CursorForWord(value); cursor != 0) SetCursor(cursor);
  } else if (is(L"virtualwnd")) {
    SetVirtualWnd(value);
  } else {
    AddCustomAttribute(name, value);
  }
}

bool CControlUI::NextListItem(std::wstring_view& rest, std::wstring& name, std::wstring& value) {
  const size_t equals = rest.find(L'=');
  if (equals == std::wstring_view::npos) return false;
  if (equals + 1 >= rest.size() || rest[equals + 1] != L'"') return false;
  const size_t close = rest.find(L'"', equals + 2);
  if (close == std::wstring_view::npos) return false;
  name.assign(rest.substr(0, equals));
  value.assign(rest.substr(equals + 2, close - equals - 2));
  rest = rest.substr(close + 1);
  return true;
}

void CControlUI::ApplyAttributeList(std::wstring_view listIn) {
  // A style whose list names the style again (directly or through others)
  // would recurse without end.
  static constexpr int kMaxNesting = 16;
  if (attributeListDepth_ >= kMaxNesting) return;
  ++attributeListDepth_;

  std::wstring list(listIn);
  if (manager_ != nullptr) {
    if (const std::wstring* style = manager_->GetStyle(list)) list = *style;
  }
  static constexpr std::wstring_view kQuot = L"&quot;";
  for (size_t at = list.find(kQuot); at != std::wstring::npos; at = list.find(kQuot, at + 1))
    list.replace(at, kQuot.size(), L"\"");

  std::wstring_view rest = list;
  std::wstring name, value;
  while (NextListItem(rest, name, value)) {
    SetAttribute(name, value);
    if (rest.empty() || (rest[0] != L',' && rest[0] != L' ')) break;
    rest.remove_prefix(1);
  }
  --attributeListDepth_;
}

void CControlUI::AddCustomAttribute(std::wstring_view name, std::wstring_view value) {
  customAttributes_.emplace(std::wstring(name), std::wstring(value));
}

const std::wstring* CControlUI::GetCustomAttribute(std::wstring_view name) const {
  const auto it = customAttributes_.find(std::wstring(name));
  return it == customAttributes_.end() ? nullptr : &it->second;
}

bool CControlUI::RemoveCustomAttribute(std::wstring_view name) {
  return customAttributes_.erase(std::wstring(name)) > 0;
}

}  // namespace zui
