// A two-axis anemometer's data flowing into the live windows, end to end on virtual time.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <vector>

#include "sim/sim_device.h"
#include "support/file_contents.h"
#include "support/golden_file.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const QString kPort = QStringLiteral("sim:kestrix2");

sim::WindSample Wind(double direction, double speed) {
  sim::WindSample s;
  s.direction = direction;
  s.speed = speed;
  return s;
}

class LiveDataScenario : public ::testing::Test {
 protected:
  void Start(std::vector<sim::WindSample> wind, sim::Faults faults = {}) {
    s.Start(kPort);
    auto& device = s.InstrumentOn(kPort).Device();
    device.Wind().SetSequence(std::move(wind));
    device.SetFaults(faults);
    s.session.commands().discovery.OnActivate();
    ASSERT_TRUE(s.session.commands().discovery.Found());
    s.session.decoding().dataApplier.onSample = [this](const QByteArray&,
                                                       const TwoAxisSample& sample) {
      samples.push_back(sample);
      alarmAfter.push_back(s.session.displays().alarm.AlarmFlag());
    };
  }

  SimSession s;
  std::vector<TwoAxisSample> samples;
  std::vector<bool> alarmAfter;
};

TEST_F(LiveDataScenario, PolarDataReachTheWindsockGraphAndAlarmThatRisesAndClearsPerRecord) {
  Start({Wind(350, 2), Wind(10, 12), Wind(20, 3), Wind(355, 15)});
  ASSERT_TRUE(s.Menu(MenuId::kPolarcontinuous).checked);
  EXPECT_TRUE(s.Menu(MenuId::kWindsock1).visible);
  EXPECT_TRUE(s.Menu(MenuId::kAlarm).visible);
  AlarmWindowModel& alarm = s.session.displays().alarm;
  alarm.Show();
  alarm.CbWindspeedClick(true);
  alarm.CbVisualClick(true);
  alarm.EdMagThreshChange("10");
  alarm.BtnSetClick();
  ASSERT_FALSE(alarm.ThresholdsInvalid());

  s.rt.RunFor(8500);
  ASSERT_GE(samples.size(), 8u);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    ASSERT_TRUE(samples[i].readable);
    EXPECT_FALSE(samples[i].uv);
    EXPECT_TRUE(samples[i].fedWindsock);
    EXPECT_TRUE(samples[i].plotted);
    // Above 10 m/s the alarm is up for exactly that record.
    EXPECT_EQ(alarmAfter[i], samples[i].second > 10) << i;
  }
  // The sequence goes round through north, in order.
  const std::vector<int> cycle = {350, 10, 20, 355};
  auto at = std::find(cycle.begin(), cycle.end(), samples[0].direction);
  ASSERT_NE(at, cycle.end());
  for (const auto& sample : samples) {
    EXPECT_EQ(sample.direction, *at);
    if (++at == cycle.end()) at = cycle.begin();
  }
  EXPECT_EQ(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(),
            static_cast<int>(samples.size()));
}

TEST_F(LiveDataScenario, UvDataAfterTheUvCommandPlotButLeaveTheWindsockAlone) {
  Start({Wind(90, 5)});
  s.session.commands().modes.UvCommand();
  EXPECT_TRUE(s.Menu(MenuId::kUVcontinuous).checked);
  EXPECT_FALSE(s.Menu(MenuId::kWindsock1).visible);
  samples.clear();
  s.rt.RunFor(5000);
  ASSERT_GE(samples.size(), 3u);
  for (const auto& sample : samples) {
    EXPECT_TRUE(sample.uv);
    EXPECT_TRUE(sample.readable);
    EXPECT_FALSE(sample.fedWindsock);
    EXPECT_TRUE(sample.plotted);
  }
  // Wind from the east blows west: U is negative.
  EXPECT_LT(samples.back().first, 0);
}

TEST_F(LiveDataScenario, APausedGraphAlsoStopsTheWindsockWhileTheDataDisplayGoesOn) {
  Start({Wind(180, 4)});
  s.rt.RunFor(3000);
  s.session.displays().graph.PauseClick();
  const int fed = s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount();
  const auto shown = s.session.displays().dataDisplay.LinesShown();
  s.rt.RunFor(3000);
  EXPECT_EQ(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(), fed);
  EXPECT_GT(s.session.displays().dataDisplay.LinesShown(), shown);
  EXPECT_FALSE(samples.back().plotted);
}

TEST_F(LiveDataScenario, NoiseAndTruncatedMessagesNeitherStopTheStreamNorReachTheWindsock) {
  sim::Faults faults;
  faults.noise = 0.3;
  faults.truncate = 0.2;
  Start({Wind(45, 6)}, faults);
  s.rt.RunFor(60'000);
  int readable = 0;
  for (const auto& sample : samples) readable += sample.readable ? 1 : 0;
  EXPECT_GT(readable, 20);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_EQ(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(), readable);
}

TEST_F(LiveDataScenario, AMessageStalledForMinutesIsDroppedAndTheMessagesAfterItFlow) {
  Start({Wind(45, 6)});
  sim::Faults stall;
  stall.stallAfterMs = s.rt.NowMs() + 3000;
  stall.resumeAfterMs = 130'000;
  s.InstrumentOn(kPort).Device().SetFaults(stall);
  s.rt.RunFor(134'000);
  samples.clear();
  s.rt.RunFor(5000);
  EXPECT_GE(samples.size(), 4u);
  EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](auto& m) { return m.readable; }));
  EXPECT_EQ(s.session.decoding().recordCounts.incomplete, 1u);
}

