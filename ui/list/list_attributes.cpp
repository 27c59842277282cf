// The skin vocabulary of `List`: the header, the body's scroll bars and
// child padding, and the item display settings every row reads.

#include "ui/controls/attribute_table.h"
#include "ui/list/list.h"
#include "ui/list/list_body.h"
#include "ui/list/list_header.h"
#include "ui/list/list_text_style.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

using Info = ListItemInfo;

uint32_t Colour(std::wstring_view v) { return CSkinRenderer::ParseColorValue(v); }

// Written on the list, meant for the body that holds the rows.
void ToBody(CListUI& list, std::wstring_view name, std::wstring_view value) {
  list.GetBody()->SetAttribute(name, value);
}

const AttributeEntry<CListUI> kListAttributes[] = {
    {L"header",
     [](CListUI& l, std::wstring_view v) {
       if (l.GetHeader() != nullptr) l.GetHeader()->SetVisible(v != L"hidden");
     }},
    {L"headerbkimage",
     [](CListUI& l, std::wstring_view v) {
       if (l.GetHeader() != nullptr) l.GetHeader()->SetBkImage(v);
     }},
    {L"scrollselect", [](CListUI& l, std::wstring_view v) { l.SetScrollSelect(ParseBoolValue(v)); }},
    {L"fixedscrollbar", [](CListUI& l, std::wstring_view v) { l.SetFixedScrollBar(ParseBoolValue(v)); }},
    {L"multiexpanding",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::multiExpandable, ParseBoolValue(v)); }},
    {L"itemfont", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::font, ParseIntValue(v)); }},
    {L"itemalign",
     [](CListUI& l, std::wstring_view v) {
       l.SetItemInfoField(&Info::textStyle, ApplyAlignWords(l.GetItemInfo()->textStyle, v));
     }},
    {L"itemvalign",
     [](CListUI& l, std::wstring_view v) {
       l.SetItemInfoField(&Info::textStyle, ApplyVAlignWords(l.GetItemInfo()->textStyle, v));
     }},
    {L"itemendellipsis",
     [](CListUI& l, std::wstring_view v) {
       l.SetItemInfoField(&Info::textStyle, WithEndEllipsis(l.GetItemInfo()->textStyle, ParseBoolValue(v)));
     }},
    {L"itemtextpadding",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::textPadding, ParseRectValue(v)); }},
    {L"itemtextcolor", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::textColor, Colour(v)); }},
    {L"itembkcolor", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::bkColor, Colour(v)); }},
    {L"itembkimage", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::bkImage, v); }},
    {L"itemaltbk", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::alternateBk, ParseBoolValue(v)); }},
    {L"itemselectedtextcolor",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::selectedTextColor, Colour(v)); }},
    {L"itemselectedbkcolor",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::selectedBkColor, Colour(v)); }},
    {L"itemselectedimage", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::selectedImage, v); }},
    {L"itemhottextcolor", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::hotTextColor, Colour(v)); }},
    {L"itemhotbkcolor", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::hotBkColor, Colour(v)); }},
    {L"itemhotimage", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::hotImage, v); }},
    {L"itemdisabledtextcolor",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::disabledTextColor, Colour(v)); }},
    {L"itemdisabledbkcolor",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::disabledBkColor, Colour(v)); }},
    {L"itemdisabledimage", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::disabledImage, v); }},
    {L"itemlinecolor", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::lineColor, Colour(v)); }},
    {L"itemshowrowline",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::showRowLine, ParseBoolValue(v)); }},
    {L"itemshowcolumnline",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::showColumnLine, ParseBoolValue(v)); }},
    {L"itemshowhtml", [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::showHtml, ParseBoolValue(v)); }},
    {L"itemrselected",
     [](CListUI& l, std::wstring_view v) { l.SetItemInfoField(&Info::rightButtonSelects, ParseBoolValue(v)); }},
    {L"multiselect", [](CListUI& l, std::wstring_view v) { l.SetMultiSelection(ParseBoolValue(v)); }},
    {L"vscrollbar", [](CListUI& l, std::wstring_view v) { ToBody(l, L"vscrollbar", v); }},
    {L"hscrollbar", [](CListUI& l, std::wstring_view v) { ToBody(l, L"hscrollbar", v); }},
    {L"vscrollbarstyle", [](CListUI& l, std::wstring_view v) { ToBody(l, L"vscrollbarstyle", v); }},
    {L"hscrollbarstyle", [](CListUI& l, std::wstring_view v) { ToBody(l, L"hscrollbarstyle", v); }},
    {L"childpadding", [](CListUI& l, std::wstring_view v) { ToBody(l, L"childpadding", v); }},
};

}  // namespace

void CListUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CListUI>(kListAttributes, *this, name, value)) CVerticalLayoutUI::SetAttribute(name, value);
}

}  // namespace zui
