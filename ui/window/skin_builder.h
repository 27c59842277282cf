#pragma once
// CSkinBuilder turns one skin document into the window's resources (images,
// fonts, default attribute lists, styles, font files), the settings of its
// Window element (handed to the paint manager) and a tree of controls made by
// element name, whose attributes are applied in document order.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/resources/native_resources.h"
#include "ui/resources/skin_markup.h"

namespace zui {

class CControlUI;
class CPaintManagerUI;

// Asked for element names the control factory does not know.
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  virtual CControlUI* CreateControl(std::wstring_view elementName) = 0;
};

// Where a skin comes from: a native resource number (below 65536), a text
// starting with '<' (the document itself), or a skin name (mapped through
// the application's skin-name map, then read as a file).
class SkinDocument {
 public:
  SkinDocument(const wchar_t* text) : text_(text ? text : L"") {}
  SkinDocument(std::wstring_view text) : text_(text) {}
  SkinDocument(const std::wstring& text) : text_(text) {}
  static SkinDocument Resource(uint32_t id) { return SkinDocument(id); }

  bool IsResource() const { return isResource_; }
  uint32_t ResourceId() const { return resourceId_; }
  const std::wstring& Text() const { return text_; }

 private:
  explicit SkinDocument(uint32_t id) : resourceId_(id), isResource_(true) {}

  std::wstring text_;
  uint32_t resourceId_ = 0;
  bool isResource_ = false;
};

class CSkinBuilder {
 public:
  // Bounds that keep a mistaken or hostile skin from building without end:
  // an Include that includes itself, a huge `count`, or nesting so deep
  // that walking the finished tree would exhaust the stack. Elements beyond
  // them are skipped like unknown ones.
  static constexpr int kMaxIncludeDepth = 16;
  static constexpr int kMaxIncludedDocuments = 1000;  // per outermost build
  static constexpr int kMaxControlDepth = 128;
  static constexpr size_t kMaxIncludeSourceLength = 499;

  CSkinBuilder() = default;
  CSkinBuilder(const CSkinBuilder&) = delete;
  CSkinBuilder& operator=(const CSkinBuilder&) = delete;

  // Loads the document and builds it; the first control made at the top
  // level, or null (nothing loaded, no root, nothing built).
  CControlUI* Create(const SkinDocument& document, std::wstring_view resourceType = {},
                     IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                     CControlUI* parent = nullptr);
  // Builds the document already loaded into the markup.
  CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                     CControlUI* parent = nullptr);

  CSkinMarkup* GetMarkup() { return &markup_; }
  // Native resources come from this module (none: the resource module).
  void SetModule(NativeModule module) { module_ = module; }

 private:
  // Shared by a build and every build its Includes start.
  struct IncludeBudget {
    int documentsLeft = kMaxIncludedDocuments;
  };

  // The builder of an included document.
  CSkinBuilder(NativeModule module, IncludeBudget* budget, int includeDepth, int controlDepth);

  bool Load(const SkinDocument& document, std::wstring_view resourceType);
  void LoadResources(CSkinMarkupNode root, CPaintManagerUI* manager);
  void ApplyWindowAttributes(CSkinMarkupNode root, CPaintManagerUI* manager);
  CControlUI* Parse(CSkinMarkupNode parentNode, CControlUI* parent, CPaintManagerUI* manager, int depth);
  void Include(CSkinMarkupNode node, CControlUI* parent, CPaintManagerUI* manager, int depth);
  CControlUI* CreateByName(std::wstring_view elementName, CPaintManagerUI* manager);

  CSkinMarkup markup_;
  IDialogBuilderCallback* callback_ = nullptr;
  std::wstring resourceType_;  // empty unless the document came from a native resource
  NativeModule module_ = nullptr;
  IncludeBudget* budget_ = nullptr;  // null: this build is the outermost one
  int includeDepth_ = 0;
  int baseDepth_ = 0;  // nesting of the parent this builder's top level goes into
};

}  // namespace zui
