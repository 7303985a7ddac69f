#include "sim/faults.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "base/virtual_runtime.h"
#include "link/serial_port.h"
#include "sim/sim_serial_port.h"
#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

TEST(ApplyFaultTest, ReadsEachFaultAndRefusesAnythingElse) {
  Faults faults;
  EXPECT_TRUE(ApplyFault("noise=0.25", faults));
  EXPECT_TRUE(ApplyFault("drop=1", faults));
  EXPECT_TRUE(ApplyFault("truncate=0", faults));
  EXPECT_TRUE(ApplyFault("blocked=0.5", faults));
  EXPECT_TRUE(ApplyFault("silent=30000", faults));
  EXPECT_TRUE(ApplyFault("vanish=60000", faults));
  EXPECT_TRUE(ApplyFault("return=4000", faults));
  EXPECT_TRUE(ApplyFault("short-debug=1", faults));
  EXPECT_TRUE(ApplyFault("keep-rate=1", faults));
  EXPECT_EQ(faults.shortDebug, 1);
  EXPECT_EQ(faults.keepRate, 1);
  EXPECT_EQ(faults.noise, 0.25);
  EXPECT_EQ(faults.drop, 1);
  EXPECT_EQ(faults.blocked, 0.5);
  EXPECT_EQ(faults.silentAfterMs, 30000);
  EXPECT_EQ(faults.vanishAfterMs, 60000);
  EXPECT_EQ(faults.returnAfterMs, 4000);
  for (const char* bad : {"noise", "noise=", "noise=1.5", "noise=-0.1", "drop=x", "silent=-1",
                          "silent=1.5", "return=-5", "return=", "loud=1"}) {
    EXPECT_FALSE(ApplyFault(bad, faults)) << bad;
  }
  EXPECT_EQ(faults.noise, 0.25);
}

class FaultsTest : public SimLineTest {
 protected:
  void Inject(const std::string& fault) {
    Faults faults;
    ASSERT_TRUE(ApplyFault(fault, faults));
    Device().Device().SetFaults(faults);
  }
  int Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return static_cast<int>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
  }
};

TEST_F(FaultsTest, NoiseComesOnlyBetweenWholeMessages) {
  Open("kestrix2", 9600);
  Inject("noise=1");
  runtime.RunFor(5500);
  const std::string text = Take();
  EXPECT_EQ(Count(text, "\x02Q,[0-9]{3},[0-9]{3}\\.[0-9]{2},M,00,\x03[0-9A-F]{2}\r\n"), 5);
  EXPECT_GT(text.size(), 5u * 24);
  EXPECT_EQ(Count(text, "\x02"), 5);
  EXPECT_EQ(Count(text, "\x03"), 5);
}

TEST_F(FaultsTest, DroppedAndTruncatedMessages) {
  Open("kestrix2", 9600);
  Inject("drop=1");
  runtime.RunFor(3000);
  EXPECT_EQ(Take(), "");
  Inject("truncate=1");
  runtime.RunFor(3500);
  const std::string text = Take();
  EXPECT_EQ(Count(text, "\x02"), 3);
  EXPECT_EQ(text.find('\x03'), std::string::npos) << "no message is ended";
}

TEST_F(FaultsTest, ASilentDeviceNeitherStreamsNorAnswers) {
  Open("t7", 19200);
  Inject("silent=1500");
  runtime.RunFor(1200);
  EXPECT_NE(Take(), "");
  runtime.RunFor(1000);
  Take();
  runtime.RunFor(2000);
  EXPECT_EQ(Take(), "");
  Command("IM");
  EXPECT_EQ(Take(), "");
  EXPECT_FALSE(Device().Device().Answering());
}

// A streaming Kestrix II whose port vanishes 3 s after the start and returns 2 s later.
class ReturningPortTest : public ::testing::Test {
 protected:
  static InstrumentOptions Options() {
    InstrumentOptions options;
    EXPECT_TRUE(ApplyFault("vanish=3000", options.faults));
    EXPECT_TRUE(ApplyFault("return=2000", options.faults));
    return options;
  }
  // The whole messages in `text`.
  static int Messages(const std::string& text) {
    const std::regex message("\x02Q,[0-9]{3},[0-9]{3}\\.[0-9]{2},M,00,\x03[0-9A-F]{2}\r\n");
    return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), message),
                                          std::sregex_iterator()));
  }
  // Runs until `atMs` from the start and returns what arrived meanwhile.
  std::string RunUntil(std::int64_t atMs) {
    received.clear();
    runtime.RunFor(atMs - runtime.NowMs());
    return received;
  }

  VirtualRuntime runtime;
  SimulatedPorts ports{runtime, nullptr, Options()};
  SerialPort port{runtime, ports.Factory()};
  std::string received;
  int consumer = port.AddReceiveConsumer(
      [this](std::span<const std::uint8_t> bytes) { received.append(bytes.begin(), bytes.end()); });
};

TEST_F(ReturningPortTest, ThePortClosesIsRefusedWhileGoneAndOpensAgainOnItsReturn) {
  port.SetName(QStringLiteral("sim:kestrix2"));
  port.SetBaud(9600);
  port.SetOpen(true);
  EXPECT_EQ(Messages(RunUntil(2900)), 2);

  RunUntil(3100);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.LostReason().isEmpty());
  for (const std::int64_t gone : {3500, 4990}) {
    RunUntil(gone);
    EXPECT_THROW(port.SetOpen(true), PortError) << "at " << gone << " ms";
  }

  RunUntil(5500);
  port.SetOpen(true);
  const std::string after = RunUntil(8900);
  EXPECT_TRUE(after.starts_with('\x02')) << "nothing sent while the port was gone arrives";
  EXPECT_EQ(Messages(after), 3) << "one a second at 9600, as before";
  // The port vanished once: it stays.
  RunUntil(30000);
  EXPECT_TRUE(port.IsOpen());
}

}  // namespace
}  // namespace ventari::sim
