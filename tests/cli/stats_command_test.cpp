// ventari-cli stats on logs the simulated anemometers' runs wrote: every record in a period's
// count, the speeds summed as the test reads them from the file itself, and the segment files
// read in the order of their numbers.
#include "cli/stats_command.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cmath>

#include "support/cli_run.h"
#include "support/file_contents.h"
#include "support/sim_session.h"

#ifdef VENTARI_CLI_EXECUTABLE

namespace ventari {
namespace {

test::CliRun RunCli(const QStringList& arguments) {
  return test::RunCli(QStringLiteral(VENTARI_CLI_EXECUTABLE), arguments, 30000);
}

// The records of a log as this test reads them: their count and the sum of their speeds.
struct Records {
  int count = 0;
  double speedSum = 0;
};

Records ReadRecords(const QByteArray& log) {
  Records records;
  const QList<QByteArray> lines = log.split('\n');
  const bool tabular = log.contains("Output rate: ");
  const bool polar = log.contains("Dir") || log.contains("Polar data");
  for (qsizetype i = 6; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith("Sa Sb")) continue;
    if (tabular) {
      const QList<QByteArray> fields = line.simplified().split(' ');
      if (fields.size() < 5) continue;
      records.speedSum +=
          polar ? fields[3].toDouble() : std::hypot(fields[2].toDouble(), fields[3].toDouble());
    } else {
      records.speedSum += polar ? line.mid(6, 6).toDouble()
                                : std::hypot(line.mid(2, 7).toDouble(), line.mid(10, 7).toDouble());
    }
    ++records.count;
  }
  return records;
}

TEST(StatsCommand, SummarisesTheLogsASimulatedRunWroteRecordForRecord) {
  const struct {
    const char* port;
    const char* times;
  } cases[] = {{"sim:t7", "derived"}, {"sim:kestrix2", "logged"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("run.log"));
    const test::CliRun logged =
        RunCli({"log", "--port", c.port, "--out", log, "--seconds", "4", "--settings",
                dir.filePath(QStringLiteral("settings.ini"))});
    ASSERT_EQ(logged.status, 0) << logged.err.toStdString();
    const Records records = ReadRecords(test::FileContents(log));
    ASSERT_GT(records.count, 2);

    const test::CliRun stats = RunCli({"stats", log, "--period", "1", "--json"});
    EXPECT_EQ(stats.status, 0) << stats.err.toStdString();
    EXPECT_TRUE(stats.err.contains(QStringLiteral("%1 records").arg(records.count)))
        << stats.err.toStdString();
    int count = 0;
    double speedSum = 0;
    for (const QString& line : stats.out.split('\n', Qt::SkipEmptyParts)) {
      const QJsonObject row = QJsonDocument::fromJson(line.toUtf8()).object();
      EXPECT_EQ(row.value("times").toString(), c.times);
      EXPECT_TRUE(row.value("end").toString().endsWith(":00Z")) << line.toStdString();
      count += row.value("n").toInt();
      speedSum += row.value("n").toInt() * row.value("speed").toDouble();
    }
    EXPECT_EQ(count, records.count);
    EXPECT_NEAR(speedSum, records.speedSum, 1e-6 * records.count);
  }
}

TEST(StatsCommand, ABinaryLogOfASimulatedRunIsTimedBackFromItsModificationTime) {
  test::SimSession s;
  s.StartAndSearch(QStringLiteral("sim:t7"));
  ASSERT_TRUE(s.session.commands().discovery.Found());
  s.Configure({"STRFMT BINARY", "WINDREP POLAR CAL"});
  Records records;
  s.session.decoding().triAxisData.onSample = [&records](const TriAxisSample& sample) {
    if (sample.kind != TriAxisSample::Kind::kRecord || sample.values.size() < 2) return;
    ++records.count;
    records.speedSum += sample.values[1].value_or(0);
  };
  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kTabular));
  TabularDisplay& tabular = s.session.displays().tabular;
  const QString name = s.dir.filePath(QStringLiteral("run"));
  s.prompts.files.push_back(name);
  tabular.BtnLoggingClick();
  s.rt.RunFor(20'000);
  tabular.BtnLoggingClick();
  ASSERT_GT(records.count, 10);
  const QString log = name + QStringLiteral(".bny");
  {
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 9), QTime(19, 10, 30), QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
  }

  const test::CliRun stats = RunCli({"stats", log, "--period", "1", "--json"});
  EXPECT_EQ(stats.status, 0) << stats.err.toStdString();
  EXPECT_TRUE(stats.err.contains(QStringLiteral("%1 records").arg(records.count)))
      << stats.err.toStdString();
  EXPECT_TRUE(stats.err.contains(QStringLiteral("times derived from the file's modification")))
      << stats.err.toStdString();
  int count = 0;
  double speedSum = 0;
  QString lastEnd;
  for (const QString& line : stats.out.split('\n', Qt::SkipEmptyParts)) {
    const QJsonObject row = QJsonDocument::fromJson(line.toUtf8()).object();
    EXPECT_EQ(row.value("times").toString(), "derived");
    count += row.value("n").toInt();
    speedSum += row.value("n").toInt() * row.value("speed").toDouble();
    lastEnd = row.value("end").toString();
  }
  EXPECT_EQ(count, records.count);
  EXPECT_NEAR(speedSum, records.speedSum, 1e-6 * records.count);
  EXPECT_EQ(lastEnd, "2026-12-09T19:11:00Z");
}

TEST(StatsCommand, APcAveragedLogIsRefusedAndOptionsOutOfRangeAreUsageErrors) {
  QTemporaryDir dir;
  const QString averaged = dir.filePath(QStringLiteral("avg.log"));
  QFile file(averaged);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("09/12/2026   19:00:09\r\n\r\nSerial no.: 1\r\n\r\nOutput rate: 1\r\n\r\nU,V,W\r\n");
  file.close();
  const test::CliRun refused = RunCli({"stats", averaged});
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.err.contains("PC-averaged")) << refused.err.toStdString();
  for (const char* option : {"--period=61", "--coverage=101", "--rose=2", "--utc-offset=x"}) {
    EXPECT_EQ(RunCli({"stats", averaged, option}).status, 2) << option;
  }
}

TEST(StatsCommand, SegmentFilesAreReadInTheOrderOfTheirNumbers) {
  EXPECT_EQ(InSegmentOrder({"a.log", "run_1_10.log", "b.log", "run_1_2.log", "run_1_0.log"}),
            QStringList({"a.log", "run_1_0.log", "run_1_2.log", "run_1_10.log", "b.log"}));
}

}  // namespace
}  // namespace ventari

#endif
