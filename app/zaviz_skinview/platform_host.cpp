#include "app/zaviz_skinview/platform_host.h"

#ifdef _WIN32
#include "ui/host/win32/win32_host.h"
#else
#include "ui/host/sdl/sdl_host.h"
#endif

namespace skinview {

std::unique_ptr<zui::IUiHost> CreatePlatformHost(std::string& error) {
#ifdef _WIN32
  return zui::CreateWin32Host();
#else
  return zui::CreateSdlHost(error);
#endif
}

}  // namespace skinview
