#pragma once
// One progress report of a read transfer, handed from the server's worker
// thread to the UI thread through the window's message queue.

#include <string>

namespace zapp {

struct ProgressReport {
  double position = 0;  // file bytes sent so far
  double size = 0;      // the file's size as the server sees it
  std::string path;     // the served file's resolved path
};

}  // namespace zapp
