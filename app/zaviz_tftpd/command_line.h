#pragma once
#include <string>

namespace zaviz_tftpd {

struct Options {
  std::string bind = "0.0.0.0";
  int port = 69;
  std::string root;  // empty: the current folder
  bool allow_uploads = false;
};

enum class CommandLineResult { kRun, kHelp, kVersion, kCards, kError };

// Fills `options` from argv; on kError, `error` says what was wrong.
CommandLineResult ParseCommandLine(int argc, char** argv, Options* options, std::string* error);
const char* UsageText();

}  // namespace zaviz_tftpd
