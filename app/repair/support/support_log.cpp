#include "app/repair/support/support_log.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <system_error>

#include "net/replace_file.h"

namespace zapp {
namespace {

constexpr char kNamePrefix[] = "repair-";
constexpr char kNameSuffix[] = ".log";
// "YYYYMMDD-HHMMSS-mmm"
constexpr char kStampShape[] = "99999999-999999-999";

std::tm LocalTime(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

int Milliseconds(std::chrono::system_clock::time_point when) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
  return int(((ms % 1000) + 1000) % 1000);
}

std::string Format(const char* pattern, std::chrono::system_clock::time_point when) {
  const std::tm local = LocalTime(when);
  char text[64];
  const size_t length = std::strftime(text, sizeof text, pattern, &local);
  char ms[8];
  std::snprintf(ms, sizeof ms, "%03d", Milliseconds(when));
  return std::string(text, length) + ms;
}

}  // namespace

SupportLog::SupportLog(std::filesystem::path folder, WallClock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {}

void SupportLog::Begin() {
  const auto now = clock_();
  std::lock_guard lock(mutex_);
  lines_.clear();
  dropped_ = 0;
  saved_ = false;
  file_.clear();
  if (!folder_.empty()) file_ = folder_ / (kNamePrefix + Format("%Y%m%d-%H%M%S-", now) + kNameSuffix);
}

void SupportLog::Add(const std::string& line) {
  const std::string stamped = Format("%H:%M:%S.", clock_()) + " " + line;
  std::lock_guard lock(mutex_);
  if (lines_.size() >= kMaxLines) {
    ++dropped_;
    return;
  }
  lines_.push_back(stamped);
}

bool SupportLog::Save() {
  std::string content;
  std::filesystem::path file;
  {
    std::lock_guard lock(mutex_);
    if (file_.empty()) return false;
    file = file_;
    for (const std::string& line : lines_) content += line + "\n";
    if (dropped_ > 0) content += "... " + std::to_string(dropped_) + " more lines not kept\n";
  }
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  std::string why;
  if (error || !znet::ReplaceFileContent(file, content, why)) return false;
  {
    std::lock_guard lock(mutex_);
    if (file_ == file) saved_ = true;
  }
  Prune();
  return true;
}

std::filesystem::path SupportLog::Path() const {
  std::lock_guard lock(mutex_);
  return saved_ ? file_ : std::filesystem::path();
}

std::vector<std::string> SupportLog::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

bool SupportLog::IsLogName(const std::string& name) {
  const std::string prefix = kNamePrefix, suffix = kNameSuffix, shape = kStampShape;
  if (name.size() != prefix.size() + shape.size() + suffix.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
  for (size_t i = 0; i < shape.size(); ++i) {
    const char c = name[prefix.size() + i];
    const bool fits = shape[i] == '9' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == shape[i];
    if (!fits) return false;
  }
  return true;
}

void SupportLog::Prune() const {
  std::vector<std::filesystem::path> logs;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && IsLogName(it->path().filename().string())) logs.push_back(it->path());
  }
  if (logs.size() <= kKeptFiles) return;
  std::sort(logs.begin(), logs.end());
  for (size_t i = 0; i + kKeptFiles < logs.size(); ++i) std::filesystem::remove(logs[i], error);
}

}  // namespace zapp
