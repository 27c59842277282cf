#include "ui/resources/resource_tables.h"

#include <string>

#include "ui/resources/image_loader.h"
#include "ui/resources/scaled_image.h"

namespace zui {
namespace {

constexpr size_t kMaxFaceLength = 31;

std::wstring FontKey(int id) { return std::to_wstring(id); }

}  // namespace

CSharedResources& CSharedResources::Process() {
  static CSharedResources shared;
  return shared;
}

void CSharedResources::Clear() {
  images.Clear();
  fonts.Clear();
  defaultAttributes.Clear();
  styles.Clear();
  defaultFont.reset();
  platformFont.reset();
  colourAdjuster = nullptr;
}

CResourceTables::CResourceTables(ITextEngine& engine, CSharedResources& shared) : engine_(engine), shared_(shared) {}

SkinImage* CResourceTables::GetImage(std::wstring_view name) {
  if (SkinImage* image = images_.Find(name)) return image;
  return shared_.images.Find(name);
}

SkinImage* CResourceTables::AddImage(std::wstring_view name, std::wstring_view resType, uint32_t mask,
                                     bool adjustColour, bool shared, NativeModule module) {
  if (name.empty()) return nullptr;
  if (!resType.empty() && (name[0] < L'0' || name[0] > L'9')) return nullptr;
  std::unique_ptr<SkinImage> image = resType.empty() ? LoadImageForScale(name, scalePercent_, mask, module)
                                                     : LoadSkinImage(name, resType, mask, module);
  if (image == nullptr) return nullptr;
  image->adjustColour = adjustColour;
  image->resType = std::wstring(resType);
  image->mask = mask;
  if (adjustColour) {
    const uint32_t* pixels = image->bitmap.pixels();
    image->unadjustedPixels.assign(pixels, pixels + static_cast<size_t>(image->width) * image->height);
    if (shared_.colourAdjuster) shared_.colourAdjuster(*image);
  }
  return (ToShared(shared) ? shared_.images : images_).Insert(name, std::move(image), true);
}

SkinImage* CResourceTables::GetOrLoadImage(std::wstring_view name, std::wstring_view resType, uint32_t mask,
                                           bool adjustColour, NativeModule module) {
  if (SkinImage* image = GetImage(name)) return image;
  return AddImage(name, resType, mask, adjustColour, false, module);
}

bool CResourceTables::RemoveImage(std::wstring_view name, bool shared) {
  return (ToShared(shared) ? shared_.images : images_).Remove(name);
}

void CResourceTables::RemoveAllImages(bool shared) { (ToShared(shared) ? shared_.images : images_).Clear(); }

std::unique_ptr<SkinFont> CResourceTables::MakeFont(std::wstring_view face, int size, bool bold, bool underline,
                                                    bool italic) {
  FontRequest fontRequest;
  fontRequest.face = std::wstring(face.substr(0, kMaxFaceLength));
  // Rounded like MulDiv, so 150 % of 13 gives 20 rather than 19.
  const long long scaled = static_cast<long long>(size) * scalePercent_;
  fontRequest.pixelSize = static_cast<int>(scaled >= 0 ? (scaled + 50) / 100 : (scaled - 50) / 100);
  fontRequest.bold = bold;
  fontRequest.underline = underline;
  fontRequest.italic = italic;
  std::unique_ptr<ITextFont> handle = engine_.CreateFont(fontRequest);
  if (handle == nullptr) return nullptr;
  auto font = std::make_unique<SkinFont>();
  font->face = handle->Request().face.empty() ? fontRequest.face : handle->Request().face;
  font->size = size;
  font->bold = bold;
  font->underline = underline;
  font->italic = italic;
  font->metrics = handle->Metrics();
  font->handle = std::move(handle);
  return font;
}

void CResourceTables::SetScalePercent(int percent) {
  percent = percent > 0 ? percent : 100;
  if (percent == scalePercent_) return;
  scalePercent_ = percent;
  const auto remake = [this](SkinFont& font) {
    std::unique_ptr<SkinFont> made = MakeFont(font.face, font.size, font.bold, font.underline, font.italic);
    if (made == nullptr) return;  // the old size stays rather than no font
    font.handle = std::move(made->handle);
    font.metrics = made->metrics;
  };
  fonts_.ForEach([&remake](std::wstring_view, SkinFont& font) { remake(font); });
  if (defaultFont_ != nullptr) remake(*defaultFont_);
  images_.Clear();
}

SkinFont* CResourceTables::AddFont(int id, std::wstring_view face, int size, bool bold, bool underline, bool italic,
                                   bool shared) {
  std::unique_ptr<SkinFont> font = MakeFont(face, size, bold, underline, italic);
  if (font == nullptr) return nullptr;
  return (ToShared(shared) ? shared_.fonts : fonts_).Insert(FontKey(id), std::move(font), true);
}

SkinFont* CResourceTables::FindFont(int id) {
  if (id < 0) return nullptr;
  const std::wstring key = FontKey(id);
  if (SkinFont* font = fonts_.Find(key)) return font;
  return shared_.fonts.Find(key);
}

SkinFont* CResourceTables::GetFont(int id) {
  if (SkinFont* font = FindFont(id)) return font;
  return GetDefaultFont();
}

SkinFont* CResourceTables::SetDefaultFont(std::wstring_view face, int size, bool bold, bool underline, bool italic,
                                          bool shared) {
  std::unique_ptr<SkinFont> font = MakeFont(face, size, bold, underline, italic);
  if (font == nullptr) return nullptr;
  std::unique_ptr<SkinFont>& slot = shared ? shared_.defaultFont : defaultFont_;
  slot = std::move(font);
  return slot.get();
}

SkinFont* CResourceTables::GetDefaultFont() {
  if (defaultFont_ != nullptr) return defaultFont_.get();
  if (shared_.defaultFont != nullptr) return shared_.defaultFont.get();
  if (shared_.platformFont == nullptr) {
    shared_.platformFont = MakeFont({}, kPlatformFontSize, false, false, false);
  }
  return shared_.platformFont.get();
}

void CResourceTables::AddDefaultAttributeList(std::wstring_view element, std::wstring_view list, bool shared) {
  (ToShared(shared) ? shared_.defaultAttributes : defaultAttributes_)
      .Insert(element, std::make_unique<std::wstring>(list), true);
}

const std::wstring* CResourceTables::GetDefaultAttributeList(std::wstring_view element) {
  if (const std::wstring* list = defaultAttributes_.Find(element)) return list;
  return shared_.defaultAttributes.Find(element);
}

bool CResourceTables::AddStyle(std::wstring_view name, std::wstring_view list, bool shared) {
  return (ToShared(shared) ? shared_.styles : styles_).Insert(name, std::make_unique<std::wstring>(list), false) !=
         nullptr;
}

const std::wstring* CResourceTables::GetStyle(std::wstring_view name) {
  if (const std::wstring* list = styles_.Find(name)) return list;
  return shared_.styles.Find(name);
}

}  // namespace zui
