// The Statistics window's table follows its model: rows are appended as periods close, a new
// period length starts it afresh, and Copy puts the same CSV on the clipboard as Save writes.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>

#include "stats/live_statistics.h"
#include "stats/statistics_text.h"
#include "support/screenshot.h"
#include "support/scripted_prompts.h"
#include "ui/frm_statistics.h"

namespace ventari {
namespace {

// 2025-12-09T19:00:00Z.
constexpr std::int64_t kStartUs = 1'765'306'800'000'000;

void Blow(LiveStatistics& statistics, int minutes) {
  for (int s = 0; s < minutes * 60; ++s) {
    statistics.Add({kStartUs + s * 1'000'000LL, 1.0 + s % 12, (s * 7) % 360, 0.1});
  }
}

TEST(StatisticsWindow, TheTableGrowsWithThePeriodsAndCopyGivesTheirCsv) {
  LiveStatistics statistics({1, 0.9});
  test::ScriptedPrompts prompts;
  TFrmStatistics window(statistics, prompts);
  window.show();
  QAbstractItemModel& table = *window.Table()->model();

  Blow(statistics, 3);
  window.Sync();
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.data(table.index(1, 0)).toString(), PeriodEndText(statistics.Rows()[1].endUs));
  statistics.Finish();
  window.Sync();
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(table.headerData(0, Qt::Horizontal).toString(),
            StatisticsCsvHeader().section(QLatin1Char(','), 0, 0));
  test::Keep(window, QStringLiteral("statistics"));

  window.Copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), statistics.CsvText());

  statistics.SetPeriodMinutes(2);
  window.Sync();
  EXPECT_EQ(table.rowCount(), 0);
}

}  // namespace
}  // namespace ventari
