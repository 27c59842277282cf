#include "app/repair/repair_skins.h"

#include "sys/program_path.h"
#include "ui/resources/resource_settings.h"
#include "ui/window/paint_manager.h"

#if __has_include("skin/repair_skin_archive.h")
#include "skin/repair_skin_archive.h"
#define ZAVIZ_HAS_SKIN_ARCHIVE 1
#endif

namespace zapp {

void PrepareRepairSkins(void* module) {
  zui::CPaintManagerUI::SetInstance(module);
  zui::CResourceSettings& settings = zui::CResourceSettings::Instance();
  settings.SetResourceModule(module);
#ifdef ZAVIZ_HAS_SKIN_ARCHIVE
  RegisterRepairSkinArchive();
  zui::LoadSkinArchiveResource(L"IDR_ZIPRES", L"ZIPRES");
#else
  // A build without the packed archive reads the skin folder beside the program.
  settings.SetResourceType(zui::CResourceSettings::kResourceFile);
  settings.SetResourcePath((zsys::ProgramDirectory() / "skin").wstring() + L"/");
#endif
}

}  // namespace zapp
