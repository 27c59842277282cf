// zaviz-skinview: opens a skin in a real window (every notification printed
// one a line), or renders it off-screen into a PNG file.

#include <cstdio>
#include <string>
#include <vector>

#include "app/zaviz_skinview/command_line.h"
#include "app/zaviz_skinview/skin_source.h"
#include "app/zaviz_skinview/viewer.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  std::optional<skinview::ViewerOptions> options = skinview::ParseCommandLine(args, error);
  if (!options) {
    std::fprintf(stderr, "zaviz-skinview: %s\n%s", error.c_str(), skinview::UsageText());
    return 1;
  }
  if (options->help) {
    std::fputs(skinview::UsageText(), stdout);
    return 0;
  }
  if (options->version) {
    std::printf("zaviz-skinview %s\n", ZAVIZ_VERSION);
    return 0;
  }
  std::wstring skinName = skinview::PrepareSkinSource(*options, error);
  if (skinName.empty()) {
    std::fprintf(stderr, "zaviz-skinview: %s\n", error.c_str());
    return 1;
  }
  return options->pngPath.empty() ? skinview::ShowInWindow(*options, skinName)
                                  : skinview::RenderToPng(*options, skinName);
}
