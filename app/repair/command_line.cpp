#include "app/repair/command_line.h"

#include "sys/text_encoding.h"

namespace zapp {

RepairOptions ParseRepairOptions(const std::vector<std::string>& args) {
  RepairOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--version") {
      options.version = true;
    } else if (args[i] == "--card" && i + 1 < args.size()) {
      options.card = args[++i];
    } else if (args[i].rfind("--card=", 0) == 0) {
      options.card = args[i].substr(7);
    }
  }
  if (options.card && options.card->empty()) options.card.reset();
  return options;
}

std::wstring JoinedCommandLine(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) {
    if (!joined.empty()) joined += ' ';
    joined += arg;
  }
  return zsys::Utf8ToWide(joined);
}

}  // namespace zapp
