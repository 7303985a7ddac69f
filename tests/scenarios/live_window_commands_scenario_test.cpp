// Opening live windows for a three-axis anemometer: the one-window rule at high rates, the
// modes a window cannot show, switching the anemometer's continuous output on and off, and
// windows chosen again, closed mid-start or closed after the port was pulled.
#include <gtest/gtest.h>

#include <QSettings>
#include <algorithm>
#include <vector>

#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const QString kT7 = QStringLiteral("sim:t7");
const QString kMultiWindow =
    QStringLiteral("Anemometer baudrate must be below 38400 to display multiple windows");

sim::InstrumentOptions AtBaud(int baud) {
  sim::InstrumentOptions options;
  options.baud = baud;
  return options;
}

TEST(LiveWindowCommandsScenario, At57600TheGraphIsRefusedWhileTheTabularDisplayIsOpen) {
  SimSession s(AtBaud(57600));
  s.StoreSettings(kT7, 57600);
  s.StartAndSearch(kT7);
  ASSERT_EQ(s.session.anemometer().triAxisConfig.Baud, 5);
  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kTabular));
  const auto outcome = s.session.commands().liveCommands.Graph();
  EXPECT_FALSE(outcome.show);
  EXPECT_EQ(s.prompts.Count(kMultiWindow), 1);
  EXPECT_EQ(s.prompts.Messages().back().caption, "Information");
}

TEST(LiveWindowCommandsScenario, At38400TheTabularDisplayIgnoresAnOpenAlarm) {
  SimSession s(AtBaud(38400));
  s.StoreSettings(kT7, 38400);
  s.StartAndSearch(kT7);
  ASSERT_EQ(s.session.anemometer().triAxisConfig.Baud, 4);
  s.session.displays().alarm.Show();
  EXPECT_TRUE(s.session.commands().liveCommands.Tabular().show);
  EXPECT_FALSE(s.session.commands().liveCommands.Windsock().show);
  EXPECT_EQ(s.prompts.Count(kMultiWindow), 1);
}

TEST(LiveWindowCommandsScenario, AxisModeHasNoGraphAndNoAlarm) {
  SimSession s;
  s.StartAndSearch(kT7);
  s.Configure({"WINDREP AXIS"});
  ASSERT_TRUE(s.session.anemometer().triAxisConfig.ReportsAxis());
  EXPECT_FALSE(s.session.commands().liveCommands.Graph().show);
  EXPECT_EQ(s.prompts.Count("Graph not available in 'Axis' mode."), 1);
  EXPECT_FALSE(s.session.commands().liveCommands.Alarm().show);
  EXPECT_EQ(s.prompts.Count("Alarm not available in 'Axis' mode."), 1);
}

TEST(LiveWindowCommandsScenario, TheUvwAlarmNeedsPaddedOutput) {
  SimSession s;
  s.StartAndSearch(kT7);
  s.Configure({"WINDREP UVW CAL", "STRFMT ASCII UNPAD"});
  EXPECT_FALSE(s.session.commands().liveCommands.Alarm().show);
  EXPECT_EQ(
      s.prompts.Count("Anemometer must be set to 'padded output' when using alarm in UVW mode"), 1);
}

