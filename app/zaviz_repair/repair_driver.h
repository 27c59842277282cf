#pragma once
// The repair's main loop on the terminal: one start attempt of the workflow,
// then the events (progress reports, stop requests) and the finishing
// timer's ticks on this thread until the box is repaired or the repair is
// stopped. The card is given back before Run returns, whatever happened.

#include <chrono>
#include <cstdint>
#include <functional>

#include "app/repair/repair_workflow.h"
#include "app/zaviz_repair/event_queue.h"
#include "app/zaviz_repair/terminal_view.h"

namespace zaviz_repair {

enum class RepairOutcome {
  kRepaired,     // the workflow reached its finished page
  kFailed,       // the start failed, or the box did not take the image: the view holds the reason
  kNoCard,       // several cards and none chosen, or the change was declined
  kInterrupted,  // a stop request
};

class RepairDriver {
 public:
  RepairDriver(zapp::RepairWorkflow& workflow, TerminalView& view, EventQueue& events, uint32_t tickMs);

  RepairOutcome Run();
  // The workflow's bar value reached at the end (tests).
  int EndBarValue() const { return workflow_.BarValue(); }
  // Whether the card got the repair address during Run.
  bool CardWasChanged() const { return cardWasChanged_; }

 private:
  // Applies one event; false when it asks to stop.
  bool Handle(const RepairEvent& event);
  uint64_t NowMs() const;

  zapp::RepairWorkflow& workflow_;
  TerminalView& view_;
  EventQueue& events_;
  const std::chrono::milliseconds tick_;
  bool cardWasChanged_ = false;
  const EventQueue::Clock::time_point start_ = EventQueue::Clock::now();
};

}  // namespace zaviz_repair
