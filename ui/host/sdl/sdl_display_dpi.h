#pragma once
// The X desktop's dots per inch, as desktop programs read it: the Xft.dpi
// resource that desktops set for their scale (xrdb), else the screen's own
// size in pixels over millimetres. 0 where there is no X display to ask.

namespace zui {

int X11DesktopDpi();

}  // namespace zui
