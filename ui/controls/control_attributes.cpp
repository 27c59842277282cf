// The skin vocabulary every control shares: one attribute at a time, whole
// attribute lists, and the custom attributes no setter knows.

#include <charconv>
#include <cmath>
#include <string>

#include "ui/base/saturate.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

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
    if (EqualsIgnoreAsciiCase(word, L"null")) {
      align = 0;
    } else if (EqualsIgnoreAsciiCase(word, L"left")) {
      align &= ~(kFloatAlignCenter | kFloatAlignRight);
    } else if (EqualsIgnoreAsciiCase(word, L"center")) {
      align = (align | kFloatAlignCenter) & ~kFloatAlignRight;
    } else if (EqualsIgnoreAsciiCase(word, L"right")) {
      align = (align | kFloatAlignRight) & ~kFloatAlignCenter;
    } else if (EqualsIgnoreAsciiCase(word, L"top")) {
      align &= ~(kFloatAlignVCenter | kFloatAlignBottom);
    } else if (EqualsIgnoreAsciiCase(word, L"vcenter")) {
      align = (align | kFloatAlignVCenter) & ~kFloatAlignBottom;
    } else if (EqualsIgnoreAsciiCase(word, L"bottom")) {
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
      {L"arrow", kCursorArrow},   {L"ibeam", kCursorIBeam},       {L"wait", kCursorWait},
      {L"cross", kCursorCross},   {L"uparrow", kCursorUpArrow},   {L"size", kCursorSize},
      {L"icon", kCursorIcon},     {L"sizenwse", kCursorSizeNWSE}, {L"sizenesw", kCursorSizeNESW},
      {L"sizewe", kCursorSizeWE}, {L"sizens", kCursorSizeNS},     {L"sizeall", kCursorSizeAll},
      {L"no", kCursorNo},         {L"hand", kCursorHand},
  };
  for (const auto& c : kCursors)
    if (EqualsIgnoreAsciiCase(word, c.word)) return c.cursor;
  return 0;
}

