#include "app/zaviz_tftpd/progress_display.h"

#include <cstdio>

namespace zaviz_tftpd {
namespace {
constexpr int kBarWidth = 30;
}

void ProgressDisplay::OnProgress(int position, int size, const std::string& path) {
  if (!enabled_) return;
  const int percent = size > 0 ? int(int64_t(position) * 100 / size) : 100;
  auto [entry, added] = last_percent_.try_emplace(path, -1);
  if (!added && entry->second == percent) return;  // redraw only when the figure moves
  entry->second = percent;
  const int filled = percent * kBarWidth / 100;
  std::string bar(size_t(filled), '#');
  bar.append(size_t(kBarWidth - filled), '.');
  std::fprintf(stderr, "\r%s [%s] %3d%% %d/%d", path.c_str(), bar.c_str(), percent, position, size);
  bar_shown_ = true;
  if (percent >= 100) {
    std::fputc('\n', stderr);
    bar_shown_ = false;
    last_percent_.erase(entry);
  }
  std::fflush(stderr);
}

void ProgressDisplay::OnLogLine(const std::string& line) {
  ClearBar();
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

void ProgressDisplay::ClearBar() {
  if (!bar_shown_) return;
  std::fputs("\r\033[K", stderr);
  bar_shown_ = false;
}

}  // namespace zaviz_tftpd
