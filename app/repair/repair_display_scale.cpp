#include "app/repair/repair_display_scale.h"

#include <cstdlib>

#include "ui/host/display_scale.h"

namespace zapp {

int RepairDisplayScale(const RepairOptions& options, const zui::IUiHost& host) {
  zui::DisplayScaleSources sources;
  sources.requested = options.scale;
#ifndef _WIN32
  if (const char* gdk = std::getenv("GDK_SCALE")) sources.gdkScale = gdk;
#endif
  sources.dpi = host.GetDisplayDpi(nullptr);
  return zui::ChooseDisplayScale(sources);
}

}  // namespace zapp
