#pragma once
// The skin document reader: a small, forgiving, non-validating XML reader for
// the toolkit's own skins. The whole document is decoded once into one wide
// buffer; the tree is a table of fixed-size element records pointing into that
// buffer, and names, values and texts are cut out of it in place, so reading
// the tree never copies a string.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace zui {

class CSkinMarkup;

// A value handle on one element; copied freely. Attributes are located on
// the first query and remembered in the handle.
class CSkinMarkupNode {
 public:
  static constexpr int kMaxAttributes = 64;

  CSkinMarkupNode() = default;
  CSkinMarkupNode(CSkinMarkup* owner, uint32_t element);

  bool IsValid() const { return owner_ != nullptr; }
  const wchar_t* GetName() const;
  CSkinMarkupNode GetChild() const;
  CSkinMarkupNode GetSibling() const;
  bool HasChildren() const;

  int GetAttributeCount();
  bool HasAttributes();
  const wchar_t* GetAttributeName(int index);
  const wchar_t* GetAttributeValue(int index);
  // First attribute whose name equals `name` ignoring case; "" when none.
  const wchar_t* GetAttributeValue(const wchar_t* name);
  // Copies the value, cut to capacity - 1 characters and always terminated.
  bool GetAttributeValue(const wchar_t* name, wchar_t* buffer, size_t capacity);
  bool HasAttribute(const wchar_t* name);

 private:
  struct AttributeSlot {
    uint32_t name = 0;
    uint32_t value = 0;
  };

  void MapAttributes();
  const AttributeSlot* FindAttribute(const wchar_t* name);

  CSkinMarkup* owner_ = nullptr;
  uint32_t element_ = 0;
  int attributeCount_ = 0;
  AttributeSlot attributes_[kMaxAttributes];
};

class CSkinMarkup {
 public:
  enum Encoding { kUtf8 = 0, kUtf16 = 1, kAnsi = 2 };

  // One element record; all five are 32-bit, element 0 stands for the document.
  struct Element {
    uint32_t name;
    uint32_t child;
    uint32_t sibling;
    uint32_t parent;
    uint32_t text;
  };

  explicit CSkinMarkup(const wchar_t* xml = nullptr);
  CSkinMarkup(const CSkinMarkup&) = delete;
  CSkinMarkup& operator=(const CSkinMarkup&) = delete;

  bool Load(const wchar_t* xml);
  bool LoadFromMem(const uint8_t* bytes, size_t size, int encoding = kUtf8);
  // The name is found through the resource settings (folder or archive).
  bool LoadFromFile(const wchar_t* name, int encoding = kUtf8);
  void Release();

  bool IsValid() const { return elementCount_ > 1; }
  const wchar_t* GetLastErrorMessage() const { return errorMessage_; }
  const wchar_t* GetLastErrorLocation() const { return errorLocation_; }
  void SetPreserveWhitespace(bool preserve) { preserveWhitespace_ = preserve; }
  CSkinMarkupNode GetRoot();

  uint32_t ElementCount() const { return elementCount_; }
  uint32_t ElementCapacity() const { return elementCapacity_; }

 private:
  friend class CSkinMarkupNode;
  class Parser;

  bool ParseText(std::unique_ptr<wchar_t[]> text, size_t length);
  bool DecodeAndParse(const uint8_t* bytes, size_t size, int encoding);
  uint32_t AppendElement(uint32_t namePos, uint32_t parent);
  void SetError(std::wstring_view message, const wchar_t* location);
  const wchar_t* TextAt(uint32_t pos) const { return text_.get() + pos; }

  std::unique_ptr<wchar_t[]> text_;
  size_t textLength_ = 0;
  std::unique_ptr<Element[]> elements_;
  uint32_t elementCount_ = 0;
  uint32_t elementCapacity_ = 0;
  wchar_t errorMessage_[100] = {};
  wchar_t errorLocation_[50] = {};
  bool preserveWhitespace_ = true;
};

}  // namespace zui
