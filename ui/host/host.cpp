#include "ui/host/host.h"

#include <atomic>

#include "ui/host/headless/headless_host.h"

namespace zui {
namespace {

std::atomic<IUiHost*> installed{nullptr};

IUiHost& InMemoryHost() {
  static HeadlessHost host;
  return host;
}

}  // namespace

IUiHost& Host() {
  IUiHost* host = installed.load(std::memory_order_acquire);
  return host != nullptr ? *host : InMemoryHost();
}

IUiHost* SetHost(IUiHost* host) {
  IUiHost* previous = installed.exchange(host, std::memory_order_acq_rel);
  return previous != nullptr ? previous : &InMemoryHost();
}

}  // namespace zui
