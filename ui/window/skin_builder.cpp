// Loading a skin document and running the three passes over it.

#include "ui/window/skin_builder.h"

#include <vector>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/resources/resource_settings.h"
#include "ui/base/wide_text.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

// Native resource numbers are 16-bit; anything larger names nothing.
constexpr uint32_t kMaxResourceNumber = 0xFFFF;

}  // namespace

CSkinBuilder::CSkinBuilder(NativeModule module, IncludeBudget* budget, int includeDepth, int controlDepth)
    : module_(module), budget_(budget), includeDepth_(includeDepth), baseDepth_(controlDepth) {}

CControlUI* CSkinBuilder::Create(const SkinDocument& document, std::wstring_view resourceType,
                                 IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent) {
  if (!Load(document, resourceType)) return nullptr;
  return Create(callback, manager, parent);
}

CControlUI* CSkinBuilder::Create(IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent) {
  callback_ = callback;
  CSkinMarkupNode root = markup_.GetRoot();
  if (!root.IsValid()) return nullptr;

  IncludeBudget ownBudget;
  const bool outermost = budget_ == nullptr;
  if (outermost) budget_ = &ownBudget;

  if (manager != nullptr) LoadResources(root, manager);
  if (manager != nullptr && manager->GetPaintWindow() != nullptr && EqualsIgnoreCase(root.GetName(), L"Window"))
    ApplyWindowAttributes(root, manager);
  CControlUI* first = Parse(root, parent, manager, baseDepth_);

  if (outermost) budget_ = nullptr;
  return first;
}

bool CSkinBuilder::Load(const SkinDocument& document, std::wstring_view resourceType) {
  resourceType_.clear();
  if (document.IsResource()) {
    std::vector<uint8_t> bytes;
    const NativeModule module = module_ != nullptr ? module_ : CResourceSettings::Instance().GetResourceModule();
    // A failed lookup must not leave an earlier document to be built again.
    if (document.ResourceId() > kMaxResourceNumber ||
        !LoadNativeResource(module, resourceType, document.ResourceId(), bytes)) {
      markup_.Release();
      return false;
    }
    if (!markup_.LoadFromMem(bytes.data(), bytes.size(), CSkinMarkup::kUtf8)) return false;
    resourceType_ = resourceType;
    return true;
  }
  const std::wstring& text = document.Text();
  if (!text.empty() && text[0] == L'<') return markup_.Load(text.c_str());
  std::wstring file = CResourceSettings::Instance().MapSkinName(text);
  if (file.empty()) file = text;
  return markup_.LoadFromFile(file.c_str(), CSkinMarkup::kUtf8);
}

void CSkinBuilder::Include(CSkinMarkupNode node, CControlUI* parent, CPaintManagerUI* manager, int depth) {
  if (!node.HasAttributes()) return;
  int count = 1;
  std::wstring source;
  const int attributes = node.GetAttributeCount();
  for (int i = 0; i < attributes; ++i) {
    const wchar_t* name = node.GetAttributeName(i);
    std::wstring_view value = node.GetAttributeValue(i);
    if (EqualsIgnoreCase(name, L"count")) {
      count = ParseIntValue(value);
    } else if (EqualsIgnoreCase(name, L"source")) {
      source.assign(value.substr(0, kMaxIncludeSourceLength));
    }
  }
  if (source.empty() || includeDepth_ >= kMaxIncludeDepth) return;

  for (int i = 0; i < count && budget_->documentsLeft > 0; ++i) {
    --budget_->documentsLeft;
    CSkinBuilder builder(module_, budget_, includeDepth_ + 1, depth);
    CControlUI* first = resourceType_.empty()
                            ? builder.Create(SkinDocument(source), {}, callback_, manager, parent)
                            : builder.Create(SkinDocument::Resource(static_cast<uint32_t>(ParseIntValue(source))),
                                             resourceType_, callback_, manager, parent);
    // Without a parent nothing owns what the included document made.
    if (parent == nullptr) ControlPtr orphan(first);
  }
}

}  // namespace zui