TEST(LiveWindowCommandsScenario, BinaryOutputSizesItsRecordsAndPolledOutputIsSwitchedOnAndOff) {
  SimSession s;
  s.StartAndSearch(kT7);
  s.Configure(
      {"STRFMT BINARY", "SOSREP SPEED", "ABSTEMP OFF", "ANAIP 1 E", "ANAIP 3 E", "MSGMODE POLL"});
  ASSERT_TRUE(s.session.anemometer().triAxisConfig.IsBinary());
  const auto outcome = s.session.commands().liveCommands.Windsock();
  ASSERT_TRUE(outcome.show && outcome.startContinuous);
  const auto writes = s.tap.Writes().size();
  s.session.commands().liveCommands.Open(LiveWindowKind::kWindsock);
  EXPECT_EQ(s.session.link().matchers.TriAxisBinaryPkt.PacketSize(), 17);
  EXPECT_TRUE(s.session.link().matchers.TriAxisBinaryPkt.Enabled());
  EXPECT_TRUE(s.session.commands().modes.ContinuousStarted());
  std::string sent;
  for (std::size_t i = writes; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
  EXPECT_NE(sent.find("CONFIG\r"), std::string::npos);
  EXPECT_NE(sent.find("MSGMODE CONT\r"), std::string::npos);
  EXPECT_EQ(sent.substr(sent.size() - 5), "EXIT\r");

  // The last live window closing puts the anemometer back to polled output.
  const auto before = s.tap.Writes().size();
  s.session.commands().liveCommands.Close(LiveWindowKind::kWindsock);
  sent.clear();
  for (std::size_t i = before; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
  EXPECT_EQ(sent, "IM\rMSGMODE POLL\rEXIT\r");
  EXPECT_FALSE(s.session.commands().modes.ContinuousStarted());
  EXPECT_FALSE(s.session.link().matchers.TriAxisAsciiPkt.Enabled());
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST(LiveWindowCommandsScenario, ClosingOneOfTwoWindowsKeepsTheDataTheLastStopsThem) {
  SimSession s;
  s.StartAndSearch(kT7);
  s.Configure({"MSGMODE POLL"});
  Commands& commands = s.session.commands();
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kGraph));
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kWindsock));

  const auto sentSince = [&s](std::size_t write) {
    std::string sent;
    for (std::size_t i = write; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
    return sent;
  };
  const auto graphClosed = s.tap.Writes().size();
  commands.liveCommands.Close(LiveWindowKind::kGraph);
  s.rt.RunFor(2000);
  EXPECT_EQ(sentSince(graphClosed), "");
  EXPECT_TRUE(s.session.commands().modes.ContinuousStarted());

  const auto lastClosed = s.tap.Writes().size();
  commands.liveCommands.Close(LiveWindowKind::kWindsock);
  EXPECT_EQ(sentSince(lastClosed), "IM\rMSGMODE POLL\rEXIT\r");
  EXPECT_FALSE(s.session.link().matchers.TriAxisAsciiPkt.Enabled());
  EXPECT_FALSE(s.session.commands().modes.ContinuousStarted());
}

TEST(LiveWindowCommandsScenario, AWindowOpenedAt2400BaudWhileRecordsStreamReadsTheWholeListing) {
  // An anemometer that takes its time: its prompt comes after the 100 ms the system waits.
  sim::InstrumentOptions slow = AtBaud(2400);
  slow.processingMs = 150;
  SimSession s(slow);
  s.StoreSettings(kT7, 2400);
  s.StartAndSearch(kT7);
  Commands& commands = s.session.commands();
  const QByteArray listing = s.session.anemometer().triAxisIdentity.configurationText;
  ASSERT_TRUE(listing.contains("WINDREP"));
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kGraph));
  std::vector<TriAxisSample::Kind> kinds;
  s.session.decoding().triAxisData.onSample = [&kinds](const TriAxisSample& sample) {
    kinds.push_back(sample.kind);
  };
  s.rt.RunFor(3000);  // records stream

  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kWindsock));
  EXPECT_EQ(s.session.anemometer().triAxisIdentity.configurationText, listing);
  EXPECT_FALSE(s.session.link().matchers.TriAxisPkt.Enabled());
  // No record is cut short by the prompt and read with the listing.
  s.rt.RunFor(5000);
  EXPECT_GE(kinds.size(), 6u);
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), TriAxisSample::Kind::kRecord),
            static_cast<std::ptrdiff_t>(kinds.size()));
}

