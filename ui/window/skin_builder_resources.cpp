// The resource pass: the root's Image, Font, Default, Style, style2 and
// Import elements become the window's (or the process's shared) resources
// before any control is made, so controls find them while taking their
// attributes.

#include <string>

#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"
#include "ui/base/wide_text.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

bool Is(std::wstring_view a, const wchar_t* b) { return EqualsIgnoreCase(a, b); }

uint32_t ParseMaskColour(std::wstring_view text) {
  if (!text.empty() && text.front() == L'#') text.remove_prefix(1);
  return ParseHexValue(text);
}

void AddImage(CSkinMarkupNode& node, CPaintManagerUI& manager) {
  std::wstring_view name, resType;
  uint32_t mask = 0;
  bool shared = false;
  const int count = node.GetAttributeCount();
  for (int i = 0; i < count; ++i) {
    const std::wstring_view attribute = node.GetAttributeName(i);
    const std::wstring_view value = node.GetAttributeValue(i);
    if (Is(attribute, L"name")) {
      name = value;
    } else if (Is(attribute, L"restype")) {
      resType = value;
    } else if (Is(attribute, L"mask")) {
      mask = ParseMaskColour(value);
    } else if (Is(attribute, L"shared")) {
      shared = ParseBoolValue(value);
    }
  }
  if (!name.empty()) manager.AddImage(name, resType, mask, false, shared, nullptr);
}

void AddFont(CSkinMarkupNode& node, CPaintManagerUI& manager) {
  int id = -1;
  std::wstring_view face;
  int size = 12;
  bool bold = false, underline = false, italic = false, isDefault = false, shared = false;
  const int count = node.GetAttributeCount();
  for (int i = 0; i < count; ++i) {
    const std::wstring_view attribute = node.GetAttributeName(i);
    const std::wstring_view value = node.GetAttributeValue(i);
    if (Is(attribute, L"id")) {
      id = ParseIntValue(value);
    } else if (Is(attribute, L"name")) {
      face = value;
    } else if (Is(attribute, L"size")) {
      size = ParseIntValue(value);
    } else if (Is(attribute, L"bold")) {
      bold = ParseBoolValue(value);
    } else if (Is(attribute, L"underline")) {
      underline = ParseBoolValue(value);
    } else if (Is(attribute, L"italic")) {
      italic = ParseBoolValue(value);
    } else if (Is(attribute, L"default")) {
      isDefault = ParseBoolValue(value);
    } else if (Is(attribute, L"shared")) {
      shared = ParseBoolValue(value);
    }
  }
  if (id < 0) return;
  manager.AddFont(id, face, size, bold, underline, italic, shared);
  if (isDefault) manager.SetDefaultFont(face, size, bold, underline, italic, shared);
}

// Default and Style share their shape: name, value (an attribute list), shared.
struct NamedList {
  std::wstring_view name;
  std::wstring_view value;
  bool shared = false;
};

NamedList ReadNamedList(CSkinMarkupNode& node) {
  NamedList list;
  const int count = node.GetAttributeCount();
  for (int i = 0; i < count; ++i) {
    const std::wstring_view attribute = node.GetAttributeName(i);
    const std::wstring_view value = node.GetAttributeValue(i);
    if (Is(attribute, L"name")) {
      list.name = value;
    } else if (Is(attribute, L"value")) {
      list.value = value;
    } else if (Is(attribute, L"shared")) {
      list.shared = ParseBoolValue(value);
    }
  }
  return list;
}

// A style written as one `item` element per attribute, so values need no
// escaping inside another attribute.
void AddStyleFromItems(CSkinMarkupNode& node, CPaintManagerUI& manager) {
  NamedList style = ReadNamedList(node);
  if (style.name.empty()) return;
  std::wstring list;
  for (CSkinMarkupNode item = node.GetChild(); item.IsValid(); item = item.GetSibling()) {
    if (!Is(item.GetName(), L"item") || !item.HasAttribute(L"name") || !item.HasAttribute(L"value")) continue;
    list += item.GetAttributeValue(L"name");
    list += L"=\"";
    list += item.GetAttributeValue(L"value");
    list += L"\" ";
  }
  manager.AddStyle(style.name, list, style.shared);
}

void ImportFontFile(CSkinMarkupNode& node, CPaintManagerUI& manager) {
  const std::wstring_view file = node.GetAttributeValue(L"fontfile");
  if (!file.empty()) manager.AddFontFile(file);
}

}  // namespace

void CSkinBuilder::LoadResources(CSkinMarkupNode root, CPaintManagerUI* manager) {
  for (CSkinMarkupNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
    const std::wstring_view name = node.GetName();
    if (Is(name, L"Image")) {
      AddImage(node, *manager);
    } else if (Is(name, L"Font")) {
      AddFont(node, *manager);
    } else if (Is(name, L"Default")) {
      const NamedList list = ReadNamedList(node);
      if (!list.name.empty()) manager->AddDefaultAttributeList(list.name, list.value, list.shared);
    } else if (Is(name, L"Style")) {
      const NamedList list = ReadNamedList(node);
      if (!list.name.empty()) manager->AddStyle(list.name, list.value, list.shared);
    } else if (Is(name, L"style2")) {
      AddStyleFromItems(node, *manager);
    } else if (Is(name, L"Import")) {
      ImportFontFile(node, *manager);
    }
  }
}

}  // namespace zui
