// A simulated anemometer on a pseudo-terminal in this process, opened by the system's own port
// on QSerialPort: when the line vanishes the port closes by itself, once, and says why.
#ifndef _WIN32  // pseudo-terminals are POSIX

#include "sim/pty_port.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "base/qt_runtime.h"
#include "link/qt_serial_port.h"
#include "link/serial_port.h"
#include "sim/instrument.h"
#include "support/bounded_wait.h"

namespace ventari::sim {
namespace {

struct VanishCase {
  const char* name;
  bool writing;  // the port is sending to the device when the line vanishes
};

void PrintTo(const VanishCase& vanish, std::ostream* out) { *out << vanish.name; }

class PtyPortLossTest : public ::testing::TestWithParam<VanishCase> {
 protected:
  bool WaitUntil(const std::function<bool()>& done, int ms) {
    return test::WaitUntil(runtime, done, ms);
  }

  QtRuntime runtime;
  Instrument instrument{runtime, SimModel::kKestrix2, [] {
                          InstrumentOptions options;
                          options.rateHz = 10;
                          return options;
                        }()};
  PtyPort pty{runtime, instrument.Line()};
  SerialPort port{runtime, QtSerialPort::Factory()};
  std::string received;
  int consumer = port.AddReceiveConsumer(
      [this](std::span<const std::uint8_t> bytes) { received.append(bytes.begin(), bytes.end()); });
  int closings = 0;
  int stateConsumer = port.AddStateConsumer([this](bool open) { closings += open ? 0 : 1; });
};

TEST_P(PtyPortLossTest, TheLineVanishingClosesThePortOnceWithAReason) {
  port.SetName(pty.Path());
  port.SetBaud(9600);
  port.SetOpen(true);
  ASSERT_TRUE(WaitUntil([this] { return received.find("\x02Q,") != std::string::npos; }, 3000))
      << "the device streams to the port";

  instrument.Line().Vanish();
  if (GetParam().writing) port.PutString("*Q\r\n");
  EXPECT_TRUE(WaitUntil([this] { return !port.IsOpen(); }, 1000));
  EXPECT_FALSE(port.LostReason().isEmpty());
  WaitUntil([] { return false; }, 200);
  EXPECT_EQ(closings, 1);
}

INSTANTIATE_TEST_SUITE_P(Vanish, PtyPortLossTest,
                         ::testing::Values(VanishCase{"Idle", false}, VanishCase{"Writing", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ventari::sim

#endif  // _WIN32
