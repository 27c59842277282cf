#include "app/zaviz_tftpd/command_line.h"

#include <cstdlib>
#include <cstring>

#include "tftp/udp_socket.h"

namespace zaviz_tftpd {
namespace {

bool ParsePort(const char* text, int* port) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > 65535) return false;
  *port = int(value);
  return true;
}

// Options that take a value. New ones get a line here and a case below.
enum class ValueOption { kBind, kPort, kRoot, kNone };

ValueOption FindValueOption(const char* name) {
  if (std::strcmp(name, "--bind") == 0) return ValueOption::kBind;
  if (std::strcmp(name, "--port") == 0) return ValueOption::kPort;
  if (std::strcmp(name, "--root") == 0) return ValueOption::kRoot;
  return ValueOption::kNone;
}

bool ApplyValueOption(ValueOption option, const char* value, Options* options, std::string* error) {
  switch (option) {
    case ValueOption::kBind: {
      uint32_t ip = 0;
      if (!ztftp::ParseIpv4(value, &ip)) {
        *error = std::string("--bind needs an IPv4 address like 0.0.0.0, not '") + value + "'";
        return false;
      }
      options->bind = value;
      return true;
    }
    case ValueOption::kPort:
      if (!ParsePort(value, &options->port)) {
        *error = std::string("--port needs a number from 1 to 65535, not '") + value + "'";
        return false;
      }
      return true;
    case ValueOption::kRoot: options->root = value; return true;
    case ValueOption::kNone: break;
  }
  return false;
}

}  // namespace

CommandLineResult ParseCommandLine(int argc, char** argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) return CommandLineResult::kHelp;
    if (std::strcmp(argument, "--version") == 0) return CommandLineResult::kVersion;
    if (std::strcmp(argument, "--cards") == 0) return CommandLineResult::kCards;
    if (std::strcmp(argument, "--allow-uploads") == 0) {
      options->allow_uploads = true;
      continue;
    }
    const ValueOption option = FindValueOption(argument);
    if (option == ValueOption::kNone) {
      *error = std::string("unknown option '") + argument + "'";
      return CommandLineResult::kError;
    }
    if (i + 1 >= argc) {
      *error = std::string(argument) + " needs a value";
      return CommandLineResult::kError;
    }
    if (!ApplyValueOption(option, argv[++i], options, error)) return CommandLineResult::kError;
  }
  return CommandLineResult::kRun;
}

const char* UsageText() {
  return "Usage: zaviz-tftpd [--bind ADDR] [--port N] [--root DIR] [--allow-uploads]\n"
         "       zaviz-tftpd --cards\n"
         "Serves the files of DIR over TFTP, read-only: write requests are refused\n"
         "with an access violation unless --allow-uploads is given.\n"
         "  --bind ADDR   IPv4 address to listen on (default 0.0.0.0, every address)\n"
         "  --port N      UDP port (default 69; below 1024 needs root on Linux)\n"
         "  --root DIR    folder to serve (default: the current folder)\n"
         "  --allow-uploads  let any peer that reaches the server replace existing\n"
         "                files under DIR (new files are never created)\n"
         "  --cards       list the network adapters and the wired cards a repair can use\n"
         "  --help        show this text\n"
         "  --version     show the version\n"
         "Ctrl+C or SIGTERM stops the server.\n";
}

}  // namespace zaviz_tftpd
