#include "app/zaviz_repair/command_line.h"

#include "app/repair/terminal_texts.h"
#include "app/zaviz_repair/terminal_words.h"

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

std::optional<zapp::Language> LanguageOption(const std::vector<std::string>& args) {
  std::optional<zapp::Language> language;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    bool missing = false;
    if (TakeValue(args, i, "--lang", value, missing)) language = zapp::ParseLanguageName(value);
  }
  return language;
}

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
    } else if (TakeValue(args, i, "--lang", value, missing)) {
      options.language = zapp::ParseLanguageName(value);
      if (!options.language) {
        error = Words(zapp::kTermBadLanguage);
        return CommandLineResult::kError;
      }
      continue;
    } else {
      error = Words(zapp::kTermUnknownOption, {arg});
      return CommandLineResult::kError;
    }
    if (missing || value.empty()) {
      error = Words(zapp::kTermNeedsValue, {name});
      return CommandLineResult::kError;
    }
    *target = value;
  }
  return CommandLineResult::kRun;
}

}  // namespace zaviz_repair
