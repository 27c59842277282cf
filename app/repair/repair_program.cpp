#include "app/repair/repair_program.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/repair/command_line.h"
#include "app/repair/diagnosis/diagnosis_source.h"
#include "app/repair/platform_process.h"
#include "app/repair/process/console.h"
#include "app/repair/process/firmware_location.h"
#include "app/repair/process/instance_doorbell.h"
#include "app/repair/process/shutdown_signals.h"
#include "app/repair/process/single_instance.h"
#include "app/repair/repair_display_scale.h"
#include "app/repair/repair_skins.h"
#include "app/repair/vxg_down.h"
#include "net/adapter_discovery.h"
#include "net/platform_network.h"
#include "net/restore_record.h"
#include "sys/program_path.h"
#include "ui/text/text_engine.h"

namespace zapp {
namespace {

// Not resizable: the skin has one size at each display scale.
constexpr uint32_t kRepairWindowStyle = (WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME) | WS_VISIBLE;

void AddProgramFirewallRules() {
  znet::FirewallRequest request;
  request.ruleName = L"ZavizEraVaredu";
  request.description = L"ZavizEraVaredu";
  request.applicationPath = zsys::ProgramPath().wstring();
  request.inbound = request.outbound = true;
  request.inboundAction = request.outboundAction = 1;
  znet::AddFirewallRules(request);  // what it reports does not stop the start
}

znet::PhysicalCardTable PhysicalCards(const RepairOptions& options) {
  znet::PhysicalCardTable table;
  if (options.card) {
    table[*options.card] = true;  // the one card asked for, also a virtual one
  } else {
    std::unique_ptr<znet::IRegistrySource> registry = znet::CreateRegistrySource();
    znet::LoadPhysicalCards(*registry, table);
  }
  return table;
}

std::filesystem::path WorkingFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path() : folder;
}

// The window, its loop, and everything that must outlive the window.
int RunWindow(const RepairOptions& options, zui::IUiHost& host) {
  std::unique_ptr<znet::IAdapterSource> adapters = znet::CreateAdapterSource();
  std::unique_ptr<znet::IAddressChanger> changer = znet::CreateAddressChanger();
  std::unique_ptr<znet::IRepairAddressKeeper> keeper = znet::CreateRepairAddressKeeper(stdout);
  CardWatchers watchers;
  znet::RestoreRecordFile record(znet::RestoreRecordFile::DefaultPath());
  // Before anything else touches the cards: a card a crashed run left behind.
  znet::RecoverFromRestoreRecord(record, *adapters, *changer, stdout);

  RepairSetup setup;
  setup.adapters = adapters.get();
  setup.physicalCards = PhysicalCards(options);
  setup.changer = changer.get();
  setup.keeper = keeper.get();
  setup.cardWatchers = watchers.Pointers();
  setup.record = &record;
  setup.firmwareFolder = FirmwareFolder(zsys::ProgramDirectory(), WorkingFolder());
  setup.firmwareSearchFolders = FirmwareSearchFolders(zsys::ProgramDirectory(), WorkingFolder());
  setup.supportLogFolder = DefaultSupportLogFolder();
  auto window = std::make_unique<VXGDown>(std::move(setup));
  if (window->Create(nullptr, L"vxdownload", kRepairWindowStyle, WS_EX_WINDOWEDGE) == nullptr) {
    std::fprintf(stderr, "zaviz-era-varedu: the repair window could not be created\n");
    return 1;
  }
  const zui::WindowHandle handle = window->GetHWND();
  RepairWorkflow& workflow = window->Workflow();
  InstallShutdownSignals([&host, handle, &workflow] {
    workflow.NoteStopSignal();  // the log says a signal ended the repair, not the user
    host.PostMessage(handle, WM_CLOSE, 0, 0);
  });
  InstanceDoorbell doorbell([&host, handle] { host.PostMessage(handle, WM_REPAIR_RAISE, 0, 0); });
  window->CenterWindow();
  window->ShowWindow(true, true);
  zui::CPaintManagerUI::MessageLoop();
  RemoveShutdownSignals();
  // Server joined and card given back (already done by the close).
  window.reset();
  return 0;
}

}  // namespace

int RunRepairProgram(const std::vector<std::string>& args) {
#ifndef _WIN32
  const RepairOptions options = ParseRepairOptions(args);
  if (options.version) {
    std::printf("zaviz-era-varedu %s\n", ZAVIZ_VERSION);
    return 0;
  }
#else
  // Windows takes only the language from its command line: the cards come
  // from the registry and the scale from the window's DPI.
  RepairOptions options;
  options.language = ParseRepairOptions(args).language;
#endif
  SetLanguage(options.language.value_or(SystemLanguage()));
  InitializeCom();
  if (!AcquireSingleInstance()) {
    CallRunningInstance();
    ShowAlreadyRunning(options);
    return 0;
  }
  const bool console = ConsoleWanted(CommandLineAfterProgramName(args));
  OpenConsoleIfWanted(console);

  zui::PreparePlatformTextEngine();  // fonts load while the display connects
  std::string error;
  std::unique_ptr<zui::IUiHost> host = CreatePlatformHost(error);
  if (host == nullptr) {
    std::fprintf(stderr, "zaviz-era-varedu: no display to show the repair window on (%s)\n", error.c_str());
    CloseConsoleIfOpened(console);
    UninitializeCom();
    return 1;
  }
  zui::ScopedHost scope(*host);
  zui::CPaintManagerUI::SetDefaultDisplayScale(RepairDisplayScale(options, *host));
  PrepareRepairSkins(ProgramModule());
  AddProgramFirewallRules();
  const int code = RunWindow(options, *host);

  UninitializeCom();
  CloseConsoleIfOpened(ConsoleWanted(CommandLineAfterProgramName(args)));
  return code;
}

}  // namespace zapp
