#pragma once
// The skin viewer's command line:
//   zaviz-skinview [options] SKIN.xml
//   zaviz-skinview [options] ARCHIVE.zip NAME.xml

#include <optional>
#include <string>
#include <vector>

namespace skinview {

struct ViewerOptions {
  std::string skinPath;    // the skin file, or the archive
  std::string memberName;  // the skin inside the archive; empty for a loose file
  std::string pngPath;     // --png: render off-screen to this file and exit
  int width = 0;           // --size: the window size instead of the skin's
  int height = 0;
  bool exitAfterFirstFrame = false;  // --exit-after-paint
  bool help = false;
  bool version = false;
};

// Null with `error` set when the command line cannot be used.
std::optional<ViewerOptions> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

const char* UsageText();

}  // namespace skinview
