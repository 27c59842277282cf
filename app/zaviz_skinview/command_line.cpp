#include "app/zaviz_skinview/command_line.h"

#include <charconv>

namespace skinview {
namespace {

// "WxH" with both sides in 1..16384.
bool ParseSize(const std::string& text, int& width, int& height) {
  size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  auto number = [](const char* first, const char* last, int& out) {
    auto [end, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && end == last && out >= 1 && out <= 16384;
  };
  return number(text.data(), text.data() + x, width) && number(text.data() + x + 1, text.data() + text.size(), height);
}

}  // namespace

const char* UsageText() {
  return "usage: zaviz-skinview [options] SKIN.xml\n"
         "       zaviz-skinview [options] ARCHIVE.zip NAME.xml\n"
         "Opens a skin in a window; notifications are printed one a line.\n"
         "  --png OUT.png        render the skin off-screen into OUT.png and exit (no display needed)\n"
         "  --size WxH           use this window size instead of the skin's\n"
         "  --exit-after-paint   close as soon as the first frame is on screen\n"
         "  --help, --version\n";
}

std::optional<ViewerOptions> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  ViewerOptions options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](const char* flag) -> const std::string* {
      if (i + 1 >= args.size()) {
        error = std::string(flag) + " needs a value";
        return nullptr;
      }
      return &args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--png") {
      const std::string* path = value("--png");
      if (path == nullptr) return std::nullopt;
      options.pngPath = *path;
    } else if (arg == "--size") {
      const std::string* size = value("--size");
      if (size == nullptr) return std::nullopt;
      if (!ParseSize(*size, options.width, options.height)) {
        error = "--size wants WIDTHxHEIGHT, e.g. 484x306, each side 1 to 16384: " + *size;
        return std::nullopt;
      }
    } else if (arg == "--exit-after-paint") {
      options.exitAfterFirstFrame = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (options.help || options.version) return options;
  if (positional.empty() || positional.size() > 2) {
    error = positional.empty() ? "no skin given" : "too many arguments";
    return std::nullopt;
  }
  options.skinPath = positional[0];
  if (positional.size() == 2) options.memberName = positional[1];
  return options;
}

}  // namespace skinview
