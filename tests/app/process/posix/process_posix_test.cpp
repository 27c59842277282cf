// The Linux side of the process services: the lock held by another process,
// the private folders, the shutdown signals.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "app/repair/process/instance_doorbell.h"
#include "app/repair/process/shutdown_signals.h"
#include "app/repair/process/single_instance.h"
#include "net/linux/private_folder.h"

namespace zapp {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class PosixProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("zaviz-process-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace);
    const char* former = std::getenv("XDG_RUNTIME_DIR");
    hadRuntime_ = former != nullptr;
    if (former) formerRuntime_ = former;
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
  }
  void TearDown() override {
    if (hadRuntime_) {
      setenv("XDG_RUNTIME_DIR", formerRuntime_.c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path folder_;
  bool hadRuntime_ = false;
  std::string formerRuntime_;
};

// A second start rings; the running instance hears each ring on its own
// thread, a stale bell of a crashed run does not stop a new one, and once
// the doorbell is gone nothing answers and no ring arrives late.
TEST_F(PosixProcessTest, ASecondStartRingsTheRunningInstancesDoorbell) {
  const std::string name = "ZavizTestBell-" + std::to_string(getpid());
  EXPECT_FALSE(CallRunningInstance(name.c_str())) << "nobody runs yet";
  // A crashed run left its bell behind.
  { std::ofstream(folder_ / (name + ".bell")) << "stale"; }
  std::atomic<int> rings{0};
  {
    InstanceDoorbell bell([&rings] { ++rings; }, name.c_str());
    ASSERT_TRUE(bell.Listening());
    EXPECT_TRUE(CallRunningInstance(name.c_str()));
    EXPECT_TRUE(CallRunningInstance(name.c_str()));
    for (int i = 0; i < 200 && rings < 2; ++i) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(rings, 2);
    EXPECT_FALSE(CallRunningInstance("ZavizTestBell-other")) << "another name is another bell";
  }
  EXPECT_FALSE(fs::exists(folder_ / (name + ".bell"))) << "the doorbell takes its socket away";
  EXPECT_FALSE(CallRunningInstance(name.c_str()));
  EXPECT_EQ(rings, 2) << "the end of the doorbell is no ring";
  InstanceDoorbell noName([&rings] { ++rings; }, "a/b");
  EXPECT_FALSE(noName.Listening()) << "a name is no path";
}

TEST_F(PosixProcessTest, LockOfAKilledProcessIsFreeAgain) {
  const std::string name = "ZavizTestChild-" + std::to_string(getpid());
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const char answer = AcquireSingleInstance(name.c_str()) ? '1' : '0';
    (void)!write(ready[1], &answer, 1);
    for (;;) pause();
  }
  close(ready[1]);
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  close(ready[0]);
  EXPECT_EQ(answer, '1') << "the child took the guard";
  EXPECT_TRUE(fs::exists(folder_ / (name + ".lock"))) << "the lock lives in the runtime folder";
  EXPECT_FALSE(AcquireSingleInstance(name.c_str())) << "held by the child";
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(AcquireSingleInstance(name.c_str())) << "the kernel released the dead child's lock";
  EXPECT_FALSE(AcquireSingleInstance(name.c_str())) << "held by this process now";
  EXPECT_FALSE(AcquireSingleInstance("a/b")) << "a name is no path";
}

TEST_F(PosixProcessTest, PrivateFoldersAreMadeAndCheckedNotTrusted) {
  std::string why;
  const fs::path made = folder_ / "made";
  ASSERT_TRUE(znet::EnsurePrivateFolder(made, why)) << why;
  EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(znet::EnsurePrivateFolder(made, why)) << "an existing private folder is fine";

  const fs::path open = folder_ / "open";
  fs::create_directory(open);
  fs::permissions(open, fs::perms::all, fs::perm_options::replace);
  EXPECT_FALSE(znet::EnsurePrivateFolder(open, why));
  EXPECT_NE(why.find("writable by others"), std::string::npos) << why;

  const fs::path link = folder_ / "link";
  fs::create_directory_symlink(made, link);
  EXPECT_FALSE(znet::EnsurePrivateFolder(link, why)) << "a link may point anywhere";

  const fs::path file = folder_ / "file";
  std::FILE* f = std::fopen(file.c_str(), "w");
  if (f) std::fclose(f);
  EXPECT_FALSE(znet::EnsurePrivateFolder(file, why));

  if (geteuid() == 0) {
    const fs::path foreign = folder_ / "foreign";
    fs::create_directory(foreign);
    fs::permissions(foreign, fs::perms::owner_all, fs::perm_options::replace);
    ASSERT_EQ(chown(foreign.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(znet::EnsurePrivateFolder(foreign, why));
    EXPECT_NE(why.find("another user"), std::string::npos) << why;
  }

  EXPECT_EQ(znet::XdgRuntimeFolder(), folder_);
  setenv("XDG_RUNTIME_DIR", "relative/path", 1);
  EXPECT_TRUE(znet::XdgRuntimeFolder().empty());
}

class SignalTest : public ::testing::Test {
 protected:
  void TearDown() override { RemoveShutdownSignals(); }

  static bool WaitFor(const std::atomic<int>& calls, int wanted) {
    for (int i = 0; i < 200 && calls.load() < wanted; ++i) std::this_thread::sleep_for(5ms);
    return calls.load() >= wanted;
  }
};

TEST_F(SignalTest, FirstSignalCallsBackOnceLaterOnesAreIgnored) {
  std::atomic<int> calls{0};
  std::atomic<bool> onWatcher{false};
  const auto mainThread = std::this_thread::get_id();
  InstallShutdownSignals([&] {
    onWatcher = std::this_thread::get_id() != mainThread;
    ++calls;
  });
  ASSERT_EQ(raise(SIGTERM), 0);
  EXPECT_TRUE(WaitFor(calls, 1));
  EXPECT_TRUE(onWatcher) << "the callback runs on the watcher, not inside the handler";
  kill(getpid(), SIGINT);
  kill(getpid(), SIGHUP);
  raise(SIGTERM);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(calls.load(), 1);
}

TEST_F(SignalTest, EachSignalAndRemovalPutsTheFormerHandlersBack) {
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction before {};
    sigaction(signalNumber, nullptr, &before);
    std::atomic<int> calls{0};
    InstallShutdownSignals([&] { ++calls; });
    kill(getpid(), signalNumber);
    EXPECT_TRUE(WaitFor(calls, 1)) << "signal " << signalNumber;
    RemoveShutdownSignals();
    RemoveShutdownSignals();  // again: nothing happens
    struct sigaction after {};
    sigaction(signalNumber, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler) << "signal " << signalNumber;
    EXPECT_EQ(calls.load(), 1);
  }
}

}  // namespace
}  // namespace zapp
