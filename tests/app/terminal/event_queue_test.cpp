// The main thread's queue: reports merge so a slow reader stays current
// without losing the page-turning first report, stops are never merged,
// and a deadline ends the wait.

#include <gtest/gtest.h>

#include <thread>

#include "app/zaviz_repair/event_queue.h"

namespace zaviz_repair {
namespace {

using Kind = RepairEvent::Kind;

std::vector<std::pair<Kind, double>> Drain(EventQueue& queue) {
  std::vector<std::pair<Kind, double>> events;
  while (auto event = queue.WaitNext(EventQueue::Clock::now()))
    events.emplace_back(event->kind, event->report.position);
  return events;
}

TEST(EventQueue, LaterReportsOfOneFileReplaceTheLastButNeverTheFirst) {
  EventQueue queue;
  for (double position : {512.0, 1024.0, 1536.0, 2048.0}) queue.PushProgress({position, 4096, "/fw"});
  EXPECT_EQ(queue.Size(), 2u);
  queue.PushProgress({100, 4096, "/other"});
  queue.PushStop();
  queue.PushProgress({4096, 4096, "/fw"});
  queue.PushProgress({4096, 4096, "/fw"});
  EXPECT_EQ(Drain(queue), (std::vector<std::pair<Kind, double>>{{Kind::kProgress, 512},
                                                                {Kind::kProgress, 2048},
                                                                {Kind::kProgress, 100},
                                                                {Kind::kStop, 0},
                                                                {Kind::kProgress, 4096},
                                                                {Kind::kProgress, 4096}}));
}

TEST(EventQueue, ADeadlineEndsTheWaitAndAnEventFromAnotherThreadWakesIt) {
  EventQueue queue;
  const auto before = EventQueue::Clock::now();
  EXPECT_FALSE(queue.WaitNext(before + std::chrono::milliseconds(30)));
  EXPECT_GE(EventQueue::Clock::now() - before, std::chrono::milliseconds(30));

  std::thread worker([&queue] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (int i = 1; i <= 1000; ++i) queue.PushProgress({double(i), 1000, "/fw"});
    queue.PushStop();
  });
  double last = 0;
  for (;;) {
    const auto event = queue.WaitNext(std::nullopt);
    ASSERT_TRUE(event);
    if (event->kind == Kind::kStop) break;
    EXPECT_GT(event->report.position, last) << "reports keep their order";
    last = event->report.position;
  }
  worker.join();
  EXPECT_EQ(last, 1000) << "the latest report always arrives";
}

}  // namespace
}  // namespace zaviz_repair
