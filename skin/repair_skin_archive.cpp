#include "skin/repair_skin_archive.h"

#ifndef _WIN32
#include <memory>

#include "ui/host/icon_resources.h"
#include "ui/resources/image_loader.h"
#include "ui/resources/native_resources.h"

namespace zapp::embedded {
extern const unsigned char kSkinArchive[];
extern const unsigned long kSkinArchiveSize;
extern const unsigned char kWindowIconPng[];
extern const unsigned long kWindowIconPngSize;
}  // namespace zapp::embedded
#endif

namespace zapp {

void RegisterRepairSkinArchive() {
#ifndef _WIN32
  zui::RegisterEmbeddedResource(kSkinArchiveResourceType, kSkinArchiveResourceName, embedded::kSkinArchive,
                                embedded::kSkinArchiveSize);
  std::unique_ptr<zui::SkinImage> icon =
      zui::DecodeSkinImage(embedded::kWindowIconPng, embedded::kWindowIconPngSize, 0);
  if (icon != nullptr) zui::RegisterIconResource(kWindowIconResource, std::move(icon->bitmap));
#endif
}

}  // namespace zapp
