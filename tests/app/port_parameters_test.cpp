#include "app/port_parameters.h"

#include <gtest/gtest.h>
#include <termios.h>

#include "base/qt_runtime.h"
#include "link/qt_serial_port.h"
#include "link/serial_port.h"
#include "sim/sim_serial_port.h"
#include "support/line_status_spy.h"
#include "support/pseudo_terminal.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

const QString kKestrix = QStringLiteral("sim:kestrix2");

class PortParametersTest : public ::testing::Test {
 protected:
  PortParametersTest() {
    port.AddStateConsumer([this](bool open) { events.push_back(open ? "open" : "closed"); });
    status.onRefresh = [this] { events.push_back("status"); };
    portChosen.Subscribe([this] { events.push_back("chosen"); });
  }

  void OpenOn(const QString& name) {
    port.SetName(name);
    port.SetOpen(true);
    events.clear();
  }

  VirtualRuntime rt;
  test::ScriptedLine line{rt};
  sim::SimulatedPorts simulated{rt, line.Factory()};
  SerialPort port{rt, simulated.Factory()};
  test::ScriptedPrompts prompts;
  test::LineStatusSpy status;
  std::vector<std::string> events;
  ChangeNotifier portChosen;
  PortParameters params{port,   prompts,    [] {
                          return QStringList{"COM1", "COM2"}; },
                        status, portChosen, [this] { events.push_back("focus"); }};
};

TEST_F(PortParametersTest, TheFieldsAreFilledFromThePortWithItsNameAmongThePorts) {
  port.SetName("COM3");
  port.SetLine({19200, Parity::kEven, 7, 2});
  port.SetFlow({.rtsCts = true, .xonChar = 1});
  params.Fill();
  EXPECT_EQ(params.fields.ports, (QStringList{"COM3", "COM1", "COM2"}));
  EXPECT_EQ(params.fields.port, "COM3");
  EXPECT_EQ(params.fields.line, (LineSettings{19200, Parity::kEven, 7, 2}));
  EXPECT_EQ(params.fields.flow, (FlowControl{.rtsCts = true, .xonChar = 1}));
  port.SetName("COM2");
  params.Fill();
  EXPECT_EQ(params.fields.ports, (QStringList{"COM1", "COM2"}));
}

TEST_F(PortParametersTest, OkClosesThePortMovesItOntoTheSettingsAndOpensItAgain) {
  OpenOn(kKestrix);
  params.Fill();
  params.fields.line.baud = 19200;
  params.fields.line.parity = Parity::kOdd;
  params.Apply();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.Line(), (LineSettings{19200, Parity::kOdd, 8, 1}));
  EXPECT_EQ(events, (std::vector<std::string>{"chosen", "closed", "open", "status", "focus"}));
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(PortParametersTest, OkMovesToAnotherPort) {
  OpenOn(kKestrix);
  params.Fill();
  params.fields.port = "COM2";
  params.Apply();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(line.OpenedName(), "COM2");
  EXPECT_EQ(port.ComNumber(), 2);
}

struct Refusal {
  const char* name;
  std::function<void(PortParameterFields&, test::ScriptedLine&)> change;
  const char* port;
  const char* settings;
};

class PortParametersRefusalTest : public PortParametersTest,
                                  public ::testing::WithParamInterface<Refusal> {};

TEST_P(PortParametersRefusalTest, APortThatWillNotReopenStaysClosedAndTheMessageNamesIt) {
  OpenOn(kKestrix);
  params.Fill();
  GetParam().change(params.fields, line);
  params.Apply();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(events, (std::vector<std::string>{"chosen", "closed", "status", "focus"}));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  const QString text = prompts.Messages()[0].text;
  EXPECT_TRUE(text.startsWith(QString(GetParam().port) + " could not be opened with "))
      << text.toStdString();
  EXPECT_TRUE(text.contains(GetParam().settings)) << text.toStdString();
  EXPECT_EQ(prompts.Messages()[0].caption, "Warning");
  EXPECT_THROW(port.PutChar('x'), PortError);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, PortParametersRefusalTest,
    ::testing::Values(Refusal{"FiveDataBits", [](auto& f, auto&) { f.line.dataBits = 5; },
                              "sim:kestrix2", "9600 baud, 5 data bits, None parity, 1 stop bit"},
                      Refusal{"FlowControl", [](auto& f, auto&) { f.flow.rtsCts = true; },
                              "sim:kestrix2", "RTS/CTS flow control"},
                      Refusal{"PortHeldElsewhere",
                              [](auto& f, auto& l) {
                                f.port = "COM2";
                                f.line.stopBits = 2;
                                l.FailOpen(true);
                              },
                              "COM2", "9600 baud, 8 data bits, None parity, 2 stop bits"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortParametersOnAPseudoTerminal, ParityAndSevenBitsAreTakenButTheLineStaysEightBitsPlain) {
  test::PseudoTerminal pty;
  if (pty.Path().isEmpty()) GTEST_SKIP() << "no pseudo-terminal";
  QtRuntime rt;
  SerialPort port(rt, QtSerialPort::Factory());
  test::ScriptedPrompts prompts;
  test::LineStatusSpy status;
  ChangeNotifier portChosen;
  PortParameters params(port, prompts, {}, status, portChosen, [] {});
  port.SetName(pty.Path());
  port.SetOpen(true);
  params.Fill();
  params.fields.line = {19200, Parity::kEven, 7, 2};
  params.fields.flow = {.softwareTransmit = true, .xonChar = 1, .xoffChar = 2};
  params.Apply();
  EXPECT_TRUE(prompts.Messages().empty());
  ASSERT_TRUE(port.IsOpen());
  EXPECT_EQ(port.Line(), (LineSettings{19200, Parity::kEven, 7, 2}));
  const termios settings = pty.Settings();
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(settings.c_cflag & PARENB, 0u);
  EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B19200));
  EXPECT_NE(settings.c_iflag & IXON, 0u);
  EXPECT_EQ(settings.c_iflag & IXOFF, 0u);
  EXPECT_EQ(settings.c_cc[VSTART], 1);
  EXPECT_EQ(settings.c_cc[VSTOP], 2);
}

}  // namespace
}  // namespace ventari
