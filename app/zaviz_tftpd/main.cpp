// zaviz-tftpd: the repair program's TFTP server on its own, for serving a
// folder from the command line.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "app/zaviz_tftpd/command_line.h"
#include "app/zaviz_tftpd/progress_display.h"
#include "app/zaviz_tftpd/terminal.h"
#include "net/cards_diagnostic.h"
#include "tftp/tftpd.h"

namespace {

volatile std::sig_atomic_t g_stop_signal = 0;

extern "C" void OnStopSignal(int signal_number) { g_stop_signal = signal_number; }

std::string ResolveRoot(const std::string& given, std::string* error) {
  std::error_code code;
  const std::filesystem::path root = given.empty() ? std::filesystem::current_path(code) : std::filesystem::path(given);
  if (!std::filesystem::is_directory(root, code)) {
    *error = "the root '" + root.string() + "' is not a folder";
    return {};
  }
  std::string text = std::filesystem::absolute(root, code).lexically_normal().string();
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  zaviz_tftpd::Options options;
  std::string error;
  switch (zaviz_tftpd::ParseCommandLine(argc, argv, &options, &error)) {
    case zaviz_tftpd::CommandLineResult::kHelp: std::fputs(zaviz_tftpd::UsageText(), stdout); return 0;
    case zaviz_tftpd::CommandLineResult::kVersion: std::printf("zaviz-tftpd %s\n", ZAVIZ_VERSION); return 0;
    case zaviz_tftpd::CommandLineResult::kCards: znet::PrintCardsDiagnostic(stdout); return 0;
    case zaviz_tftpd::CommandLineResult::kError:
      std::fprintf(stderr, "zaviz-tftpd: %s\n%s", error.c_str(), zaviz_tftpd::UsageText());
      return 1;
    case zaviz_tftpd::CommandLineResult::kRun: break;
  }
  const std::string root = ResolveRoot(options.root, &error);
  if (root.empty()) {
    std::fprintf(stderr, "zaviz-tftpd: %s\n", error.c_str());
    return 1;
  }
  if (root.size() > ztftp::tftpd::kMaxRootLength) {
    std::fprintf(stderr, "zaviz-tftpd: the root folder's path is longer than %zu bytes\n",
                 ztftp::tftpd::kMaxRootLength);
    return 1;
  }

  zaviz_tftpd::ProgressDisplay display(zaviz_tftpd::StderrIsTerminal());
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  {
    ztftp::tftpd server;
    server.allow_uploads(options.allow_uploads);
    server.log_sink = [&display](const std::string& line) { display.OnLogLine(line); };
    server.progress_callback = [&display](int position, int size, const std::string& path) {
      display.OnProgress(position, size, path);
    };
    if (server.start(options.bind.c_str(), options.port, root.c_str()) != 0) {
      std::fprintf(stderr, "zaviz-tftpd: cannot listen on UDP %s:%d: %s\n", options.bind.c_str(), options.port,
                   ztftp::SocketErrorText(server.failed_error()).c_str());
      return 1;
    }
    std::printf("zaviz-tftpd: serving %s on UDP %s:%d, %s\n", root.c_str(), options.bind.c_str(), options.port,
                options.allow_uploads ? "uploads allowed" : "read-only");
    std::fflush(stdout);
    while (g_stop_signal == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }  // the server's destruction wakes and joins its worker
  std::printf("zaviz-tftpd: stopped\n");
  return 0;
}
