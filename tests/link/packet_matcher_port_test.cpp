// The matcher group on a real port: bytes reach it through the port's notifications, a handler
// that waits sees later replies only after it returns, and closing, reopening and detaching the
// port reset the group cleanly.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "support/scripted_line.h"

namespace ventari {
namespace {

class PacketMatcherPortTest : public ::testing::Test {
 protected:
  PacketMatcherPortTest() {
    group_.ConnectTo(port_);
    port_.SetOpen(true);
    Record(matchers_.DataPacket);
    Record(matchers_.D1Packet);
  }

  void Record(TApdDataPacket& matcher) {
    matcher.SetStringHandler([this](TApdDataPacket& sender, const QByteArray& text) {
      received_.push_back(sender.Name() + ":" + text.toStdString());
      sender.Received = 1;
    });
  }

  VirtualRuntime runtime_;
  test::ScriptedLine line_{runtime_};
  SerialPort port_{runtime_, line_.Factory()};
  PacketMatcherGroup group_{runtime_};
  SystemMatchers matchers_{group_};
  std::vector<std::string> received_;
};

TEST_F(PacketMatcherPortTest, BytesFromThePortReachTheMatchers) {
  matchers_.D1Packet.SetEnabled(true);
  line_.DeliverIn(10, "xxD1");
  line_.DeliverIn(20, "KESTRIX2  \r\n");
  runtime_.WaitUntil([&] { return matchers_.D1Packet.Received == 1; });
  EXPECT_EQ(runtime_.NowMs(), 20);
  EXPECT_EQ(received_, std::vector<std::string>{"D1Packet:KESTRIX2  "});
}

TEST_F(PacketMatcherPortTest, ReplyAwaitedInsideAHandlerIsMatchedWhenTheHandlerReturns) {
  matchers_.DataPacket.SetStringHandler([this](TApdDataPacket&, const QByteArray&) {
    matchers_.D1Packet.SetEnabled(true);
    line_.DeliverIn(50, "D1KESTRIX2  ");
    runtime_.RunFor(200);  // a wait that outlasts the reply
    received_.push_back(matchers_.D1Packet.Received == 1 ? "reply seen in handler"
                                                         : "handler done");
  });
  matchers_.DataPacket.SetEnabled(true);
  line_.DeliverIn(0, "\x02Q,271,003.45,M,00,\x03");
  runtime_.RunFor(500);
  EXPECT_EQ(received_, (std::vector<std::string>{"handler done", "D1Packet:KESTRIX2  "}));
}

TEST_F(PacketMatcherPortTest, ClosingThePortAbandonsPacketsAndOpeningRestartsArmedMatchers) {
  matchers_.DataPacket.SetEnabled(true);
  line_.DeliverIn(0, "\x02Q,271");
  runtime_.RunFor(1);
  port_.SetOpen(false);
  EXPECT_TRUE(matchers_.DataPacket.Enabled());
  EXPECT_EQ(group_.BufferedBytes(), 0u);
  port_.SetOpen(true);
  line_.DeliverIn(0, ",003.45,M,00,\x03");
  line_.DeliverIn(10, "\x02Q,090,001.00,M,00,\x03");
  runtime_.RunFor(20);
  EXPECT_EQ(received_, std::vector<std::string>{"DataPacket:\x02Q,090,001.00,M,00,\x03"});
}

TEST_F(PacketMatcherPortTest, ClosingThePortEndsACaptureAndItsTimeOut) {
  matchers_.DataPacket.SetEnabled(true);
  line_.DeliverIn(0, "\x02Q,271");
  runtime_.RunFor(1);
  port_.SetOpen(false);
  port_.SetOpen(true);
  runtime_.RunFor(3 * 2184 * 55);
  EXPECT_TRUE(matchers_.DataPacket.Enabled());
}

TEST_F(PacketMatcherPortTest, DetachedGroupHearsNothingUntilConnectedAgain) {
  port_.AddReceiveConsumer([](std::span<const std::uint8_t>) {});  // the terminal reads on
  matchers_.D1Packet.SetEnabled(true);
  group_.Disconnect();
  line_.DeliverIn(0, "D1KESTRIX2  ");
  runtime_.RunFor(1);
  EXPECT_TRUE(received_.empty());
  EXPECT_TRUE(matchers_.D1Packet.Enabled());

  group_.ConnectTo(port_);
  line_.DeliverIn(0, "D1LARKVANE  ");
  runtime_.RunFor(1);
  EXPECT_EQ(received_, std::vector<std::string>{"D1Packet:LARKVANE  "});
}

TEST_F(PacketMatcherPortTest, GroupConnectedToAClosedPortWaitsForItToOpen) {
  port_.SetOpen(false);
  group_.ConnectTo(port_);
  matchers_.D1Packet.SetEnabled(true);
  port_.SetOpen(true);
  line_.DeliverIn(0, "D1KESTRIX2  ");
  runtime_.RunFor(1);
  EXPECT_EQ(received_, std::vector<std::string>{"D1Packet:KESTRIX2  "});
}

}  // namespace
}  // namespace ventari
