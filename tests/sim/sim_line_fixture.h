// A system port opened on a simulated anemometer, on virtual time, with everything received kept
// with its arrival time: the tests of the device models talk to them only through the line.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "base/runtime.h"
#include "base/virtual_runtime.h"
#include "link/serial_port.h"
#include "sim/instrument.h"
#include "sim/sim_serial_port.h"

namespace ventari::sim {

class SimLineTest : public ::testing::Test {
 protected:
  struct Received {
    std::int64_t atMs;
    std::uint8_t byte;
  };

  // Opens "sim:<model>" at `baud`, 8 data bits, no parity.
  void Open(const QString& model, std::int32_t baud) {
    port.SetName(QStringLiteral("sim:") + model);
    port.SetBaud(baud);
    port.SetOpen(true);
  }

  Instrument& Device() { return *ports.InstrumentFor(port.Name()); }

  // Typed as the system types commands: a tick before and after each character.
  void Type(const std::string& text) {
    for (const char c : text) {
      runtime.RunFor(kTimerTickMs);
      port.PutChar(static_cast<std::uint8_t>(c));
    }
    runtime.RunFor(kTimerTickMs);
  }
  // A command as the system sends it: typed, then CR 50 ms later; then a second to answer.
  void Command(const std::string& text) {
    Type(text);
    runtime.RunFor(50);
    port.PutChar('\r');
    runtime.RunFor(1000);
  }
  // Enters configuration mode with "*" and forgets what came before.
  void EnterConfig() {
    port.PutChar('*');
    runtime.RunFor(1000);
    Take();
  }

  // Everything received since the last Take, as text.
  std::string Take() {
    std::string text;
    for (const Received& r : received) text.push_back(static_cast<char>(r.byte));
    received.clear();
    return text;
  }

  VirtualRuntime runtime;
  SimulatedPorts ports{runtime, nullptr};
  SerialPort port{runtime, ports.Factory()};
  std::vector<Received> received;
  int consumer = port.AddReceiveConsumer([this](std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes) received.push_back({runtime.NowMs(), b});
  });
};

}  // namespace ventari::sim
