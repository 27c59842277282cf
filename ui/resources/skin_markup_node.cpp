#include <cwchar>

#include "ui/resources/skin_markup.h"
#include "ui/base/wide_text.h"

namespace zui {
namespace {

// The first position after the NUL that ends the string at `p`, or null when
// no NUL comes before `end`.
const wchar_t* PastTerminator(const wchar_t* p, const wchar_t* end) {
  while (p < end && *p != L'\0') ++p;
  return p < end ? p + 1 : nullptr;
}

}  // namespace

CSkinMarkupNode::CSkinMarkupNode(CSkinMarkup* owner, uint32_t element) : owner_(owner), element_(element) {}

const wchar_t* CSkinMarkupNode::GetName() const {
  if (owner_ == nullptr) return L"";
  return owner_->TextAt(owner_->elements_[element_].name);
}

CSkinMarkupNode CSkinMarkupNode::GetChild() const {
  if (owner_ == nullptr) return {};
  const uint32_t child = owner_->elements_[element_].child;
  return child != 0 ? CSkinMarkupNode(owner_, child) : CSkinMarkupNode();
}

CSkinMarkupNode CSkinMarkupNode::GetSibling() const {
  if (owner_ == nullptr) return {};
  const uint32_t sibling = owner_->elements_[element_].sibling;
  return sibling != 0 ? CSkinMarkupNode(owner_, sibling) : CSkinMarkupNode();
}

bool CSkinMarkupNode::HasChildren() const { return owner_ != nullptr && owner_->elements_[element_].child != 0; }

void CSkinMarkupNode::MapAttributes() {
  attributeCount_ = 0;
  const CSkinMarkup::Element& element = owner_->elements_[element_];
  const wchar_t* base = owner_->text_.get();
  const wchar_t* end = base + element.text;
  const wchar_t* p = PastTerminator(base + element.name, end);
  while (p != nullptr && p < end) {
    while (p < end && IsMarkupBlank(*p)) ++p;
    if (p >= end) break;
    const wchar_t* name = p;
    p = PastTerminator(p, end);
    if (p == nullptr) break;
    while (p < end && IsMarkupBlank(*p)) ++p;
    if (p >= end || *p != L'"') break;
    ++p;
    attributes_[attributeCount_] = {static_cast<uint32_t>(name - base), static_cast<uint32_t>(p - base)};
    if (++attributeCount_ == kMaxAttributes) break;
    p = PastTerminator(p, end);
  }
}

int CSkinMarkupNode::GetAttributeCount() {
  if (owner_ == nullptr) return 0;
  if (attributeCount_ == 0) MapAttributes();
  return attributeCount_;
}

bool CSkinMarkupNode::HasAttributes() { return GetAttributeCount() > 0; }

const wchar_t* CSkinMarkupNode::GetAttributeName(int index) {
  if (index < 0 || index >= GetAttributeCount()) return L"";
  return owner_->TextAt(attributes_[index].name);
}

const wchar_t* CSkinMarkupNode::GetAttributeValue(int index) {
  if (index < 0 || index >= GetAttributeCount()) return L"";
  return owner_->TextAt(attributes_[index].value);
}

const CSkinMarkupNode::AttributeSlot* CSkinMarkupNode::FindAttribute(const wchar_t* name) {
  if (name == nullptr) return nullptr;
  const int count = GetAttributeCount();
  for (int i = 0; i < count; ++i) {
    if (EqualsIgnoreCase(owner_->TextAt(attributes_[i].name), name)) return &attributes_[i];
  }
  return nullptr;
}

const wchar_t* CSkinMarkupNode::GetAttributeValue(const wchar_t* name) {
  const AttributeSlot* slot = FindAttribute(name);
  return slot != nullptr ? owner_->TextAt(slot->value) : L"";
}

bool CSkinMarkupNode::GetAttributeValue(const wchar_t* name, wchar_t* buffer, size_t capacity) {
  const AttributeSlot* slot = FindAttribute(name);
  if (slot == nullptr) return false;
  if (buffer == nullptr || capacity == 0) return true;
  const wchar_t* value = owner_->TextAt(slot->value);
  size_t length = 0;
  while (length + 1 < capacity && value[length] != L'\0') ++length;
  std::wmemcpy(buffer, value, length);
  buffer[length] = L'\0';
  return true;
}

bool CSkinMarkupNode::HasAttribute(const wchar_t* name) { return FindAttribute(name) != nullptr; }

}  // namespace zui
