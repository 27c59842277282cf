#include "desktop_tools.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <sstream>

#include <unistd.h>

#include "tests/support/golden_image.h"

namespace ztest::desktop {
namespace {

using Clock = std::chrono::steady_clock;

std::string Capture(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  std::array<char, 512> buffer{};
  size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  pclose(pipe);
  return out;
}

std::string ArtifactPath(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(ZAVIZ_BINARY_DIR) / "artifacts";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

// Parallel runs share the artifacts folder: each writes its own file and
// renames it into place, so nobody reads another run's half-written shot.
zui::Bitmap Import(zui::IUiHost& host, const std::string& arguments, const std::string& name) {
  const std::string path = ArtifactPath(name);
  const std::string own = path + "." + std::to_string(getpid()) + ".png";
  std::filesystem::remove(own);
  RunWhilePumping(host, "import " + arguments + " png:" + own + " 2>/dev/null");
  zui::Bitmap shot = ReadPng(own);
  std::error_code ignored;
  std::filesystem::rename(own, path, ignored);
  return shot;
}

}  // namespace

bool PumpUntil(zui::IUiHost& host, const std::function<bool()>& done, int timeoutMs) {
  // GetMessage is what takes platform input in; a thread timer of our own
  // makes it come back every few milliseconds to look at `done`.
  constexpr uintptr_t kPumpTimer = 0x5D1;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  host.SetTimer(nullptr, kPumpTimer, 10);
  zui::HostMessage msg;
  while (!done() && Clock::now() < deadline && host.GetMessage(msg)) {
    if (msg.message == WM_TIMER && msg.window == nullptr && msg.wParam == kPumpTimer) continue;
    host.TranslateMessage(msg);
    host.DispatchMessage(msg);
  }
  host.KillTimer(nullptr, kPumpTimer);
  return done();
}

void PumpFor(zui::IUiHost& host, int ms) {
  PumpUntil(
      host, [] { return false; }, ms);
}

int RunWhilePumping(zui::IUiHost& host, const std::string& command) {
  auto result = std::async(std::launch::async, [command] { return std::system(command.c_str()); });
  PumpUntil(
      host, [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 20000);
  const int status = result.get();
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string OutputWhilePumping(zui::IUiHost& host, const std::string& command) {
  auto result = std::async(std::launch::async, [command] { return Capture(command); });
  PumpUntil(
      host, [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 20000);
  return result.get();
}

std::optional<unsigned long> FindXWindow(zui::IUiHost& host, const std::string& title, int timeoutMs) {
  std::optional<unsigned long> found;
  PumpUntil(
      host,
      [&] {
        std::string out = Capture("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null");
        unsigned long id = std::strtoul(out.c_str(), nullptr, 10);
        if (id != 0) found = id;
        return found.has_value();
      },
      timeoutMs);
  return found;
}

std::optional<zui::Rect> XGeometry(zui::IUiHost& host, unsigned long xWindow) {
  std::string out = OutputWhilePumping(host, "xdotool getwindowgeometry " + std::to_string(xWindow));
  int x = 0, y = 0, w = 0, h = 0;
  size_t pos = out.find("Position:");
  size_t geo = out.find("Geometry:");
  if (pos == std::string::npos || geo == std::string::npos) return std::nullopt;
  if (std::sscanf(out.c_str() + pos, "Position: %d,%d", &x, &y) != 2) return std::nullopt;
  if (std::sscanf(out.c_str() + geo, "Geometry: %dx%d", &w, &h) != 2) return std::nullopt;
  return zui::Rect{x, y, x + w, y + h};
}

zui::Bitmap Screenshot(zui::IUiHost& host, unsigned long xWindow, const std::string& name) {
  return Import(host, "-window " + std::to_string(xWindow), name);
}

zui::Bitmap ScreenshotOfScreen(zui::IUiHost& host, const zui::Rect& crop, const std::string& name) {
  std::ostringstream arguments;
  arguments << "-window root -crop " << crop.Width() << "x" << crop.Height() << "+" << crop.left << "+" << crop.top
            << " +repage";
  return Import(host, arguments.str(), name);
}

long DifferentPixels(const zui::Bitmap& a, const zui::Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  long count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if ((a.at(x, y) & 0xFFFFFF) != (b.at(x, y) & 0xFFFFFF)) ++count;
    }
  }
  return count;
}

}  // namespace ztest::desktop
