// The system's own command channel and packet matchers against every simulated model, on
// virtual time: configuration mode, the identification replies framed as the system frames
// them, the data that follow, and the three-axis acknowledgements.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <functional>

#include "base/anem_state.h"
#include "base/main_window_model.h"
#include "base/virtual_runtime.h"
#include "link/command_channel.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "sim/sim_serial_port.h"
#include "sim/two_axis_device.h"
#include "support/scripted_prompts.h"

namespace ventari::sim {
namespace {

class IdentificationTest : public ::testing::Test {
 protected:
  IdentificationTest() {
    group.ConnectTo(port);
    runtime.SetDeadline(10 * 60 * 1000);
  }

  void Open(const QString& model, std::int32_t baud) {
    port.SetName(QStringLiteral("sim:") + model);
    port.SetBaud(baud);
    port.SetOpen(true);
  }

  // Arms `matcher`, which keeps what it delivers, and sends the command until it has delivered,
  // as the identification loops do; a second is allowed each time.
  QByteArray Ask(TApdDataPacket& matcher, std::string_view command, bool arm = true) {
    QByteArray text;
    matcher.Received = 0;
    matcher.SetStringHandler([&text](TApdDataPacket& sender, const QByteArray& packet) {
      sender.Received = 1;
      text = packet;
    });
    for (int tries = 0; matcher.Received == 0 && tries < 3; ++tries) {
      if (arm) matcher.SetEnabled(true);
      channel.Command(command);
      channel.Delay(1000);
    }
    EXPECT_EQ(matcher.Received, 1) << command;
    return text;
  }

  // Sends a three-axis command with the reply collector armed, waiting up to 3000 ms.
  QByteArray Collect(std::string_view command) {
    QByteArray text;
    matchers.TriAxisPkt.Received = 0;
    matchers.TriAxisPkt.SetStringHandler([&text](TApdDataPacket& sender, const QByteArray& reply) {
      sender.Received = 1;
      text = reply;
    });
    matchers.TriAxisPkt.SetEnabled(true);
    channel.Command(command);
    WaitFor(matchers.TriAxisPkt, 3000);
    EXPECT_EQ(matchers.TriAxisPkt.Received, 1) << command;
    return text;
  }

  // Waits until `matcher` delivered or `ms` passed.
  void WaitFor(TApdDataPacket& matcher, int ms) {
    channel.Timeout.fired = false;
    channel.Timeout.SetInterval(ms);
    channel.Timeout.Start();
    runtime.WaitUntil([&] { return matcher.Received != 0 || channel.Timeout.fired; });
    channel.Timeout.Stop();
  }

  // The next data message framed by `matcher`.
  QByteArray NextRecord(TApdDataPacket& matcher) {
    QByteArray text;
    matcher.Received = 0;
    matcher.SetStringHandler([&text](TApdDataPacket& sender, const QByteArray& record) {
      sender.Received = 1;
      text = record;
    });
    matcher.SetEnabled(true);
    WaitFor(matcher, 3000);
    EXPECT_EQ(matcher.Received, 1);
    return text;
  }

