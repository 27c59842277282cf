#pragma once
// How a second start brings the running instance's window forward. The
// running instance hangs out a doorbell; a later start rings it before it
// shows its notice and ends. On Windows the later start raises the window
// itself (the system lets the program the user just started do that), so
// the doorbell there is never rung.

#include <functional>
#include <memory>

namespace zapp {

class InstanceDoorbell {
 public:
  // `ring` runs on a thread of the doorbell's own at each ring: it may only
  // post to a window. Without a place for the doorbell nothing rings.
  explicit InstanceDoorbell(std::function<void()> ring, const char* name = "VXGGownInstance");
  // Stops and joins the thread; `ring` is not called afterwards.
  ~InstanceDoorbell();
  InstanceDoorbell(const InstanceDoorbell&) = delete;
  InstanceDoorbell& operator=(const InstanceDoorbell&) = delete;

  bool Listening() const;

  class Listener;

 private:
  std::unique_ptr<Listener> listener_;
};

// Asks the running instance `name` to bring its window forward; false when
// nothing answered (no running instance, or one without a doorbell).
bool CallRunningInstance(const char* name = "VXGGownInstance");

}  // namespace zapp
