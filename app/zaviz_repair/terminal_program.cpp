#include "app/zaviz_repair/terminal_program.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/repair/diagnosis/diagnosis_source.h"
#include "app/repair/process/firmware_location.h"
#include "app/repair/process/single_instance.h"
#include "app/repair/language.h"
#include "app/repair/repair_texts.h"
#include "app/repair/terminal_texts.h"
#include "app/repair/repair_workflow.h"
#include "app/zaviz_repair/card_choice.h"
#include "app/zaviz_repair/command_line.h"
#include "app/zaviz_repair/console_io.h"
#include "app/zaviz_repair/event_queue.h"
#include "app/zaviz_repair/repair_driver.h"
#include "app/zaviz_repair/stop_requests.h"
#include "app/zaviz_repair/system_scope.h"
#include "app/zaviz_repair/terminal_view.h"
#include "app/zaviz_repair/terminal_words.h"
#include "net/adapter_discovery.h"
#include "net/platform_network.h"
#include "net/restore_record.h"
#include "sys/program_path.h"
#include "sys/text_encoding.h"

namespace zaviz_repair {
namespace {

constexpr char kName[] = "zaviz-repair: ";

// The diagnostic stream: standard output with --verbose, else nowhere.
struct Diagnostics {
  explicit Diagnostics(bool verbose) : stream(verbose ? stdout : OpenDiscardStream()), owned(!verbose) {}
  ~Diagnostics() {
    if (owned && stream != nullptr) std::fclose(stream);
  }
  Diagnostics(const Diagnostics&) = delete;
  Diagnostics& operator=(const Diagnostics&) = delete;
  std::FILE* stream;
  bool owned;
};

std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::filesystem::path WorkingFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path() : folder;
}

// The cards as the system has them now, and the table the repair restricts itself to.
struct CardSurvey {
  std::vector<znet::AdapterEntry> adapters;
  znet::PhysicalCardTable table;
  std::vector<ListedCard> eligible;
};

CardSurvey SurveyCards(znet::IAdapterSource& adapters, std::FILE* diagnostics) {
  CardSurvey survey;
  adapters.ListAdapters(survey.adapters);
  std::unique_ptr<znet::IRegistrySource> registry = znet::CreateRegistrySource();
  znet::LoadPhysicalCards(*registry, survey.table);
  std::vector<znet::NetCardInfo> cards;
  znet::GetNetCards(adapters, survey.table, cards, diagnostics);
  survey.eligible = ListCards(cards, survey.adapters);
  return survey;
}

void Configure(zapp::RepairSetup& setup, const Options& options) {
  if (options.firmware) {
    std::error_code error;
    std::filesystem::path file = std::filesystem::absolute(PathFromUtf8(*options.firmware), error);
    if (error) file = PathFromUtf8(*options.firmware);
    setup.firmwareFile = file;
    setup.firmwareFolder = file.parent_path();
  } else {
    setup.firmwareFolder = zapp::FirmwareFolder(zsys::ProgramDirectory(), WorkingFolder());
    setup.firmwareSearchFolders = zapp::FirmwareSearchFolders(zsys::ProgramDirectory(), WorkingFolder());
  }
}

// What the run saw besides the workflow's outcome.
struct RunFacts {
  bool cardWasChanged = false;
  bool recordLeft = false;      // a restore record outlived the run: the card is not back
  bool changeDeclined = false;  // the question before the change was not answered yes
};

int Report(RepairOutcome outcome, const RunFacts& facts, TerminalView& view, Console& console) {
  view.EndBarLine();
  if (facts.recordLeft) {
    console.WriteError(kName + Words(zapp::kTermNotGivenBack) + "\n");
    return kExitFailed;
  }
  switch (outcome) {
    case RepairOutcome::kRepaired: view.Say(kName + Words(zapp::kTermRepaired)); return kExitRepaired;
    case RepairOutcome::kFailed:
      console.WriteError(kName + zsys::WideToUtf8(view.ErrorText()) + "\n");
      return kExitFailed;
    case RepairOutcome::kNoCard:
      console.WriteError(kName + Words(facts.changeDeclined ? zapp::kTermNotConfirmed : zapp::kTermNoCardChosen) +
                         "\n");
      return kExitFailed;
    case RepairOutcome::kInterrupted:
      console.WriteError(
          kName + Words(facts.cardWasChanged ? zapp::kTermStoppedGivenBack : zapp::kTermStoppedUnchanged) + "\n");
      return kExitFailed;
  }
  return kExitFailed;
}

int Repair(const Options& options, Console& console, EventQueue& events, const std::atomic<bool>& stop) {
  Diagnostics diagnostics(options.verbose);
  std::unique_ptr<znet::IAdapterSource> adapters = znet::CreateAdapterSource();
  std::unique_ptr<znet::IAddressChanger> changer = znet::CreateAddressChanger();
  std::unique_ptr<znet::IRepairAddressKeeper> keeper = znet::CreateRepairAddressKeeper(diagnostics.stream);
  zapp::CardWatchers watchers;
  znet::RestoreRecordFile record(znet::RestoreRecordFile::DefaultPath());
  // Before anything else touches the cards: a card a stopped run left behind.
  if (znet::RecoverFromRestoreRecord(record, *adapters, *changer, diagnostics.stream)) {
    console.Write(kName + Words(zapp::kTermEarlierRunRestored) + "\n");
  }

  CardSurvey survey = SurveyCards(*adapters, diagnostics.stream);
  if (options.card) {
    const CardAnswer answer = ResolveCardOption(*options.card, survey.eligible, survey.adapters);
    if (!answer.found) {
      console.WriteError(kName + answer.problem + "\n");
      return kExitBadUsage;
    }
    survey.table = {{answer.adapterName, true}};  // the one card asked for, also a virtual one
  }

  TerminalView view(console, survey.adapters, zapp::kFinishingTimerMs);
  zapp::RepairSetup setup;
  setup.adapters = adapters.get();
  setup.physicalCards = survey.table;
  setup.changer = changer.get();
  setup.keeper = keeper.get();
  setup.cardWatchers = watchers.Pointers();
  setup.record = &record;
  setup.console = diagnostics.stream;
  setup.supportLogFolder = zapp::DefaultSupportLogFolder();
  Configure(setup, options);
  RunFacts facts;
  if (!options.yes) {
    setup.confirmCardChange = [&view, &facts](const znet::NetCardInfo& card) {
      const bool yes = view.ConfirmCardChange(card);
      facts.changeDeclined = !yes;
      return yes;
    };
  }

  RepairOutcome outcome = RepairOutcome::kInterrupted;
  std::filesystem::path supportLog;
  {
    zapp::RepairWorkflow workflow(std::move(setup), view, view);
    std::FILE* log = diagnostics.stream;
    workflow.Server().log_sink = [log](const std::string& line) { std::fputs(line.c_str(), log); };
    workflow.Server().progress_callback = [&events](int position, int size, const std::string& path) {
      if (position != 0) events.PushProgress({static_cast<double>(position), static_cast<double>(size), path});
    };
    workflow.DiagnosisEvents().SetWake([&events] { events.PushDiagnosis(); });
    if (!stop.load()) {
      RepairDriver driver(workflow, view, events, zapp::kFinishingTimerMs);
      outcome = driver.Run();
      facts.cardWasChanged = driver.CardWasChanged();
    }
    supportLog = workflow.SupportLogPath();
  }  // the server is joined and the card given back before this point
  std::error_code error;
  facts.recordLeft = facts.cardWasChanged && !record.Path().empty() && std::filesystem::exists(record.Path(), error);
  const int code = Report(outcome, facts, view, console);
  // The last line: where the log a supporter will ask for is.
  if (!supportLog.empty()) {
    const std::u8string path = supportLog.u8string();
    const std::string line = kName + Words(zapp::kSupportLogText) + std::string(path.begin(), path.end()) + "\n";
    if (code == kExitRepaired) {
      console.Write(line);
    } else {
      console.WriteError(line);
    }
  }
  return code;
}

}  // namespace

