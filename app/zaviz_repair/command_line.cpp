#include "app/zaviz_repair/command_line.h"

namespace zaviz_repair {
namespace {

// "--name=value" or "--name value": true when `args[i]` is option `name`;
// `value` then holds its value (empty when it is missing) and `i` the last
// argument used.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value,
               bool& missing) {
  const std::string& arg = args[i];
  if (arg == name) {
    missing = i + 1 >= args.size();
    value = missing ? std::string() : args[++i];
    return true;
  }
  if (arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
    missing = false;
    return true;
  }
  return false;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return CommandLineResult::kHelp;
    if (arg == "--version") return CommandLineResult::kVersion;
    if (arg == "--yes" || arg == "-y") {
      options.yes = true;
      continue;
    }
    if (arg == "--verbose" || arg == "-v") {
      options.verbose = true;
      continue;
    }
    std::string value;
    bool missing = false;
    std::optional<std::string>* target = nullptr;
    const char* name = nullptr;
    if (TakeValue(args, i, "--card", value, missing)) {
      target = &options.card;
      name = "--card";
    } else if (TakeValue(args, i, "--firmware", value, missing)) {
      target = &options.firmware;
      name = "--firmware";
    } else {
      error = "unknown option '" + arg + "'";
      return CommandLineResult::kError;
    }
    if (missing || value.empty()) {
      error = std::string(name) + " needs a value";
      return CommandLineResult::kError;
    }
    *target = value;
  }
  return CommandLineResult::kRun;
}

const char* UsageText() {
  return "Usage: zaviz-repair [--card NAME|INDEX] [--firmware PATH] [--yes] [--verbose]\n"
         "Repairs a Vombel box from the terminal: serves upgradeimage.bin over TFTP to its\n"
         "boot loader through a wired card that gets 192.168.1.2/24 for the repair.\n"
         "  --card NAME|INDEX  the card leading to the box: its interface (adapter) name,\n"
         "                     or its number in the list of wired cards; without it one\n"
         "                     card is taken and several are offered as a numbered choice\n"
         "  --firmware PATH    the firmware file (default: upgradeimage.bin next to the\n"
         "                     program, else in the current folder)\n"
         "  --yes, -y          do not ask before the card's address is changed\n"
         "  --verbose, -v      also print the adapter dumps and the workflow's lines\n"
         "  --help, -h         show this text\n"
         "  --version          show the version\n"
         "Exit codes: 0 repaired, 1 failed or interrupted (the reason on one line),\n"
         "2 bad usage (also a --card that names no wired card).\n"
         "Ctrl+C, SIGTERM or SIGHUP stop the repair; the card gets its own setup back.\n";
}

}  // namespace zaviz_repair
