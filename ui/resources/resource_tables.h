#pragma once
// The window resources that skins declare: images, fonts, default attribute
// lists and styles. Each window's paint manager owns a CResourceTables; the
// process has one CSharedResources that every window falls back on.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/resources/native_resources.h"
#include "ui/resources/resource_hash_map.h"
#include "ui/resources/skin_image.h"
#include "ui/text/text_engine.h"

namespace zui {

// One created font: the platform font and what it was made from.
struct SkinFont {
  std::unique_ptr<ITextFont> handle;
  std::wstring face;
  int size = 0;  // as declared, before display scaling
  bool bold = false;
  bool underline = false;
  bool italic = false;
  FontMetrics metrics;
};

// The process-wide tables. Fonts kept here must not outlive the text engine
// that made them.
struct CSharedResources {
  static CSharedResources& Process();

  CResourceHashMap<SkinImage> images;
  CResourceHashMap<SkinFont> fonts;
  CResourceHashMap<std::wstring> defaultAttributes;
  CResourceHashMap<std::wstring> styles;
  std::unique_ptr<SkinFont> defaultFont;   // set through SetDefaultFont(shared)
  std::unique_ptr<SkinFont> platformFont;  // the fallback when none was set
  // The process-wide hue/saturation/lightness adjustment; empty when off.
  std::function<void(SkinImage&)> colourAdjuster;

  void Clear();
};

class CResourceTables {
 public:
  static constexpr int kPlatformFontSize = 12;

  explicit CResourceTables(ITextEngine& engine, CSharedResources& shared = CSharedResources::Process());
  CResourceTables(const CResourceTables&) = delete;
  CResourceTables& operator=(const CResourceTables&) = delete;

  // A window that uses shared resources only puts everything it adds into the
  // shared tables.
  void SetUseSharedResourcesOnly(bool on) { sharedOnly_ = on; }
  bool UsesSharedResourcesOnly() const { return sharedOnly_; }
  // A new scale makes this window's fonts again at their new size and drops
  // its images, which load again at the new scale when next drawn.
  void SetScalePercent(int percent);
  int ScalePercent() const { return scalePercent_; }

  // Images, by the name written in the skin.
  SkinImage* GetImage(std::wstring_view name);
  SkinImage* AddImage(std::wstring_view name, std::wstring_view resType = {}, uint32_t mask = 0,
                      bool adjustColour = false, bool shared = false, NativeModule module = nullptr);
  SkinImage* GetOrLoadImage(std::wstring_view name, std::wstring_view resType = {}, uint32_t mask = 0,
                            bool adjustColour = false, NativeModule module = nullptr);
  bool RemoveImage(std::wstring_view name, bool shared = false);
  void RemoveAllImages(bool shared = false);

  // Fonts, by identifier.
  SkinFont* AddFont(int id, std::wstring_view face, int size, bool bold, bool underline, bool italic,
                    bool shared = false);
  // The font with that identifier, window first; the default font when the
  // index is negative or unknown.
  SkinFont* GetFont(int id);
  SkinFont* FindFont(int id);
  SkinFont* SetDefaultFont(std::wstring_view face, int size, bool bold, bool underline, bool italic,
                           bool shared = false);
  SkinFont* GetDefaultFont();

  // Default attribute lists (by element name) and styles (by style name).
  void AddDefaultAttributeList(std::wstring_view element, std::wstring_view list, bool shared = false);
  const std::wstring* GetDefaultAttributeList(std::wstring_view element);
  // An existing style of the same name stays; the result says whether the
  // new one was stored.
  bool AddStyle(std::wstring_view name, std::wstring_view list, bool shared = false);
  const std::wstring* GetStyle(std::wstring_view name);

 private:
  std::unique_ptr<SkinFont> MakeFont(std::wstring_view face, int size, bool bold, bool underline, bool italic);
  bool ToShared(bool shared) const { return shared || sharedOnly_; }

  ITextEngine& engine_;
  CSharedResources& shared_;
  bool sharedOnly_ = false;
  int scalePercent_ = 100;
  CResourceHashMap<SkinImage> images_;
  CResourceHashMap<SkinFont> fonts_;
  CResourceHashMap<std::wstring> defaultAttributes_;
  CResourceHashMap<std::wstring> styles_;
  std::unique_ptr<SkinFont> defaultFont_;
};

}  // namespace zui
