#pragma once
// One progress bar line per transfer on standard error, kept apart from the
// server's log lines on standard output. Everything runs on the server's
// worker thread, so nothing here needs a lock.

#include <map>
#include <string>

namespace zaviz_tftpd {

class ProgressDisplay {
 public:
  explicit ProgressDisplay(bool enabled) : enabled_(enabled) {}

  void OnProgress(int position, int size, const std::string& path);
  void OnLogLine(const std::string& line);

 private:
  void ClearBar();

  const bool enabled_;
  bool bar_shown_ = false;
  std::map<std::string, int> last_percent_;
};

}  // namespace zaviz_tftpd