TEST(LiveWindowCommandsScenario, TwoWindowsOpened200msApartAt2400BaudEachEndTheirWait) {
  SimSession s(AtBaud(2400));
  s.StoreSettings(kT7, 2400);
  s.StartAndSearch(kT7);
  ASSERT_EQ(s.session.anemometer().triAxisConfig.Baud, 0);
  Commands& commands = s.session.commands();
  // The user opens the windsock while the graph still waits for its CONFIG listing.
  bool windsockStarted = false;
  s.rt.Schedule(200, [&] {
    ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kWindsock));
    windsockStarted = true;
  });
  const auto start = s.rt.NowMs();
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kGraph));
  EXPECT_TRUE(windsockStarted);
  EXPECT_LT(s.rt.NowMs() - start, 20000);
  EXPECT_TRUE(s.session.link().matchers.TriAxisAsciiPkt.Enabled());

  // Closing the application, which closes the live windows, ends too.
  const auto closing = s.rt.NowMs();
  s.session.Close();
  EXPECT_LT(s.rt.NowMs() - closing, 10000);
}

TEST(LiveWindowCommandsScenario, ATableChosenAgainOnlyComesToTheFront) {
  SimSession s;
  s.StartAndSearch(kT7);
  LiveWindowCommands& live = s.session.commands().liveCommands;
  ASSERT_TRUE(live.Open(LiveWindowKind::kTabular));
  s.rt.RunFor(3000);
  const std::int64_t again = s.rt.NowMs();
  int shows = 0;
  EXPECT_TRUE(live.Open(LiveWindowKind::kTabular, [&shows] { ++shows; }));
  s.rt.RunFor(3000);
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(s.tap.SentSince(again), "") << "no IM, CONFIG or EXIT: a running log has no gap";
}

TEST(LiveWindowCommandsScenario, AWindowClosedWhileTheListingIsReadLeavesTheAnemometerPolled) {
  SimSession s;
  s.StartAndSearch(kT7);
  s.Configure({"MSGMODE POLL"});
  LiveWindowCommands& live = s.session.commands().liveCommands;
  s.rt.Schedule(300, [&live] { live.Close(LiveWindowKind::kGraph); });
  const std::int64_t opened = s.rt.NowMs();
  ASSERT_TRUE(live.Open(LiveWindowKind::kGraph));
  const std::string sent = s.tap.SentSince(opened);
  EXPECT_NE(sent.find("MSGMODE CONT\r"), std::string::npos);
  EXPECT_EQ(sent.substr(sent.size() - 21), "IM\rMSGMODE POLL\rEXIT\r");
  EXPECT_FALSE(s.session.commands().modes.ContinuousStarted());
  EXPECT_FALSE(s.session.link().matchers.TriAxisAsciiPkt.Enabled());
}

TEST(LiveWindowCommandsScenario, WindowsAndTheRunCloseAfterThePortWasPulledAndTheSettingsAreSaved) {
  SimSession s;
  s.StartAndSearch(kT7);
  s.Configure({"MSGMODE POLL"});
  const QString settings = s.dir.filePath("settings.ini");
  ASSERT_FALSE(QSettings(settings, QSettings::IniFormat).contains("Baudrate"));
  LiveWindowCommands& live = s.session.commands().liveCommands;
  for (auto kind : {LiveWindowKind::kGraph, LiveWindowKind::kWindsock, LiveWindowKind::kTabular,
                    LiveWindowKind::kAlarm}) {
    ASSERT_TRUE(live.Open(kind));
  }
  ASSERT_TRUE(s.session.commands().modes.ContinuousStarted());
  s.rt.RunFor(2000);
  s.InstrumentOn(kT7).Line().Vanish();
  s.rt.RunFor(1500);
  const std::int64_t lost = s.rt.NowMs();

  live.Close(LiveWindowKind::kGraph);
  live.Close(LiveWindowKind::kWindsock);
  s.session.displays().alarm.FormClose();
  EXPECT_NO_THROW(s.session.Close());  // closes the tabular display too
  EXPECT_EQ(s.tap.SentSince(lost), "");
  EXPECT_FALSE(live.AnyWindowShown());
  EXPECT_TRUE(s.prompts.Messages().empty());
  QSettings saved(settings, QSettings::IniFormat);
  EXPECT_EQ(saved.value("Baudrate").toInt(), s.session.link().port.Line().baud);
  EXPECT_EQ(saved.value("PortName").toString(), kT7);
}

}  // namespace
}  // namespace ventari
