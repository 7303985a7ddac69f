// What the publisher holds for the broker: bounds, order, acknowledgements and new connections.
#include "publish/hold_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ventari {
namespace {

HeldMessage Message(int n) { return {QStringLiteral("t"), QByteArray::number(n)}; }

// Hands everything there is to hand, with message ids from `firstMid` on; the payloads handed.
std::vector<std::string> HandAll(HoldQueue& queue, int firstMid) {
  std::vector<std::string> handed;
  while (const HeldMessage* next = queue.NextToHand()) {
    handed.push_back(next->payload.toStdString());
    queue.Handed(firstMid++);
  }
  return handed;
}

struct BoundCase {
  const char* name;
  HoldBounds bounds;
  int pushed;
  std::size_t held;
  std::uint64_t dropped;
  const char* oldestHeld;
};

class HoldQueueBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(HoldQueueBounds, DropsTheOldestWhenABoundIsReached) {
  const BoundCase& c = GetParam();
  HoldQueue queue(c.bounds);
  std::size_t droppedNow = 0;
  for (int n = 0; n < c.pushed; ++n) droppedNow += queue.Push(Message(n));
  EXPECT_EQ(queue.Held(), c.held);
  EXPECT_EQ(queue.Dropped(), c.dropped);
  EXPECT_EQ(droppedNow, c.dropped);
  ASSERT_NE(queue.NextToHand(), nullptr);
  EXPECT_EQ(queue.NextToHand()->payload, c.oldestHeld);
}

// A message of one digit is 1 payload byte and 1 topic character (2 bytes).
INSTANTIATE_TEST_SUITE_P(Cases, HoldQueueBounds,
                         ::testing::Values(BoundCase{"under_both", {10, 1000}, 5, 5, 0, "0"},
                                           BoundCase{"messages", {3, 1000}, 5, 3, 2, "2"},
                                           BoundCase{"bytes", {100, 9}, 5, 3, 2, "2"},
                                           BoundCase{"one_message", {1, 1000}, 4, 1, 3, "3"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HoldQueue, AcknowledgedMessagesLeaveAndTheRestAreHandedAgainInOrder) {
  HoldQueue queue;
  for (int n = 0; n < 5; ++n) queue.Push(Message(n));
  EXPECT_EQ(HandAll(queue, 1), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  queue.Acknowledged(1);
  queue.Acknowledged(2);
  queue.Acknowledged(4);  // out of order: held until the one before it is acknowledged
  EXPECT_EQ(queue.Held(), 3u);
  EXPECT_EQ(queue.Published(), 3u);
  queue.ConnectionEnded();
  EXPECT_EQ(queue.InFlight(), 0u);
  // The next connection gets what was not acknowledged, oldest first, and nothing twice.
  EXPECT_EQ(HandAll(queue, 1), (std::vector<std::string>{"2", "4"}));
  queue.Acknowledged(1);
  queue.Acknowledged(2);
  queue.Acknowledged(2);
  EXPECT_EQ(queue.Held(), 0u);
  EXPECT_EQ(queue.Published(), 5u);
}

TEST(HoldQueue, AMessageDroppedInFlightIsNotWaitedFor) {
  HoldQueue queue({2, 1000});
  queue.Push(Message(0));
  queue.Push(Message(1));
  HandAll(queue, 7);
  queue.Push(Message(2));
  EXPECT_EQ(queue.InFlight(), 1u);
  queue.Acknowledged(7);  // the dropped one: ignored
  EXPECT_EQ(queue.Published(), 0u);
  queue.Acknowledged(8);
  EXPECT_EQ(queue.Published(), 1u);
  EXPECT_EQ(HandAll(queue, 9), (std::vector<std::string>{"2"}));
}

}  // namespace
}  // namespace ventari
