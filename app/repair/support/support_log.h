#pragma once
// The support log: what one repair did, as plain text lines with the wall
// time, written whole to a file of its own in the user's state folder so
// that a user can send it in. The ten newest files of its own naming are
// kept; nothing else in the folder is touched. A folder that cannot be made
// or written leaves the repair going and the log silent (no path).
//
// Add may be called from any thread (the server's worker reports there);
// the rest runs on the UI thread.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace zapp {

class SupportLog {
 public:
  using WallClock = std::function<std::chrono::system_clock::time_point()>;

  static constexpr size_t kKeptFiles = 10;
  // A repair that runs for hours must not grow the log without end.
  static constexpr size_t kMaxLines = 5000;

  // An empty folder: no file is ever written.
  explicit SupportLog(std::filesystem::path folder, WallClock clock = std::chrono::system_clock::now);

  // A new repair: the lines of the last one go, and the file is named after now.
  void Begin();
  // One line (UTF-8, without its line end), stamped with the time.
  void Add(const std::string& line);
  // Writes the repair's lines so far over its file (temporary file and
  // rename) and keeps only the newest files. False when nothing was written.
  bool Save();
  // The file of this repair once it was written; empty otherwise.
  std::filesystem::path Path() const;
  std::vector<std::string> Lines() const;

  // "repair-YYYYMMDD-HHMMSS-mmm.log": names sort in time order.
  static bool IsLogName(const std::string& name);

 private:
  void Prune() const;

  std::filesystem::path folder_;
  WallClock clock_;
  mutable std::mutex mutex_;
  std::filesystem::path file_;
  std::vector<std::string> lines_;
  size_t dropped_ = 0;
  bool saved_ = false;
};

// Linux: $XDG_STATE_HOME/zavizeravaredu, else ~/.local/state/zavizeravaredu;
// Windows: %LOCALAPPDATA%\ZavizEraVaredu\logs. Empty when neither is known.
std::filesystem::path DefaultSupportLogFolder();

}  // namespace zapp
