#include "app/zaviz_skinview/viewer.h"

#include <cstdio>
#include <memory>

#include "app/zaviz_skinview/platform_host.h"
#include "app/zaviz_skinview/viewer_window.h"
#include "sys/text_encoding.h"
#include "ui/host/headless/headless_host.h"
#include "ui/host/host.h"
#include "ui/resources/png_writer.h"
#include "ui/text/text_engine.h"

namespace skinview {
namespace {

// Creates the native window the way the repair program does: the skin sets
// the real size, which --size then overrides.
bool CreateWindowFor(ViewerWindow& window, const ViewerOptions& options) {
  if (window.Create(nullptr, L"zaviz-skinview", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE) == nullptr) return false;
  if (options.width > 0) {
    zui::Rect r = zui::Host().GetWindowRect(window.GetHWND());
    zui::Host().MoveHostWindow(window.GetHWND(), {r.left, r.top, r.left + options.width, r.top + options.height}, true);
  }
  return true;
}

}  // namespace

int ShowInWindow(const ViewerOptions& options, const std::wstring& skinName) {
  zui::PreparePlatformTextEngine();  // fonts load while the display connects
  std::string error;
  std::unique_ptr<zui::IUiHost> host = CreatePlatformHost(error);
  if (host == nullptr) {
    std::fprintf(stderr, "zaviz-skinview: %s\n", error.c_str());
    return 1;
  }
  zui::ScopedHost scope(*host);
  // The object outlives its native window: the loop ends after the final
  // message, and only then is it deleted here.
  auto window = std::make_unique<ViewerWindow>(skinName, stdout, options.exitAfterFirstFrame);
  if (!CreateWindowFor(*window, options)) {
    std::fprintf(stderr, "zaviz-skinview: the window could not be created\n");
    return 1;
  }
  window->CenterWindow();
  window->ShowWindow(true, true);
  zui::CPaintManagerUI::MessageLoop();
  return 0;
}

int RenderToPng(const ViewerOptions& options, const std::wstring& skinName) {
  zui::HeadlessHost host;
  zui::ScopedHost scope(host);
  ViewerWindow window(skinName, nullptr, false);
  if (!CreateWindowFor(window, options)) {
    std::fprintf(stderr, "zaviz-skinview: the skin could not be built\n");
    return 1;
  }
  window.ShowWindow(true, true);
  host.PumpPending();
  const zui::Bitmap* frame = host.Frame(window.GetHWND());
  if (frame == nullptr) {
    std::fprintf(stderr, "zaviz-skinview: nothing was painted\n");
    return 1;
  }
  if (!zui::WritePngFile(std::filesystem::path(zsys::Utf8ToWide(options.pngPath)), *frame)) {
    std::fprintf(stderr, "zaviz-skinview: cannot write %s\n", options.pngPath.c_str());
    return 1;
  }
  zui::Host().DestroyHostWindow(window.GetHWND());
  return 0;
}

}  // namespace skinview