int RunTerminalRepair(const std::vector<std::string>& args) {
  Options options;
  std::string error;
  // Even a bad command line is answered in the user's language.
  zapp::SetLanguage(LanguageOption(args).value_or(zapp::SystemLanguage()));
  switch (ParseCommandLine(args, options, error)) {
    case CommandLineResult::kHelp: std::fputs(Words(zapp::kTermUsage).c_str(), stdout); return kExitRepaired;
    case CommandLineResult::kVersion: std::printf("zaviz-repair %s\n", ZAVIZ_VERSION); return kExitRepaired;
    case CommandLineResult::kError:
      std::fprintf(stderr, "%s%s\n", kName, Words(zapp::kTermSeeHelp, {error}).c_str());
      return kExitBadUsage;
    case CommandLineResult::kRun: break;
  }
  std::atomic<bool> stop{false};
  std::unique_ptr<Console> console = CreateProcessConsole(stop);
  // The same guard as the wizard's: the two never change a card at once.
  if (!zapp::AcquireSingleInstance()) {
    console->WriteError(kName + Words(zapp::kTermAlreadyRunning) + "\n");
    return kExitFailed;
  }
  EventQueue events;
  InstallStopRequests([&stop, &events] {
    stop.store(true);
    events.PushStop();
  });
  int code = kExitFailed;
  {
    SystemScope system;
    code = Repair(options, *console, events, stop);
  }
  RemoveStopRequests();
  return code;
}

}  // namespace zaviz_repair
