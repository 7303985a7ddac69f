#include "link/serial_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_line.h"

namespace ventari {
namespace {

using test::ScriptedLine;

std::string Text(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

class SerialPortTest : public ::testing::Test {
 protected:
  VirtualRuntime rt;
  ScriptedLine line{rt};
  SerialPort port{rt, line.Factory()};
};

TEST_F(SerialPortTest, StartsClosedWithTheBuiltInSettingsAndRefusesIo) {
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Name(), "COM1");
  EXPECT_EQ(port.Line(), (LineSettings{9600, Parity::kNone, 8, 1}));
  try {
    port.PutChar('x');
    FAIL() << "a write to a closed port must raise";
  } catch (const PortError& e) {
    EXPECT_EQ(e.kind(), PortError::Kind::kNotOpen);
  }
  EXPECT_THROW(port.FlushInBuffer(), PortError);
  EXPECT_THROW(port.CharReady(), PortError);
}

TEST_F(SerialPortTest, OpeningRaisesTheControlLinesAndTwiceDoesNothing) {
  port.SetOpen(true);
  port.SetOpen(true);
  EXPECT_EQ(line.Opens(), 1);
  EXPECT_TRUE(line.Dtr());
  EXPECT_TRUE(line.Rts());
  port.SetOpen(false);
  port.SetOpen(false);
  EXPECT_FALSE(line.IsOpen());
}

TEST_F(SerialPortTest, AnAlarmPortKeepsDtrLowWhenOpened) {
  port.SetDtrOnOpen(false);
  port.SetOpen(true);
  EXPECT_FALSE(line.Dtr());
  port.SetDtr(true);
  EXPECT_TRUE(line.Dtr());
}

TEST_F(SerialPortTest, AFailedOpenLeavesThePortClosed) {
  line.FailOpen(true);
  EXPECT_THROW(port.SetOpen(true), PortError);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialPortTest, LineChangesReprogramAnOpenPortOnlyWhenTheyDiffer) {
  port.SetOpen(true);
  const int changes = line.LineChanges();
  port.SetBaud(9600);
  EXPECT_EQ(line.LineChanges(), changes);
  port.SetBaud(19200);
  port.SetParity(Parity::kEven);
  port.SetDataBits(7);
  EXPECT_EQ(line.LineChanges(), changes + 3);
  EXPECT_EQ(line.Line(), (LineSettings{19200, Parity::kEven, 7, 1}));
  EXPECT_EQ(line.Opens(), 1);  // never closed for a line change
}

TEST_F(SerialPortTest, ARefusedRateKeepsTheOldLine) {
  port.SetOpen(true);
  line.RefuseBaud(12345);
  EXPECT_THROW(port.SetBaud(12345), PortError);
  EXPECT_EQ(port.Line().baud, 9600);
  EXPECT_EQ(line.Line().baud, 9600);
}

TEST_F(SerialPortTest, SettingsOfAClosedPortAreOnlyRecorded) {
  port.SetBaud(4800);
  port.SetComNumber(12);
  EXPECT_EQ(line.Opens(), 0);
  port.SetOpen(true);
  EXPECT_EQ(line.OpenedName(), "COM12");
  EXPECT_EQ(line.Line().baud, 4800);
}

TEST_F(SerialPortTest, ChangingThePortOfAnOpenPortReopensItAndKeepsConsumers) {
  std::string seen;
  std::vector<bool> states;
  port.AddReceiveConsumer([&](auto bytes) { seen += Text(bytes); });
  port.AddStateConsumer([&](bool open) { states.push_back(open); });
  port.SetOpen(true);
  port.SetComNumber(3);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(line.OpenedName(), "COM3");
  EXPECT_EQ(port.ComNumber(), 3);
  line.DeliverIn(5, "abc");
  rt.RunFor(10);
  EXPECT_EQ(seen, "abc");
  EXPECT_EQ(states, (std::vector<bool>{true, false, true}));
}

TEST_F(SerialPortTest, NamesThatAreNotComKeepTheLastComNumber) {
  port.SetComNumber(7);
  port.SetName("/dev/ttyUSB0");
  EXPECT_EQ(port.ComNumber(), 7);
  EXPECT_EQ(SerialPort::ComNumberOf("com12"), 12);
  EXPECT_EQ(SerialPort::ComNumberOf("COM"), 0);
  EXPECT_EQ(SerialPort::ComNumberOf("/dev/ttyS0"), 0);
  EXPECT_EQ(SerialPort::ComNumberOf("COM1x"), 0);
}

TEST_F(SerialPortTest, EveryConsumerSeesEachNewByteOnceInRegistrationOrder) {
  std::vector<std::string> calls;
  port.AddReceiveConsumer([&](auto bytes) { calls.push_back("A:" + Text(bytes)); });
  port.AddReceiveConsumer([&](auto bytes) { calls.push_back("B:" + Text(bytes)); });
  port.SetOpen(true);
  line.DeliverIn(1, "xy");
  line.DeliverIn(3, "z");
  rt.RunFor(5);
  EXPECT_EQ(calls, (std::vector<std::string>{"A:xy", "B:xy", "A:z", "B:z"}));
}

TEST_F(SerialPortTest, BytesArrivingWhileAConsumerWaitsAreDeliveredOnceNested) {
  std::string a, b;
  bool waited = false;
  port.AddReceiveConsumer([&](auto bytes) {
    a += Text(bytes);
    if (!waited) {
      waited = true;
      line.DeliverIn(2, "2");
      rt.WaitUntil([&] { return a.size() >= 2; });
    }
  });
  port.AddReceiveConsumer([&](auto bytes) { b += Text(bytes); });
  port.SetOpen(true);
  line.DeliverIn(1, "1");
  rt.RunFor(10);
  EXPECT_EQ(a, "12");
  EXPECT_EQ(b.size(), 2u);
  EXPECT_NE(b.find('1'), std::string::npos);
  EXPECT_NE(b.find('2'), std::string::npos);
}

TEST_F(SerialPortTest, FlushBeforeDeliveryMeansNoConsumerSeesTheBytes) {
  std::string seen;
  port.AddReceiveConsumer([&](auto bytes) { seen += Text(bytes); });
  port.SetOpen(true);
  // The flush runs after arrival but before the delivery event.
  line.DeliverIn(5, "lost");
  rt.Schedule(5, [&] { port.FlushInBuffer(); });
  line.DeliverIn(7, "kept");
  rt.RunFor(10);
  EXPECT_EQ(seen, "kept");
}

TEST_F(SerialPortTest, PolledReadsTakeBytesOutsideTheNotification) {
  port.SetOpen(true);  // no consumer registered: the flash programmer's way
  line.DeliverIn(1, "OK");
  rt.RunFor(2);
  ASSERT_TRUE(port.CharReady());
  EXPECT_EQ(port.GetChar(), 'O');
  EXPECT_EQ(port.GetChar(), 'K');
  EXPECT_FALSE(port.CharReady());
  EXPECT_THROW(port.GetChar(), PortError);
}

TEST_F(SerialPortTest, WritesAreRecordedInOrderWithTheirTimes) {
  port.SetOpen(true);
  port.PutString("D1");
  rt.RunFor(15);
  port.PutChar('\r');
  ASSERT_EQ(line.Sent().size(), 3u);
  EXPECT_EQ(line.SentText(), "D1\r");
  EXPECT_EQ(line.Sent()[2].atMs, 15);
}

TEST_F(SerialPortTest, AVanishedDeviceClosesThePortAndTellsWhy) {
  std::vector<bool> states;
  port.AddStateConsumer([&](bool open) { states.push_back(open); });
  port.SetOpen(true);
  line.Lose();
  rt.RunFor(1);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.LostReason().isEmpty());
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST_F(SerialPortTest, AssignCopiesEverySetting) {
  SerialPort other(rt, line.Factory());
  other.SetComNumber(4);
  other.SetLine({2400, Parity::kOdd, 7, 2});
  port.Assign(other);
  EXPECT_EQ(port.Name(), "COM4");
  EXPECT_EQ(port.Line(), other.Line());
}

TEST_F(SerialPortTest, FlowControlARefusingDriverCannotTakeKeepsTheOldAndAssignCopies) {
  port.SetOpen(true);
  EXPECT_THROW(port.SetFlow({.rtsCts = true}), PortError);
  EXPECT_TRUE(port.Flow().IsOff());
  port.SetOpen(false);
  port.SetFlow({.softwareReceive = true});  // a closed port only records it
  EXPECT_THROW(port.SetOpen(true), PortError);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(line.IsOpen());
  SerialPort other{rt, line.Factory()};
  other.Assign(port);
  EXPECT_EQ(other.Flow(), (FlowControl{.softwareReceive = true}));
}

}  // namespace
}  // namespace ventari