// The shared vocabulary, in order of precedence.
const AttributeEntry<CControlUI> kControlAttributes[] = {
    {L"innerstyle", [](CControlUI& c, std::wstring_view v) { c.ApplyAttributeList(v); }},
    {L"pos", [](CControlUI& c, std::wstring_view v) { c.SetFixedPosition(ParseRectValue(v)); }},
    {L"float",
     [](CControlUI& c, std::wstring_view v) {
       if (v.find(L',') != std::wstring_view::npos) {
         c.SetFloatPercent(ParseFloatPercent(v));
         c.SetFloat(true);
       } else {
         c.SetFloat(ParseBoolValue(v));
       }
     }},
    {L"floatalign", [](CControlUI& c, std::wstring_view v) { c.SetFloatAlign(ApplyFloatAlignWords(c.GetFloatAlign(), v)); }},
    {L"padding", [](CControlUI& c, std::wstring_view v) { c.SetPadding(ParseRectValue(v)); }},
    {L"gradient", [](CControlUI& c, std::wstring_view v) { c.SetGradient(v); }},
    {L"bkcolor", [](CControlUI& c, std::wstring_view v) { c.SetBkColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"bkcolor1", [](CControlUI& c, std::wstring_view v) { c.SetBkColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"bkcolor2", [](CControlUI& c, std::wstring_view v) { c.SetBkColor2(CSkinRenderer::ParseColorValue(v)); }},
    {L"bkcolor3", [](CControlUI& c, std::wstring_view v) { c.SetBkColor3(CSkinRenderer::ParseColorValue(v)); }},
    {L"forecolor", [](CControlUI& c, std::wstring_view v) { c.SetForeColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"bordercolor", [](CControlUI& c, std::wstring_view v) { c.SetBorderColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"focusbordercolor",
     [](CControlUI& c, std::wstring_view v) { c.SetFocusBorderColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"colorhsl", [](CControlUI& c, std::wstring_view v) { c.SetColorHSL(ParseBoolValue(v)); }},
    {L"bordersize",
     [](CControlUI& c, std::wstring_view v) {
       if (v.find(L',') == std::wstring_view::npos) {
         c.SetBorderSize(ParseIntValue(v));
         c.SetBorderSides({});
       } else {
         c.SetBorderSides(ParseRectValue(v));
       }
     }},
    {L"leftbordersize", [](CControlUI& c, std::wstring_view v) { c.SetLeftBorderSize(ParseIntValue(v)); }},
    {L"topbordersize", [](CControlUI& c, std::wstring_view v) { c.SetTopBorderSize(ParseIntValue(v)); }},
    {L"rightbordersize", [](CControlUI& c, std::wstring_view v) { c.SetRightBorderSize(ParseIntValue(v)); }},
    {L"bottombordersize", [](CControlUI& c, std::wstring_view v) { c.SetBottomBorderSize(ParseIntValue(v)); }},
    {L"borderstyle", [](CControlUI& c, std::wstring_view v) { c.SetBorderStyle(ParseIntValue(v)); }},
    {L"borderround", [](CControlUI& c, std::wstring_view v) { c.SetBorderRound(ParseSizeValue(v)); }},
    {L"bkimage", [](CControlUI& c, std::wstring_view v) { c.SetBkImage(v); }},
    {L"foreimage", [](CControlUI& c, std::wstring_view v) { c.SetForeImage(v); }},
    {L"width", [](CControlUI& c, std::wstring_view v) { c.SetFixedWidth(ParseIntValue(v)); }},
    {L"height", [](CControlUI& c, std::wstring_view v) { c.SetFixedHeight(ParseIntValue(v)); }},
    {L"minwidth", [](CControlUI& c, std::wstring_view v) { c.SetMinWidth(ParseIntValue(v)); }},
    {L"minheight", [](CControlUI& c, std::wstring_view v) { c.SetMinHeight(ParseIntValue(v)); }},
    {L"maxwidth", [](CControlUI& c, std::wstring_view v) { c.SetMaxWidth(ParseIntValue(v)); }},
    {L"maxheight", [](CControlUI& c, std::wstring_view v) { c.SetMaxHeight(ParseIntValue(v)); }},
    {L"name", [](CControlUI& c, std::wstring_view v) { c.SetName(v); }},
    {L"drag", [](CControlUI& c, std::wstring_view v) { c.SetDragEnable(ParseBoolValue(v)); }},
    {L"drop", [](CControlUI& c, std::wstring_view v) { c.SetDropEnable(ParseBoolValue(v)); }},
    {L"resourcetext", [](CControlUI& c, std::wstring_view v) { c.SetResourceText(ParseBoolValue(v)); }},
    {L"richevent", [](CControlUI& c, std::wstring_view v) { c.SetRichEvent(ParseBoolValue(v)); }},
    {L"text", [](CControlUI& c, std::wstring_view v) { c.SetText(v); }},
    {L"tooltip", [](CControlUI& c, std::wstring_view v) { c.SetToolTip(v); }},
    {L"userdata", [](CControlUI& c, std::wstring_view v) { c.SetUserData(v); }},
    {L"enabled", [](CControlUI& c, std::wstring_view v) { c.SetEnabled(ParseBoolValue(v)); }},
    {L"mouse", [](CControlUI& c, std::wstring_view v) { c.SetMouseEnabled(ParseBoolValue(v)); }},
    {L"keyboard", [](CControlUI& c, std::wstring_view v) { c.SetKeyboardEnabled(ParseBoolValue(v)); }},
    {L"visible", [](CControlUI& c, std::wstring_view v) { c.SetVisible(ParseBoolValue(v)); }},
    {L"shortcut", [](CControlUI& c, std::wstring_view v) { c.SetShortcut(v.empty() ? L'\0' : v[0]); }},
    {L"menu", [](CControlUI& c, std::wstring_view v) { c.SetContextMenuUsed(ParseBoolValue(v)); }},
    {L"cursor",
     [](CControlUI& c, std::wstring_view v) {
       if (const int cursor = CursorForWord(v); cursor != 0) c.SetCursor(cursor);
     }},
    {L"virtualwnd", [](CControlUI& c, std::wstring_view v) { c.SetVirtualWnd(v); }},
};

}  // namespace

void CControlUI::SetFixedPosition(const Rect& r) {
  SetFixedXY({r.left >= 0 ? r.left : r.right, r.top >= 0 ? r.top : r.bottom});
  SetFixedWidth(SaturatedSub(r.right, r.left));
  SetFixedHeight(SaturatedSub(r.bottom, r.top));
}

void CControlUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  // A known style is applied now; any other value is kept as written.
  if (EqualsIgnoreAsciiCase(name, L"style")) {
    const std::wstring* style = manager_ != nullptr ? manager_->GetStyle(value) : nullptr;
    if (style == nullptr) {
      AddCustomAttribute(name, value);
      return;
    }
    const std::wstring list = *style;  // the table may change while the list runs
    ApplyAttributeList(list);
    return;
  }
  if (!ApplyAttributeEntry<CControlUI>(kControlAttributes, *this, name, value)) AddCustomAttribute(name, value);
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
