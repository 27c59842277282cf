#pragma once
// Helpers of the tests that run the Linux backends for real inside network
// namespaces the tests make themselves: shell commands and entering a
// namespace on a thread.

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace znet::testing {

// The command's output (standard error included); its exit status in `status`.
inline std::string RunCommand(const std::string& command, int* status = nullptr) {
  std::string output;
  if (std::FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof(buffer), pipe)) output += buffer;
    const int rc = pclose(pipe);
    if (status) *status = rc;
  } else if (status) {
    *status = -1;
  }
  return output;
}

// Network namespaces are per thread: the work runs on a thread that entered
// the namespace, and sockets (and threads) it makes stay in it afterwards.
inline bool RunInNamespace(const std::string& name, const std::function<void()>& work) {
  bool entered = false;
  std::thread worker([&] {
    const int fd = open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    entered = setns(fd, CLONE_NEWNET) == 0;
    close(fd);
    if (entered) work();
  });
  worker.join();
  return entered;
}

// The IPv4 addresses of `card` in namespace `ns`, e.g. "10.77.0.1/24 192.168.1.2/24".
inline std::string CardAddresses(const std::string& ns, const std::string& card) {
  std::string line = RunCommand("ip -n " + ns + " -4 -br addr show dev " + card);
  std::string addresses;
  size_t field = 0;
  for (size_t start = 0, end; start < line.size(); start = end + 1) {
    end = line.find_first_of(" \n", start);
    if (end == std::string::npos) end = line.size();
    if (end == start) continue;
    if (field++ < 2) continue;  // name and state
    if (!addresses.empty()) addresses += ' ';
    addresses.append(line, start, end - start);
  }
  return addresses;
}

}  // namespace znet::testing