TEST_F(LiveDataScenario, DataStoppedWhileTheGraphIsShownAreSaidAfterFiveSecondsUntilTheNextOne) {
  Start({Wind(45, 6)});
  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kGraph));
  sim::Faults stall;
  stall.stallAfterMs = s.rt.NowMs() + 3000;
  stall.resumeAfterMs = 20'000;
  s.InstrumentOn(kPort).Device().SetFaults(stall);
  const MainWindowModel& window = s.session.window();
  const RecordCounts& counts = s.session.decoding().recordCounts;
  const QString model = s.session.anemometer().state.ModelCaption.trimmed();
  std::uint64_t whole = counts.whole;
  std::int64_t lastRecordMs = s.rt.NowMs();
  std::int64_t saidMs = -1;
  while (saidMs < 0 && s.rt.NowMs() < 15'000 + lastRecordMs) {
    s.rt.RunFor(50);
    if (counts.whole != whole) lastRecordMs = s.rt.NowMs();
    whole = counts.whole;
    if (!window.DataNotice().isEmpty()) saidMs = s.rt.NowMs();
  }
  ASSERT_GT(saidMs, 0);
  // Both times are seen at the end of a 50 ms step.
  EXPECT_NEAR(static_cast<double>(saidMs - lastRecordMs), DataWatch::kShortestPauseMs, 50.0);
  EXPECT_EQ(window.DataNotice(), "No data from " + model + " for 5 s");
  s.rt.RunFor(3000);
  EXPECT_EQ(window.DataNotice(), "No data from " + model + " for 8 s");
  EXPECT_EQ(s.session.displays().graph.NoData().Text(), window.DataNotice());
  EXPECT_EQ(s.session.dataWatch().Pauses(), 1);

  while (counts.whole == whole && s.rt.NowMs() < lastRecordMs + 30'000) s.rt.RunFor(50);
  const std::int64_t pausedMs = s.rt.NowMs() - lastRecordMs;
  EXPECT_TRUE(window.DataNotice().isEmpty());
  EXPECT_TRUE(s.session.displays().graph.NoData().Text().isEmpty());
  EXPECT_EQ(s.session.dataWatch().Pauses(), 1);
  EXPECT_NEAR(static_cast<double>(s.session.dataWatch().PausedMs()), pausedMs, 50.0);
  EXPECT_GE(pausedMs, 19'000);
}

TEST_F(LiveDataScenario, AOneMinuteSegmentedLogStoppedAfterTwoAndAHalfMinutesGivesThreeFiles) {
  Start({Wind(200, 3)});
  DataDisplay& display = s.session.displays().dataDisplay;
  display.CbSegClick(true);
  display.SetSegInterval(1);
  const QString name = s.dir.filePath("wind.log");
  display.StartLogging(name);
  s.rt.RunFor(150'000);
  display.StopLogging();
  EXPECT_FALSE(QFile::exists(name));
  int records = 0;
  for (const char* file : {"wind_1_0.log", "wind_1_1.log", "wind_1_2.log"}) {
    QFile log(s.dir.filePath(file));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << file;
    const QList<QByteArray> lines = log.readAll().split('\n');
    ASSERT_GT(lines.size(), 6) << file;
    EXPECT_EQ(lines[2].trimmed(),
              "Serial no.: " + s.session.anemometer().state.SerialNumber.toLatin1());
    EXPECT_EQ(lines[4].trimmed(), "Polar data");
    for (int i = 6; i < lines.size(); ++i) records += lines[i].startsWith("Q,200,") ? 1 : 0;
  }
  EXPECT_FALSE(QFile::exists(s.dir.filePath("wind_1_3.log")));
  // One message a second, every one of them in a file.
  EXPECT_GE(records, 148);
  EXPECT_LE(records, 150);
  EXPECT_TRUE(test::MatchesGolden(test::FileContents(s.dir.filePath("wind_1_0.log")),
                                  QStringLiteral("scenarios/golden/data_display.log")));
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST_F(LiveDataScenario, WhileTheFileErrorBoxIsOpenRecordsKeepReachingTheWindowsAndTheLog) {
  Start({Wind(200, 3)});
  const QString folder = s.dir.filePath("later");
  const QString name = folder + "/wind.log";
  DataDisplay& display = s.session.displays().dataDisplay;
  display.SetTimestamped(false);
  // The user reads the box for ten seconds, then makes the folder and closes the box.
  std::size_t whileOpen = 0;
  s.prompts.onMessage = [&](const auto& shown) {
    if (shown.caption != "File Error" || whileOpen != 0) return;
    const std::size_t before = samples.size();
    s.rt.RunFor(10'000);
    whileOpen = samples.size() - before;
    ASSERT_TRUE(QDir().mkdir(folder));
  };
  display.StartLogging(name);
  s.rt.RunFor(20'000);
  ASSERT_TRUE(display.StopLogging());
  EXPECT_GE(whileOpen, 9u);
  QFile log(name);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_EQ(log.readAll().count("Q,200,"), static_cast<qsizetype>(samples.size()));
}

}  // namespace
}  // namespace ventari
