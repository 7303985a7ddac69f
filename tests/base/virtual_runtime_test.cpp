#include "base/virtual_runtime.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/timer.h"

namespace ventari {
namespace {

TEST(VirtualRuntime, RunsEventsInTimeThenSchedulingOrder) {
  VirtualRuntime rt;
  std::vector<int> order;
  rt.Schedule(20, [&] { order.push_back(3); });
  rt.Schedule(10, [&] { order.push_back(1); });
  rt.Schedule(10, [&] { order.push_back(2); });
  rt.RunFor(25);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(rt.NowMs(), 25);
}

TEST(VirtualRuntime, CancelledEventsNeverRun) {
  VirtualRuntime rt;
  bool ran = false;
  auto id = rt.Schedule(5, [&] { ran = true; });
  rt.Cancel(id);
  rt.Cancel(id);  // twice is harmless
  EXPECT_FALSE(rt.HasPending());
  rt.RunFor(10);
  EXPECT_FALSE(ran);
}

TEST(VirtualRuntime, AWaitWithNothingPendingFailsInsteadOfHanging) {
  VirtualRuntime rt;
  bool never = false;
  EXPECT_THROW(rt.WaitUntil([&] { return never; }), StuckWaitError);
}

TEST(VirtualRuntime, AWaitKeptAliveOnlyByAPeriodicTimerStopsAtTheDeadline) {
  VirtualRuntime rt;
  Timer ticker(rt, 100, /*periodic=*/true);
  ticker.Start();
  rt.SetDeadline(10'000);
  bool never = false;
  EXPECT_THROW(rt.WaitUntil([&] { return never; }), StuckWaitError);
  EXPECT_LE(rt.NowMs(), 10'000);
}

TEST(Timer, ShortIntervalsLastOneTickAndFiredFlagIsSet) {
  VirtualRuntime rt;
  Timer t(rt, 1);
  EXPECT_EQ(t.Interval(), kTimerTickMs);
  t.Start();
  rt.WaitUntil([&] { return t.fired; });
  EXPECT_EQ(rt.NowMs(), kTimerTickMs);
  EXPECT_FALSE(t.IsActive());
}

TEST(Timer, RestartingPostponesExpiry) {
  VirtualRuntime rt;
  Timer t(rt, 100);
  t.Start();
  rt.RunFor(60);
  t.Start();
  rt.WaitUntil([&] { return t.fired; });
  EXPECT_EQ(rt.NowMs(), 160);
}

}  // namespace
}  // namespace ventari
