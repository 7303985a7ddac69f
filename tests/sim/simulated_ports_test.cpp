#include <gtest/gtest.h>

#include "sim/instrument.h"
#include "sim/sim_serial_port.h"
#include "sim/two_axis_device.h"
#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

TEST(SimulatedPortsTest, NamesTheSevenModels) {
  EXPECT_EQ(SimulatedPorts::Names(),
            QStringList({"sim:kestrix2", "sim:kestrix2-heated", "sim:larkvane", "sim:t7", "sim:mz",
                         "sim:t7-50", "sim:mz-50"}));
}

TEST(SimulatedPortsTest, AreOfferedOnlyWhenOneIsInUseOrAskedFor) {
  const QStringList machine = {"/dev/ttyS0", "/dev/ttyUSB0"};
  const QStringList all = machine + SimulatedPorts::Names();
  struct Case {
    const char* portInUse;
    bool withSimulators;
    QStringList offered;
  };
  const Case cases[] = {
      {"COM1", false, machine}, {"/dev/ttyUSB0", false, machine},    {"", false, machine},
      {"sim:t7", false, all},   {"sim:kestrix2-heated", false, all}, {"COM1", true, all},
      {"sim:mz", true, all},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SimulatedPorts::Offered(machine, c.portInUse, c.withSimulators), c.offered)
        << c.portInUse << " " << c.withSimulators;
  }
}

TEST(SimulatedPortsTest, OtherNamesGoToTheFallback) {
  VirtualRuntime runtime;
  QString askedFor;
  SimulatedPorts ports(runtime, [&askedFor](const QString& name) {
    askedFor = name;
    return std::unique_ptr<SerialBackend>();
  });
  const auto factory = ports.Factory();
  EXPECT_NE(factory(QStringLiteral("sim:mz")), nullptr);
  EXPECT_TRUE(askedFor.isEmpty());
  EXPECT_EQ(factory(QStringLiteral("/dev/ttyUSB0")), nullptr);
  EXPECT_EQ(askedFor, QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(factory(QStringLiteral("sim:nothing")), nullptr);
  EXPECT_EQ(ports.InstrumentFor(QStringLiteral("COM1")), nullptr);
}

TEST(InstrumentTest, RefusesIdentitiesAndRatesTheModelCannotHave) {
  VirtualRuntime runtime;
  InstrumentOptions options;
  options.baud = 115200;
  EXPECT_THROW(Instrument(runtime, SimModel::kKestrix2, options), std::invalid_argument);
  options.baud = 1200;
  EXPECT_THROW(Instrument(runtime, SimModel::kLarkvane, options), std::invalid_argument);
  EXPECT_NO_THROW(Instrument(runtime, SimModel::kKestrix2Heated, options));
  options = {};
  options.serialNumber = "12345";
  EXPECT_THROW(Instrument(runtime, SimModel::kT7, options), std::invalid_argument);
  options = {};
  options.softwareVersion = "305";
  EXPECT_THROW(Instrument(runtime, SimModel::kMz, options), std::invalid_argument);
}

TEST(SimulatedPortFactoryTest, ItsDevicesLiveAsLongAsTheFactory) {
  VirtualRuntime runtime;
  SerialPort port(runtime, MakeSimulatedPortFactory(runtime, nullptr));
  std::string received;
  port.AddReceiveConsumer([&received](std::span<const std::uint8_t> bytes) {
    received.append(bytes.begin(), bytes.end());
  });
  port.SetName(QStringLiteral("sim:larkvane"));
  const auto command = [&](const std::string& text) {
    port.PutString(text + "\r\n");
    runtime.RunFor(500);
  };
  port.SetOpen(true);
  port.PutChar('*');
  runtime.RunFor(500);
  command("U4");
  command("Q");
  port.SetOpen(false);
  runtime.RunFor(2000);
  port.SetOpen(true);
  port.PutChar('*');
  runtime.RunFor(500);
  received.clear();
  command("D3");
  EXPECT_NE(received.find(",U4,"), std::string::npos) << received;
}

TEST(SimulatedPortsTest, InvertedAlignmentsCameWithVersionThree) {
  VirtualRuntime runtime;
  InstrumentOptions options;
  options.softwareVersion = "2.40";
  SimulatedPorts ports(runtime, nullptr, options);
  SerialPort port(runtime, ports.Factory());
  std::string received;
  port.AddReceiveConsumer([&received](std::span<const std::uint8_t> bytes) {
    received.append(bytes.begin(), bytes.end());
  });
  port.SetName(QStringLiteral("sim:kestrix2"));
  port.SetOpen(true);
  port.PutChar('*');
  runtime.RunFor(500);
  received.clear();
  for (const char* command : {"X3\r\n", "X2\r\n", "D3\r\n"}) {
    port.PutString(command);
    runtime.RunFor(500);
  }
  EXPECT_EQ(received.substr(0, 12), "X3\r\n\n?\r\nX2\r\n");
  EXPECT_NE(received.find(" X2 "), std::string::npos) << received;
}

class SimulatedPortLifeTest : public SimLineTest {};

TEST_F(SimulatedPortLifeTest, SettingsSurviveClosingAndReopeningThePort) {
  Open("kestrix2", 9600);
  EnterConfig();
  Command("U3");
  Command("Q");
  port.SetOpen(false);
  runtime.RunFor(5000);
  port.SetOpen(true);
  EnterConfig();
  Command("D3");
  EXPECT_NE(Take().find("U3"), std::string::npos);
}

TEST_F(SimulatedPortLifeTest, AVanishingDeviceClosesThePortAndCannotBeOpenedAgain) {
  Open("larkvane", 9600);
  Device().Line().Vanish();
  runtime.RunFor(10);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.LostReason().isEmpty());
  EXPECT_THROW(port.SetOpen(true), PortError);
}

TEST_F(SimulatedPortLifeTest, TheControlLinesReachTheLine) {
  Open("kestrix2", 9600);
  EXPECT_TRUE(Device().Line().Dtr());
  port.SetDtr(false);
  port.SetRts(false);
  EXPECT_FALSE(Device().Line().Dtr());
  EXPECT_FALSE(Device().Line().Rts());
}

}  // namespace
}  // namespace ventari::sim
