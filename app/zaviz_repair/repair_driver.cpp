#include "app/zaviz_repair/repair_driver.h"

#include <algorithm>
#include <optional>

namespace zaviz_repair {
namespace {

constexpr std::chrono::milliseconds kDiagnosisTick(zapp::kDiagnosisTickMs);

}  // namespace

RepairDriver::RepairDriver(zapp::RepairWorkflow& workflow, TerminalView& view, EventQueue& events, uint32_t tickMs)
    : workflow_(workflow), view_(view), events_(events), tick_(tickMs) {}

RepairOutcome RepairDriver::Run() {
  workflow_.ShowStartFacts();
  workflow_.StartRepair();
  RepairOutcome outcome = RepairOutcome::kInterrupted;
  if (workflow_.State() == zapp::Failed) {
    outcome = RepairOutcome::kFailed;
  } else if (workflow_.State() != zapp::WaitingForDevice) {
    outcome = RepairOutcome::kNoCard;
  } else {
    cardWasChanged_ = true;
    std::optional<EventQueue::Clock::time_point> nextTick;
    EventQueue::Clock::time_point nextLook = EventQueue::Clock::now() + kDiagnosisTick;
    for (;;) {
      if (workflow_.State() == zapp::Finished) {
        outcome = RepairOutcome::kRepaired;
        break;
      }
      if (workflow_.State() == zapp::Failed) {  // the box did not take the image
        outcome = RepairOutcome::kFailed;
        break;
      }
      if (!view_.TimerRunning()) {
        nextTick.reset();
      } else if (!nextTick) {
        nextTick = EventQueue::Clock::now() + tick_;
      }
      const std::optional<RepairEvent> event = events_.WaitNext(nextTick ? std::min(*nextTick, nextLook) : nextLook);
      if (event && !Handle(*event)) break;
      if (EventQueue::Clock::now() >= nextLook) {
        nextLook = EventQueue::Clock::now() + kDiagnosisTick;
        workflow_.OnDiagnosisTick();
      }
      // Also between events: a steady stream of reports (a second box) must not hold the ticks up.
      if (nextTick && EventQueue::Clock::now() >= *nextTick) {
        *nextTick += tick_;
        workflow_.OnFinishingTick();
      }
    }
  }
  // A stop request that came while the start attempt asked a question.
  if (outcome == RepairOutcome::kNoCard && events_.Size() > 0) {
    while (std::optional<RepairEvent> event = events_.WaitNext(EventQueue::Clock::now())) {
      if (event->kind == RepairEvent::Kind::kStop) outcome = RepairOutcome::kInterrupted;
    }
  }
  workflow_.OnWindowClosing();  // server stopped and joined, card given back (once)
  return outcome;
}

bool RepairDriver::Handle(const RepairEvent& event) {
  if (event.kind == RepairEvent::Kind::kStop) {
    workflow_.NoteStopSignal();
    return false;
  }
  if (event.kind == RepairEvent::Kind::kDiagnosis) {
    workflow_.OnDiagnosisEvents();
    return true;
  }
  view_.NoteTransfer(event.report.position, event.report.size, NowMs());
  workflow_.OnProgress(event.report);
  return true;
}

uint64_t RepairDriver::NowMs() const {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(EventQueue::Clock::now() - start_).count());
}

}  // namespace zaviz_repair
