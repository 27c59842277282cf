#pragma once
// The scale the windows are drawn at, from what the desktop says: the
// user's own choice first, then GDK_SCALE (the factor GTK programs follow),
// then the desktop's dots per inch (Xft.dpi or the screen's, on Windows the
// system's). Always one of 100, 125, 150, 175 and 200 %: the skins are drawn
// for 100 and 200 and look their best at the steps between.

#include <optional>
#include <string>

namespace zui {

struct DisplayScaleSources {
  std::optional<int> requested;  // percent, e.g. from --scale
  std::string gdkScale;          // GDK_SCALE as set, empty when not
  int dpi = 96;                  // 96 is 100 %
};

int ChooseDisplayScale(const DisplayScaleSources& sources);
// `percent` to the nearest step from 100 to 200 in 25s.
int RoundDisplayScale(double percent);

}  // namespace zui
