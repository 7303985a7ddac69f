// The Statistics window's model on virtual time against a simulated three-axis anemometer:
// opening the window starts the records, each period becomes a row equal to what the
// statistics module gives for the same records, and Save writes the rows as CSV.
#include <gtest/gtest.h>

#include <vector>

#include "app/live_wind_samples.h"
#include "stats/statistics_export.h"
#include "stats/statistics_text.h"
#include "support/file_contents.h"
#include "support/sim_session.h"
#include "triaxis/tri_axis_record_rate.h"

namespace ventari {
namespace {

using test::SimSession;

TEST(StatisticsWindowScenario, TwoPeriodsAreTwoRowsEqualToTheModulesAndSaveWritesThem) {
  SimSession s;
  s.StartAndSearch(QStringLiteral("sim:t7"));
  ASSERT_TRUE(s.session.commands().discovery.Found());
  LiveStatistics& statistics = s.session.displays().statistics;
  statistics.SetPeriodMinutes(1);

  // The same records, timed by the same clock, straight into the module.
  std::vector<PeriodRow> expected;
  WindStatistics module({1, StatisticsSettings::kDefaultCoverage},
                        [&expected](const PeriodRow& row) { expected.push_back(row); });
  const TriAxisConfig& config = s.session.anemometer().triAxisConfig;
  module.SetRecordsPerSecond(TriAxisRecordsPerSecond(config, s.session.anemometer().state.Model));
  s.session.decoding().triAxisData.onSample = [&](const TriAxisSample& sample) {
    const std::int64_t nowUs =
        SimSession::LogClockStart().addMSecs(s.rt.NowMs()).toMSecsSinceEpoch() * 1000;
    if (auto wind = WindSampleOf(sample, config, nowUs)) module.Add(*wind);
  };

  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kStatistics));
  EXPECT_TRUE(s.session.commands().liveCommands.IsShown(LiveWindowKind::kStatistics));
  int changes = 0;
  statistics.Changed().Subscribe([&changes] { ++changes; });
  const std::int64_t start = s.rt.NowMs();
  s.rt.WaitUntil([&] { return statistics.Rows().size() >= 2 || s.rt.NowMs() - start > 200'000; });

  ASSERT_EQ(statistics.Rows().size(), 2u);
  ASSERT_EQ(expected.size(), 2u);
  EXPECT_EQ(changes, 2);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const PeriodRow& row = statistics.Rows()[i];
    EXPECT_EQ(row.endUs, expected[i].endUs);
    EXPECT_GT(row.count, 0);
    EXPECT_EQ(row.count, expected[i].count);
    EXPECT_EQ(row.meanSpeed, expected[i].meanSpeed);
    EXPECT_EQ(row.direction, expected[i].direction);
    EXPECT_EQ(row.gust, expected[i].gust);
    EXPECT_EQ(row.wMean, expected[i].wMean);
  }
  // The second minute is whole.
  EXPECT_FALSE(statistics.Rows()[1].incomplete);

  const QString name = s.dir.filePath(QStringLiteral("periods.csv"));
  s.prompts.files.push_back(name);
  ASSERT_TRUE(SaveStatisticsCsv(statistics, s.prompts));
  const QString saved = QString::fromUtf8(test::FileContents(name));
  EXPECT_EQ(saved, statistics.CsvText());
  const QStringList lines = saved.trimmed().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], StatisticsCsvHeader());
  EXPECT_EQ(lines[2], StatisticsCsvLine(expected[1], RecordTimes::kReceived));

  s.session.commands().liveCommands.Close(LiveWindowKind::kStatistics);
  EXPECT_FALSE(s.session.commands().liveCommands.AnyWindowShown());
}

}  // namespace
}  // namespace ventari
