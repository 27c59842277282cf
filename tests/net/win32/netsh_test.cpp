// The real WinExec path: the netsh stand-in beside this executable records
// the command lines it is started with.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "net/platform_network.h"
#include "net/set_ip.h"

namespace znet {
namespace {

class NetshTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tempDir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tempDir);
    log_ = std::string(tempDir) + "zaviz-netsh-" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("ZAVIZ_NETSH_LOG", log_.c_str());
    _putenv_s("ZAVIZ_NETSH_LOG", log_.c_str());
  }
  void TearDown() override { DeleteFileA(log_.c_str()); }

  // WinExec does not wait for netsh, so the line shows up a little later.
  std::string WaitForLine(size_t number) {
    for (int attempt = 0; attempt < 200; ++attempt) {
      std::ifstream in(log_);
      std::string line;
      for (size_t i = 0; std::getline(in, line); ++i) {
        if (i == number) return line;
      }
      Sleep(50);
    }
    return "<no line " + std::to_string(number) + ">";
  }

  static bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  }

  std::string log_;
};

TEST_F(NetshTest, RunsTheSetAndRestoreLinesWithoutAWindow) {
  std::unique_ptr<IAddressChanger> changer = CreateAddressChanger();
  NetCardInfo card;
  card.index = 12;
  card.ipAddress = "10.0.0.5";
  card.ipMask = "255.0.0.0";
  card.gateway = "10.0.0.1";
  const std::vector<NetCardInfo> cards = {card};

  EXPECT_TRUE(SetIP(true, 12, cards, *changer));
  const std::string set = WaitForLine(0);
  EXPECT_TRUE(EndsWith(set, "netsh interface ip set address 12 static 192.168.1.2 255.255.255.0")) << set;

  EXPECT_TRUE(SetIP(false, 12, cards, *changer));
  const std::string restore = WaitForLine(1);
  EXPECT_TRUE(EndsWith(restore, "netsh interface ip set address 12  source=static address=10.0.0.5 "
                                "mask=255.0.0.0 gateway=10.0.0.1"))
      << restore;
}

}  // namespace
}  // namespace znet
