#include "app/repair/repair_skins.h"

#include "skin/repair_skin_archive.h"
#include "ui/resources/resource_settings.h"
#include "ui/window/paint_manager.h"

namespace zapp {

void PrepareRepairSkins(void* module) {
  zui::CPaintManagerUI::SetInstance(module);
  zui::CResourceSettings& settings = zui::CResourceSettings::Instance();
  settings.SetResourceModule(module);
  RegisterRepairSkinArchive();
  zui::LoadSkinArchiveResource(kSkinArchiveResourceName, kSkinArchiveResourceType);
}

}  // namespace zapp
