#include "app/repair/platform_process.h"

#include <cstdio>

#include "app/repair/command_line.h"
#include "app/repair/language.h"
#include "app/repair/notice_window.h"
#include "app/repair/repair_display_scale.h"
#include "app/repair/repair_skins.h"
#include "app/repair/repair_texts.h"
#include "sys/text_encoding.h"
#include "ui/host/sdl/sdl_host.h"
#include "ui/window/paint_manager.h"

namespace zapp {

void InitializeCom() {}
void UninitializeCom() {}

std::wstring CommandLineAfterProgramName(const std::vector<std::string>& args) { return JoinedCommandLine(args); }

std::unique_ptr<zui::IUiHost> CreatePlatformHost(std::string& error) { return zui::CreateSdlHost(error); }

void* ProgramModule() { return nullptr; }

void ShowAlreadyRunning(const RepairOptions& options) {
  const wchar_t* text = Tr(kAlreadyRunningText);
  const wchar_t* title = Tr(kNoticeTitle);
  std::fprintf(stderr, "zaviz-era-varedu: %s\n", zsys::WideToUtf8(text).c_str());
  std::string error;
  std::unique_ptr<zui::IUiHost> host = CreatePlatformHost(error);
  if (host == nullptr) return;
  // Our own window: the system's message box may have no font for Chinese.
  zui::ScopedHost scope(*host);
  zui::CPaintManagerUI::SetDefaultDisplayScale(RepairDisplayScale(options, *host));
  PrepareRepairSkins(ProgramModule());
  if (!ShowNotice(title, text)) host->MessageBox(nullptr, text, title, MB_OK);
}

}  // namespace zapp