  VirtualRuntime runtime;
  SimulatedPorts ports{runtime, nullptr};
  SerialPort port{runtime, ports.Factory()};
  PacketMatcherGroup group{runtime};
  SystemMatchers matchers{group};
  AnemState state;
  MainWindowModel window;
  test::ScriptedPrompts prompts;
  CommandChannel channel{runtime, port, state, matchers.IMPacket, prompts, window};
};

TEST_F(IdentificationTest, KestrixModelsAreIdentifiedAndSwitchedToPolarDuringD3) {
  for (const auto& [model, d1] :
       {std::pair{"kestrix2", "\r\nE100234\r"}, std::pair{"kestrix2-heated", "\r\nF100235\r"}}) {
    SCOPED_TRACE(model);
    port.SetOpen(false);
    Open(model, 9600);
    Instrument& device = *ports.InstrumentFor(port.Name());
    channel.EnterConfigMode();
    ASSERT_TRUE(channel.InConfigMode());
    EXPECT_EQ(state.Family, AnemFamily::kTwoAxis);

    EXPECT_EQ(Ask(matchers.D1Packet, "D1"), QByteArray(d1));
    EXPECT_EQ(Ask(matchers.D2Packet, "D2"), QByteArray("\r\n3.05"));
    // The D3 reply is closed by the echo of the next D3; as the system does for "M2" in it, the
    // polar command is sent from inside the handler, in the middle of identification.
    QByteArray d3;
    matchers.D3Packet.Received = 0;
    matchers.D3Packet.SetStringHandler([&](TApdDataPacket& sender, const QByteArray& reply) {
      sender.Received = 1;
      d3 = reply;
      channel.ConfigCommand("M2");
    });
    matchers.D3Packet.SetEnabled(true);
    for (int tries = 0; matchers.D3Packet.Received == 0 && tries < 3; ++tries) {
      channel.Command("D3");
      channel.Delay(1000);
    }
    ASSERT_EQ(matchers.D3Packet.Received, 1);
    EXPECT_TRUE(d3.startsWith("D3\r\nA0 B3 ")) << d3.toStdString();
    EXPECT_TRUE(d3.endsWith("\r\nD3")) << d3.toStdString();
    EXPECT_EQ(d3.count("D3"), 2);
    EXPECT_EQ(device.TwoAxis()->Settings().messageMode, 2);

    channel.LeaveConfigMode();
    const QByteArray message = NextRecord(matchers.DataPacket);
    ASSERT_GE(message.size(), 15);
    EXPECT_EQ(message.at(0), '\x02');
    EXPECT_EQ(message.back(), '\x03');
    bool ok = false;
    message.mid(3, 3).toInt(&ok);
    EXPECT_TRUE(ok) << message.toStdString();
    message.mid(7, 6).toDouble(&ok);
    EXPECT_TRUE(ok) << message.toStdString();
  }
}

TEST_F(IdentificationTest, TheLarkvaneIsIdentifiedAndGivesFixedFieldsAfterO2) {
  Open("larkvane", 9600);
  channel.EnterConfigMode();
  ASSERT_TRUE(channel.InConfigMode());
  EXPECT_EQ(Ask(matchers.D1Packet, "D1"), QByteArray("\r\nY200117\r"));
  const QByteArray d2 = Ask(matchers.LarkvaneD2Packet, "D2");
  EXPECT_EQ(d2.size(), 11);
  // Trimmed, characters 6 to 8 are the version without its point.
  EXPECT_EQ(d2.trimmed().mid(5, 3), QByteArray("205"));
  const QByteArray d3 = Ask(matchers.LarkvaneD3Packet, "D3");
  EXPECT_TRUE(d3.startsWith("D3\r\nB3,")) << d3.toStdString();
  EXPECT_TRUE(d3.endsWith(",\r\n"));
  EXPECT_TRUE(d3.contains("M2"));

  channel.Command("O2");
  channel.Delay(1000);
  channel.LeaveConfigMode();
  const QByteArray message = NextRecord(matchers.DataPacket);
  EXPECT_EQ(message.at(6), ',') << message.toStdString();
  EXPECT_EQ(message.at(10), '.') << message.toStdString();
  EXPECT_EQ(message.at(13), ',') << message.toStdString();
}

struct TriAxisCase {
  const char* model;
  std::int32_t baud;
  const char* sn;
  bool fiftyHz;
};

TEST_F(IdentificationTest, TriAxisModelsAnswerSnVerAndConfigBetweenEchoAndPrompt) {
  const TriAxisCase cases[] = {{"t7", 19200, "O300451", false},
                               {"mz", 19200, "H400562", false},
                               {"t7-50", 38400, "O500673", true},
                               {"mz-50", 38400, "H600784", true}};
  for (const TriAxisCase& c : cases) {
    SCOPED_TRACE(c.model);
    port.SetOpen(false);
    Open(c.model, c.baud);
    channel.ForgetConfigMode();
    channel.EnterConfigMode();
    ASSERT_TRUE(channel.InConfigMode());
    EXPECT_EQ(state.Family, AnemFamily::kTriAxis);
    EXPECT_TRUE(prompts.Messages().empty());

    EXPECT_EQ(Collect("SN"), QByteArray("SN\r\n") + c.sn + "\r\n");
    QByteArray ver = Collect("VER");
    if (ver.startsWith(' ')) ver.remove(0, 1);
    ASSERT_TRUE(ver.startsWith("VER\r\n")) << ver.toStdString();
    EXPECT_EQ(ver.mid(5).startsWith("T7 50Hz"), c.fiftyHz);
    EXPECT_TRUE(ver.contains("Version ")) << ver.toStdString();
    channel.Delay(100);
    const QByteArray config = Collect("CONFIG");
    EXPECT_TRUE(config.startsWith("CONFIG\r\nABSTEMP OFF\r\n")) << config.toStdString();
    EXPECT_TRUE(config.contains(QByteArray("\r\nBAUD ") + QByteArray::number(c.baud) + "\r\n"));
    channel.LeaveConfigMode();

    const QByteArray record = NextRecord(matchers.TriAxisAsciiPkt);
    EXPECT_EQ(record.count(','), 5) << record.toStdString();
  }
}

TEST_F(IdentificationTest, TriAxisSettingsAreAcknowledgedAsTheSetupScreenWaitsForThem) {
  Open("t7-50", 38400);
  channel.EnterConfigMode();
  ASSERT_EQ(state.Family, AnemFamily::kTriAxis);
  TApdDataPacket& ack = matchers.TriVerifyPkt;
  const auto send = [&](std::string_view command, const char* start, int size) {
    ack.SetStartString(start);
    ack.SetPacketSize(size);
    ack.Received = 0;
    ack.SetStringHandler([](TApdDataPacket& sender, const QByteArray&) { sender.Received = 1; });
    ack.SetEnabled(true);
    channel.Command(command);
    WaitFor(ack, 2000);
    ack.SetEnabled(false);  // a new start string only holds from the next arming
    return ack.Received == 1;
  };
  EXPECT_TRUE(send("SOSREP SPEED", "V", 2));
  EXPECT_TRUE(send("AVERAGE 25", "VA", 3));
  EXPECT_TRUE(send("INST ON", "V", 2));
  EXPECT_FALSE(send("AVERAGE 0", "VA", 3));

  ASSERT_TRUE(send("BAUD 115200", "Co", 3));
  port.FlushInBuffer();
  port.FlushOutBuffer();
  port.SetBaud(115200);
  ack.SetStartString("V");
  ack.SetPacketSize(2);
  ack.Received = 0;
  ack.SetEnabled(true);
  channel.Command("B");
  channel.Delay(500);
  EXPECT_EQ(ack.Received, 1);
  ack.SetEnabled(false);
  const QByteArray listing = Collect("CONFIG");
  EXPECT_TRUE(listing.contains("\r\nBAUD 115200\r\n"));
  EXPECT_TRUE(listing.contains("\r\nAVERAGE 25\r\n"));
  EXPECT_TRUE(listing.contains("\r\nINST ON\r\n"));
}

TEST_F(IdentificationTest, PolledOutputIsSwitchedToContinuousAndBackAsTheLiveWindowsDo) {
  Open("mz", 19200);
  channel.EnterConfigMode();
  ASSERT_EQ(state.Family, AnemFamily::kTriAxis);
  channel.Command("MSGMODE POLL");
  channel.Delay(500);
  channel.LeaveConfigMode();

  // Opening a live window: into configuration mode, the listing, continuous output, out.
  channel.Command("IM");
  channel.Delay(100);
  EXPECT_TRUE(Collect("CONFIG").contains("\r\nMSGMODE POLL\r\n"));
  port.PutString("MSGMODE CONT");
  channel.SendReturn();
  channel.Delay(100);
  channel.LeaveConfigMode();
  EXPECT_EQ(NextRecord(matchers.TriAxisAsciiPkt).count(','), 5);

  // Closing the last one: "MSGMODE POLL" typed bare, then its line end.
  matchers.TriAxisAsciiPkt.SetEnabled(false);
  channel.Command("IM");
  channel.Delay(500);
  port.PutString("MSGMODE POLL");
  channel.SendReturn();
  channel.Delay(100);
  channel.LeaveConfigMode();
  matchers.TriAxisAsciiPkt.Received = 0;
  matchers.TriAxisAsciiPkt.SetEnabled(true);
  channel.Delay(3000);
  EXPECT_EQ(matchers.TriAxisAsciiPkt.Received, 0) << "no more records";
}

}  // namespace
}  // namespace ventari::sim
