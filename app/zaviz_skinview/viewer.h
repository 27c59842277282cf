#pragma once
// The two ways the viewer shows a skin: in a real window until the user
// closes it, or rendered in memory into a PNG file.

#include <string>

#include "app/zaviz_skinview/command_line.h"

namespace skinview {

// Exit codes: 0 done, 1 the skin or the display could not be used.
int ShowInWindow(const ViewerOptions& options, const std::wstring& skinName);
int RenderToPng(const ViewerOptions& options, const std::wstring& skinName);

}  // namespace skinview
