#include "ui/host/host.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace zui {
namespace {

std::atomic<IUiHost*> installed{nullptr};

}  // namespace

IUiHost& Host() {
  IUiHost* host = installed.load(std::memory_order_acquire);
  if (host == nullptr) {
    // A window made without a host would live nowhere; better to stop at
    // once than to show the user nothing.
    std::fputs("internal error: the UI host is used before one was installed\n", stderr);
    std::abort();
  }
  return *host;
}

IUiHost* SetHost(IUiHost* host) { return installed.exchange(host, std::memory_order_acq_rel); }

}  // namespace zui
