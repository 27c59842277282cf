#pragma once
// What the drawing routines need from a window's paint manager: its images,
// parsed descriptors, fonts, text engine and display scale. The paint manager
// implements it; tests implement it over images they build themselves.

#include <cstdint>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/resources/skin_image.h"

namespace zui {

class ITextFont;
class ITextEngine;
class ImageDescriptorCache;

class IRenderResources {
 public:
  virtual ~IRenderResources() = default;

  // The named image from the window's tables, loading it on first use; null
  // when it cannot be loaded. `resType` is empty for files and archive members.
  virtual const SkinImage* GetOrLoadImage(std::wstring_view name, std::wstring_view resType, uint32_t mask) = 0;
  // An SVG image rendered at `size` (0 x 0: its own size) at the display
  // scale; null where SVG is not available.
  virtual const SkinImage* GetOrLoadSvgImage(std::wstring_view name, Size size) { return nullptr; }

  // The window's cache of parsed image descriptors.
  virtual ImageDescriptorCache& DescriptorCache() = 0;

  // Font by index: a negative or unknown index gives the default font; null
  // only when no font at all can be made.
  virtual const ITextFont* GetFont(int index) = 0;
  virtual ITextEngine* TextEngine() = 0;

  // Display scale in percent (100 = no scaling).
  virtual int DisplayScale() const { return 100; }
  // The window is drawn with per-pixel alpha (layered).
  virtual bool IsLayered() const { return false; }
  // Text goes through the anti-aliased (GDI+-style) path: alpha kept, word
  // wrapping unless single line.
  virtual bool UseGdiplusText() const { return false; }
  // The application-wide text language is Arabic: text reads right to left.
  virtual bool IsRightToLeftLanguage() const { return false; }
};

}  // namespace zui
