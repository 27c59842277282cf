// The doorbell is a Unix datagram socket beside the instance's lock, in the
// user's private runtime folder, so only this user's programs can ring it.
// The listener blocks in recv; its end raises the stop flag and wakes it.

#include "app/repair/process/instance_doorbell.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "app/repair/process/posix/instance_folder.h"

namespace zapp {
namespace {

bool BellAddress(const char* name, sockaddr_un& address) {
  if (name == nullptr || *name == '\0' || std::strchr(name, '/') != nullptr) return false;
  const std::filesystem::path folder = InstanceFolder();
  if (folder.empty()) return false;
  const std::string path = (folder / (std::string(name) + ".bell")).string();
  if (path.size() >= sizeof address.sun_path) return false;
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool Ring(const sockaddr_un& address) {
  const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const char bell = 'r';
  const bool sent =
      sendto(fd, &bell, 1, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 1;
  close(fd);
  return sent;
}

}  // namespace

class InstanceDoorbell::Listener {
 public:
  Listener(std::function<void()> ring, const char* name) : ring_(std::move(ring)) {
    if (!BellAddress(name, address_)) return;
    fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return;
    // Only the holder of the instance guard gets here: a bell left by a
    // crashed run is stale and goes.
    unlink(address_.sun_path);
    if (bind(fd_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) != 0) {
      close(fd_);
      fd_ = -1;
      return;
    }
    thread_ = std::thread([this] { Listen(); });
  }

  ~Listener() {
    if (fd_ < 0) return;
    stop_ = true;
    // Either wakes the blocked recv; the ring also where shutdown would not.
    shutdown(fd_, SHUT_RDWR);
    Ring(address_);
    thread_.join();
    unlink(address_.sun_path);
    close(fd_);
  }

  bool Listening() const { return fd_ >= 0; }

 private:
  void Listen() {
    char byte = 0;
    while (true) {
      const ssize_t n = recv(fd_, &byte, 1, 0);
      if (stop_) return;
      if (n < 0 && errno != EINTR) return;
      if (n > 0 && ring_) ring_();
    }
  }

  std::function<void()> ring_;
  sockaddr_un address_{};
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

InstanceDoorbell::InstanceDoorbell(std::function<void()> ring, const char* name)
    : listener_(std::make_unique<Listener>(std::move(ring), name)) {}

InstanceDoorbell::~InstanceDoorbell() = default;

bool InstanceDoorbell::Listening() const { return listener_->Listening(); }

bool CallRunningInstance(const char* name) {
  sockaddr_un address;
  return BellAddress(name, address) && Ring(address);
}

}  // namespace zapp
