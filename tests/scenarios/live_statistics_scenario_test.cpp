// The live statistics of a two-axis run on virtual time equal those of the data display log
// written in the same run: the same records in the same periods, the same figures.
#include <gtest/gtest.h>

#include <vector>

#include "app/live_wind_samples.h"
#include "sim/sim_device.h"
#include "stats/live_statistics.h"
#include "stats/wind_log_reader.h"
#include "support/file_contents.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

sim::WindSample Wind(double direction, double speed) {
  sim::WindSample s;
  s.direction = direction;
  s.speed = speed;
  return s;
}

TEST(LiveStatisticsScenario, TheLiveRowsEqualThoseOfTheLogOfTheSameRun) {
  test::SimSession s;
  const QString port = QStringLiteral("sim:kestrix2");
  s.Start(port);
  s.InstrumentOn(port).Device().Wind().SetSequence(
      {Wind(350, 2), Wind(10, 12), Wind(20, 3), Wind(355, 15), Wind(90, 0)});
  s.session.commands().discovery.OnActivate();
  ASSERT_TRUE(s.session.commands().discovery.Found());

  LiveStatistics live({1, 0.9});
  live.SetRecordsPerSecond(s.session.anemometer().twoAxisConfig.SamplesPerSecond);
  std::vector<PeriodRow> told;
  live.SubscribePeriods([&told](const PeriodRow& row) { told.push_back(row); });
  s.session.decoding().dataApplier.onSample = [&](const QByteArray&, const TwoAxisSample& sample) {
    const std::int64_t nowUs =
        test::SimSession::LogClockStart().addMSecs(s.rt.NowMs()).toMSecsSinceEpoch() * 1000;
    if (auto wind = WindSampleOf(sample, s.session.anemometer().twoAxisConfig, nowUs)) {
      live.Add(*wind);
    }
  };
  DataDisplay& display = s.session.displays().dataDisplay;
  const QString name = s.dir.filePath(QStringLiteral("wind.log"));
  display.StartLogging(name);
  s.rt.RunFor(150'000);
  display.StopLogging();
  live.Finish();

  std::vector<PeriodRow> logged;
  WindStatistics fromLog({1, 0.9}, [&logged](const PeriodRow& row) { logged.push_back(row); });
  const QByteArray text = test::FileContents(name);
  const WindLogResult result =
      ReadWindLog(name, std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                  {}, [&fromLog](const WindSample& sample) { fromLog.Add(sample); });
  fromLog.Finish();
  ASSERT_TRUE(result.refusal.isEmpty());
  EXPECT_EQ(result.unreadable, 0);

  ASSERT_EQ(told.size(), logged.size());
  ASSERT_GE(told.size(), 3u);
  EXPECT_EQ(live.Rows().size(), told.size());
  for (std::size_t i = 0; i < told.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(told[i].endUs, logged[i].endUs);
    EXPECT_EQ(told[i].count, logged[i].count);
    EXPECT_EQ(told[i].directionCount, logged[i].directionCount);
    EXPECT_NEAR(*told[i].meanSpeed, *logged[i].meanSpeed, 1e-9);
    EXPECT_NEAR(*told[i].direction, *logged[i].direction, 1e-9);
    EXPECT_NEAR(*told[i].directionDeviation, *logged[i].directionDeviation, 1e-9);
    EXPECT_NEAR(*told[i].resultantSpeed, *logged[i].resultantSpeed, 1e-9);
    EXPECT_EQ(*told[i].maxSpeed, *logged[i].maxSpeed);
  }
  // The middle minute is whole: one message a second.
  EXPECT_FALSE(told[1].incomplete);
  EXPECT_TRUE(live.CsvText().startsWith(QStringLiteral("end,minutes,n,")));
}

}  // namespace
}  // namespace ventari
