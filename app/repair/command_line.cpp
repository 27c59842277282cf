#include "app/repair/command_line.h"

#include <cstdlib>

#include "sys/text_encoding.h"

namespace zapp {
namespace {

std::optional<int> Percent(const std::string& text) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::atoi(text.c_str());
}

}  // namespace

RepairOptions ParseRepairOptions(const std::vector<std::string>& args) {
  RepairOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--version") {
      options.version = true;
    } else if (args[i] == "--card" && i + 1 < args.size()) {
      options.card = args[++i];
    } else if (args[i].rfind("--card=", 0) == 0) {
      options.card = args[i].substr(7);
    } else if (args[i] == "--scale" && i + 1 < args.size()) {
      options.scale = Percent(args[++i]);
    } else if (args[i].rfind("--scale=", 0) == 0) {
      options.scale = Percent(args[i].substr(8));
    } else if (args[i] == "--lang" && i + 1 < args.size()) {
      options.language = ParseLanguageName(args[++i]);
    } else if (args[i].rfind("--lang=", 0) == 0) {
      options.language = ParseLanguageName(args[i].substr(7));
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
