// Without a display the SDL host refuses to start instead of running with
// windows nobody can see.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "ui/host/sdl/sdl_host.h"

namespace zui {
namespace {

// Unsets an environment variable for one scope.
class ScopedUnset {
 public:
  explicit ScopedUnset(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value;
    unsetenv(name);
  }
  ~ScopedUnset() {
    if (saved_) setenv(name_, saved_->c_str(), 1);
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(SdlNoDisplay, CreateSdlHostAnswersNullWithTheReason) {
  ScopedUnset display("DISPLAY");
  ScopedUnset wayland("WAYLAND_DISPLAY");
  ScopedUnset driver("SDL_VIDEODRIVER");
  std::string error;
  std::unique_ptr<IUiHost> host = CreateSdlHost(error);
  EXPECT_EQ(host, nullptr);
  EXPECT_NE(error.find("no display"), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";

  // Asking for X11 explicitly fails the same way, with SDL's reason.
  setenv("SDL_VIDEODRIVER", "x11", 1);
  error.clear();
  host = CreateSdlHost(error);
  unsetenv("SDL_VIDEODRIVER");
  EXPECT_EQ(host, nullptr);
  EXPECT_NE(error.find("no display"), std::string::npos) << error;
}

}  // namespace
}  // namespace zui
