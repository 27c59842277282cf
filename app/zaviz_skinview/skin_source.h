#pragma once
// Points the toolkit's resource settings at the skin the user named and
// checks, before any window exists, that it can be read and parsed, so a
// bad file gets a clear message instead of an empty window.

#include <string>

#include "app/zaviz_skinview/command_line.h"

namespace skinview {

// The skin's name for the window (a file or archive member name); empty
// with `error` set when the skin cannot be used.
std::wstring PrepareSkinSource(const ViewerOptions& options, std::string& error);

}  // namespace skinview
