// The anemometer's port vanishes (a USB adapter pulled) and returns, on virtual time against the
// simulated instruments: the user is told once, the logs keep every line in the same files, the
// anemometer is found again where it was, and runs that were under way end along their failure
// paths without hanging.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <map>
#include <vector>

#include "app/port_parameters.h"
#include "support/eeprom_parts.h"
#include "support/file_contents.h"
#include "support/sim_session.h"
#include "support/srecord_text.h"

namespace ventari {
namespace {

const QString kKestrix = QStringLiteral("sim:kestrix2");
const QString kT7 = QStringLiteral("sim:t7");

// The notices the main window showed, in order, each once when it appeared.
struct Notices {
  explicit Notices(MainWindowModel& window) : window_(window) {
    window.Changed().Subscribe([this] {
      const QString& now = window_.PortNotice();
      if (now != last_ && !now.isEmpty()) shown.push_back(now);
      last_ = now;
    });
  }
  std::vector<QString> shown;

 private:
  MainWindowModel& window_;
  QString last_;
};

// Pulls the instrument's adapter now and plugs it back `awayMs` later.
void Unplug(test::SimSession& s, const QString& port, std::int64_t awayMs) {
  sim::LineModel& line = s.InstrumentOn(port).Line();
  line.Vanish();
  s.rt.Schedule(awayMs, [&line] { line.Return(); });
}

int LinesStartingWith(const QByteArray& text, const QByteArray& start) {
  int count = 0;
  for (const QByteArray& line : text.split('\n')) count += line.startsWith(start) ? 1 : 0;
  return count;
}

TEST(PortLossScenario, AStreamingKestrixLosesItsPortForThirtySecondsAndIsFoundAgainAtItsRate) {
  sim::InstrumentOptions options;
  options.baud = 19200;  // the search finds it at its second rate
  test::SimSession s(options);
  Notices notices(s.session.window());
  s.StartAndSearch(kKestrix);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  SerialPort& port = s.session.link().port;
  ASSERT_EQ(port.Line().baud, 19200);

  std::vector<std::int64_t> sampleTimes;
  s.session.decoding().dataApplier.onSample = [&](const QByteArray&, const TwoAxisSample&) {
    sampleTimes.push_back(s.rt.NowMs());
  };
  QByteArray received;
  port.AddReceiveConsumer([&received](std::span<const std::uint8_t> bytes) {
    received.append(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
  });
  DataDisplay& display = s.session.displays().dataDisplay;
  display.SetTimestamped(false);
  const QString log = s.dir.filePath(QStringLiteral("wind.log"));
  display.StartLogging(log);
  TerminalModel& terminal = s.session.link().terminal;
  const QString capture = s.dir.filePath(QStringLiteral("raw.dat"));
  ASSERT_TRUE(terminal.StartLog(capture));

  s.rt.RunFor(60'000);
  const std::int64_t lostAt = s.rt.NowMs();
  const int logLinesBefore = LinesStartingWith(test::FileContents(log), "Q,");
  Unplug(s, kKestrix, 30'000);
  s.rt.RunFor(1);
  terminal.Type('*');  // dropped: the notice stays
  EXPECT_EQ(terminal.PortStatus(), QStringLiteral(" sim:kestrix2 lost - waiting for it to return"));
  // Every message received before the loss is on disk while the port is away.
  EXPECT_EQ(logLinesBefore, static_cast<int>(sampleTimes.size()));
  EXPECT_GE(logLinesBefore, 55);
  EXPECT_EQ(test::FileContents(capture), received);
  s.rt.RunFor(90'000);
  display.StopLogging();
  terminal.Close();

  EXPECT_TRUE(s.prompts.Messages().empty()) << s.prompts.Messages()[0].text.toStdString();
  const QString model = s.session.anemometer().state.ModelCaption.trimmed();
  EXPECT_EQ(notices.shown,
            (std::vector<QString>{"sim:kestrix2 lost - waiting for it to return",
                                  "sim:kestrix2 is back - looking for the anemometer",
                                  "sim:kestrix2 found again: " + model + " at 19200 baud"}));
  EXPECT_TRUE(s.session.window().PortNotice().isEmpty()) << "the notice of the return goes";
  EXPECT_EQ(terminal.PortStatus(), QStringLiteral(" sim:kestrix2 8 None 1 19200"));

  // The first configuration-mode entry after the return is tried at the rate it was found at.
  const std::int64_t backAt = lostAt + 30'000;
  const auto& writes = s.tap.Writes();
  const auto first = std::find_if(writes.begin(), writes.end(),
                                  [&](const auto& write) { return write.atMs >= backAt; });
  ASSERT_NE(first, writes.end());
  EXPECT_EQ(first->baud, 19200);
  EXPECT_LT(first->atMs, backAt + 2 * PortRecovery::kLookIntervalMs);

  // Messages flow again, and the log and the capture hold each one once, in the same files.
  const auto after = std::count_if(sampleTimes.begin(), sampleTimes.end(),
                                   [&](std::int64_t at) { return at > backAt; });
  EXPECT_GE(after, 40);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_EQ(LinesStartingWith(test::FileContents(log), "Q,"), static_cast<int>(sampleTimes.size()));
  // A consumer registered after the terminal can see a nested delivery first: compare what
  // arrived, not its order.
  const QByteArray captured = test::FileContents(capture);
  EXPECT_EQ(captured.size(), received.size());
  EXPECT_EQ(captured.count("\x02Q,"), received.count("\x02Q,"));
}

TEST(PortLossScenario, ATriAxisTabularLogGoesOnInTheSameFileOnceTheRecordsFlowAgain) {
  test::SimSession s;
  Notices notices(s.session.window());
  s.StartAndSearch(kT7);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  Commands& commands = s.session.commands();
  TabularDisplay& tabular = s.session.displays().tabular;
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kTabular));
  const QString log = s.dir.filePath(QStringLiteral("t7.log"));
  tabular.StartLogging(log);
  s.rt.RunFor(20'000);
  const QByteArray before = test::FileContents(log);

  Unplug(s, kT7, 20'000);
  s.rt.RunFor(60'000);
  ASSERT_TRUE(tabular.StopLogging());

  EXPECT_TRUE(s.prompts.Messages().empty());
  ASSERT_EQ(notices.shown.size(), 3u);
  EXPECT_TRUE(notices.shown[2].startsWith(QStringLiteral("sim:t7 found again: ")));
  const QByteArray after = test::FileContents(log);
  EXPECT_TRUE(after.startsWith(before)) << "nothing before the loss is rewritten";
  // The records started again while the table is shown reach the same log.
  EXPECT_GT(after.count('\n'), before.count('\n') + 20);
  EXPECT_NE(s.tap.SentSince(s.rt.NowMs() - 40'000).find("IM"), std::string::npos);
}

TEST(PortLossScenario, ALossInsideConfigurationModeEntryEndsItAtOnceWithoutAMessageBox) {
  test::SimSession s;
  Notices notices(s.session.window());
  s.StartAndSearch(kKestrix);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  CommandChannel& channel = s.session.link().channel;
  s.rt.Schedule(1500, [&s] { Unplug(s, kKestrix, 5'000); });
  const std::int64_t start = s.rt.NowMs();
  try {
    channel.EnterConfigMode();
    ADD_FAILURE() << "the entry went on over a vanished port";
  } catch (const PortError& e) {
    EXPECT_EQ(e.kind(), PortError::Kind::kLost);
    EXPECT_TRUE(e.AlreadyTold());
  }
  // The pause under way runs out, and the next command fails at once.
  EXPECT_LT(s.rt.NowMs() - start, 1'500 + 2'100);
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
  s.rt.RunFor(30'000);
  EXPECT_TRUE(s.prompts.Messages().empty());
  ASSERT_EQ(notices.shown.size(), 3u);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
}

TEST(PortLossScenario, AnEepromRunEndsFailedWithItsMessageAndThePortOnlyReopens) {
  test::EepromParts r;
  r.s.StartAndSearch(kKestrix);
  ASSERT_TRUE(r.s.session.commands().discovery.Found());
  Notices notices(r.s.session.window());
  r.s.session.service().testWindow.FormShow();
  r.test.sensor = SensorState::kKestrix2Unheated;
  r.test.eepromSize = kKestrixEepromSize;
  r.names.Kestrix2_Cal = QStringLiteral("K2");
  QDir().mkpath(r.folder.KestrixEeprom());
  QFile cal(r.folder.KestrixEeprom() + QStringLiteral("K2.cal"));
  ASSERT_TRUE(cal.open(QIODevice::WriteOnly));
  cal.write(test::SRecords(0, 511, [](int a) { return a % 200; }));
  cal.close();
  r.page.SensorTypeSet();
  r.page.Enter();
  r.page.SetChecked(EepromKind::kUser, false);
  r.page.SetChecked(EepromKind::kEng, false);
  r.s.rt.Schedule(4'000, [&r] { Unplug(r.s, kKestrix, 3'000); });

  r.page.Program();

  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_EQ(r.s.prompts.Messages()[0].text,
            QStringLiteral("Eeprom verification failure: sim:kestrix2 lost - waiting for it to "
                           "return"));
  EXPECT_EQ(r.test.eepromResult, 1);
  EXPECT_TRUE(r.page.ProgramEnabled());
  EXPECT_TRUE(r.moves.empty());
  const std::size_t sent = r.s.tap.Writes().size();
  r.s.rt.RunFor(10'000);
  EXPECT_TRUE(r.s.session.link().port.IsOpen());
  EXPECT_EQ(notices.shown, (std::vector<QString>{"sim:kestrix2 lost - waiting for it to return",
                                                 "sim:kestrix2 is back"}));
  EXPECT_EQ(r.s.tap.Writes().size(), sent) << "no search runs under the test window";
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST(PortLossScenario, ResynchroniseOrAnotherPortChosenEndsTheWaiting) {
  enum class Way { kResynchronise, kPortsDialog, kSetParameters };
  for (const Way way : {Way::kResynchronise, Way::kPortsDialog, Way::kSetParameters}) {
    SCOPED_TRACE(static_cast<int>(way));
    test::SimSession s;
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    Unplug(s, kKestrix, 3'600'000);
    s.rt.RunFor(5'000);
    ASSERT_TRUE(s.session.recovery().Waiting());
    SerialPort& port = s.session.link().port;
    PortParameters parameters(port, s.prompts, &sim::SimulatedPorts::Names,
                              s.session.link().terminal, s.session.link().portChosen, [] {});
    if (way == Way::kResynchronise) {
      // The port is still gone: the user is told why the search cannot start.
      EXPECT_THROW(s.session.commands().discovery.Resynchronise(), PortError);
    } else if (way == Way::kPortsDialog) {
      PortsDialog& ports = s.session.commands().portsDialog;
      ports.Show(sim::SimulatedPorts::Names());
      ports.LbPortsClick(static_cast<int>(sim::SimulatedPorts::Names().indexOf(kT7)));
      ports.BtnSetPortClick();
    } else {
      parameters.Fill();
      parameters.fields.port = kT7;
      parameters.Apply();
    }
    EXPECT_FALSE(s.session.recovery().Waiting());
    EXPECT_TRUE(s.session.window().PortNotice().isEmpty());
    const std::size_t sent = s.tap.Writes().size();
    s.rt.RunFor(10'000);
    EXPECT_EQ(s.tap.Writes().size(), sent) << "nothing looks for the old port any more";
    if (way != Way::kResynchronise) {
      EXPECT_TRUE(port.IsOpen()) << "the chosen port stays open";
      EXPECT_EQ(port.Name(), kT7);
    }
  }
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST(PortLossScenario, ASegmentThatEndsWhileThePortIsAwayClosesOnTime) {
  test::SimSession s;
  s.StartAndSearch(kKestrix);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  DataDisplay& display = s.session.displays().dataDisplay;
  display.SetTimestamped(false);
  display.CbSegClick(true);
  display.SetSegInterval(1);
  display.StartLogging(s.dir.filePath(QStringLiteral("wind.log")));
  s.rt.RunFor(45'000);
  Unplug(s, kKestrix, 40'000);
  s.rt.RunFor(20'000);
  // A minute after the start, with the port away: the first segment is closed whole and the
  // second one is open with its header.
  const QByteArray first = test::FileContents(s.dir.filePath(QStringLiteral("wind_1_0.log")));
  EXPECT_GE(LinesStartingWith(first, "Q,"), 40);
  const QString second = s.dir.filePath(QStringLiteral("wind_1_1.log"));
  ASSERT_TRUE(QFile::exists(second));
  EXPECT_EQ(LinesStartingWith(test::FileContents(second), "Q,"), 0);
  s.rt.RunFor(50'000);
  display.StopLogging();
  EXPECT_GT(LinesStartingWith(test::FileContents(second), "Q,"), 10)
      << "the data found again go on in the open segment";
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST(PortLossScenario, APortLostAgainDuringASearchIsRecoveredAndTheDataFlowAgain) {
  // Whose search the second loss cuts short: the recovery's own, or one the user started.
  for (const bool userSearch : {false, true}) {
    SCOPED_TRACE(userSearch ? "the user's search" : "the recovery's search");
    test::SimSession s;
    Notices notices(s.session.window());
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    const QString back = QStringLiteral("sim:kestrix2 is back - looking for the anemometer");
    bool again = false;
    if (userSearch) {
      s.rt.Schedule(200, [&s] { Unplug(s, kKestrix, 10'000); });
      EXPECT_THROW(s.session.commands().discovery.Resynchronise(), PortError);
    } else {
      s.session.window().Changed().Subscribe([&] {
        if (again || s.session.window().PortNotice() != back) return;
        again = true;
        s.rt.Schedule(200, [&s] { Unplug(s, kKestrix, 10'000); });
      });
      Unplug(s, kKestrix, 10'000);
    }
    std::vector<std::int64_t> sampleTimes;
    s.session.decoding().dataApplier.onSample = [&](const QByteArray&, const TwoAxisSample&) {
      sampleTimes.push_back(s.rt.NowMs());
    };
    s.rt.RunFor(60'000);

    const QString lost = QStringLiteral("sim:kestrix2 lost - waiting for it to return");
    const QString found =
        "sim:kestrix2 found again: " + s.session.anemometer().state.ModelCaption.trimmed() +
        " at 9600 baud";
    const std::vector<QString> twice{lost, back, lost, back, found};
    const std::vector<QString> once{lost, back, found};
    EXPECT_EQ(notices.shown, userSearch ? once : twice);
    EXPECT_TRUE(s.session.commands().discovery.Found());
    EXPECT_FALSE(s.session.recovery().Waiting());
    EXPECT_GE(std::count_if(sampleTimes.begin(), sampleTimes.end(),
                            [&](std::int64_t at) { return at > s.rt.NowMs() - 20'000; }),
              15)
        << "the data flow again";
  }
}

TEST(PortLossScenario, APortBackBeforeItsAnemometerAnswersIsSearchedAgainUntilItDoes) {
  test::SimSession s;
  Notices notices(s.session.window());
  s.StartAndSearch(kKestrix);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  sim::Instrument& instrument = s.InstrumentOn(kKestrix);
  instrument.Device().StopAnswering();
  Unplug(s, kKestrix, 5'000);
  // Still powering up when the port returns; it answers a minute after the loss.
  s.rt.Schedule(60'000, [&instrument] { instrument.Device().StartAnswering(); });
  s.rt.RunFor(55'000);
  EXPECT_TRUE(s.session.recovery().Waiting()) << "no answer yet: still waiting";
  EXPECT_FALSE(s.session.recovery().PortAway());
  s.rt.RunFor(40'000);

  const QString model = s.session.anemometer().state.ModelCaption.trimmed();
  EXPECT_EQ(notices.shown,
            (std::vector<QString>{"sim:kestrix2 lost - waiting for it to return",
                                  "sim:kestrix2 is back - looking for the anemometer",
                                  "sim:kestrix2 is back, but no anemometer answered",
                                  "sim:kestrix2 found again: " + model + " at 9600 baud"}));
  EXPECT_EQ(s.prompts.Messages().size(), 1u) << "the failed search is told once";
  EXPECT_FALSE(s.session.recovery().Waiting());
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

// The USB adapters the machine shows now, by port name, as the platform's look-ups report them.
struct Adapters {
  std::map<QString, QString> at;
  void InstallOn(PortRecovery& recovery) {
    recovery.adapterOf = [this](const QString& port) {
      const auto found = at.find(port);
      return found == at.end() ? QString() : found->second;
    };
    recovery.portOfAdapter = [this](const QString& adapter) {
      for (const auto& [port, id] : at) {
        if (id == adapter) return port;
      }
      return QString();
    };
  }
};

TEST(PortLossScenario, TheLostAdapterIsLookedForWhereverItIsAndNoStrangerUnderItsNameIsOpened) {
  const QString kHeated = QStringLiteral("sim:kestrix2-heated");
  const QString kOurs = QStringLiteral("0403:6001:AK01");
  struct Case {
    const char* name;
    QString before;     // the lost port's adapter ("": not known)
    QString underName;  // what answers to the lost name once it is back ("": not known)
    bool elsewhere;     // the lost adapter comes back as sim:kestrix2-heated
    QString reopened;   // the port the recovery opens
  };
  const Case cases[] = {
      {"a stranger took the name", kOurs, QStringLiteral("067b:2303:X9"), true, kHeated},
      {"a port of unknown identity took the name", kOurs, QString(), true, kHeated},
      {"our adapter back under its name", kOurs, kOurs, false, kKestrix},
      {"the adapter was never known", QString(), QStringLiteral("067b:2303:X9"), false, kKestrix},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::SimSession s;
    Adapters adapters;
    adapters.InstallOn(s.session.recovery());
    if (!c.before.isEmpty()) adapters.at[kKestrix] = c.before;
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    SerialPort& port = s.session.link().port;
    Notices notices(s.session.window());
    std::vector<QString> opened;
    port.AddStateConsumer([&](bool open) {
      if (open) opened.push_back(port.Name());
    });
    Unplug(s, kKestrix, 3'000);
    adapters.at.clear();
    s.rt.Schedule(3'000, [&] {
      if (!c.underName.isEmpty()) adapters.at[kKestrix] = c.underName;
    });
    s.rt.Schedule(8'000, [&] {
      if (c.elsewhere) adapters.at[kHeated] = c.before;
    });
    s.rt.RunFor(30'000);

    EXPECT_EQ(opened, std::vector<QString>{c.reopened});
    EXPECT_TRUE(s.session.commands().discovery.Found());
    EXPECT_FALSE(s.session.recovery().Waiting());
    EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
    ASSERT_FALSE(notices.shown.empty());
    EXPECT_TRUE(notices.shown.back().startsWith(
        c.reopened == kKestrix ? kKestrix + " found again"
                               : c.reopened + " (was " + kKestrix + ") found again"))
        << notices.shown.back().toStdString();
  }
}

}  // namespace
}  // namespace ventari
