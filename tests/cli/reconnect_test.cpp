// ventari-cli log across an adapter pulled and plugged back in: ventari-sim serves a Kestrix II
// under a symbolic link that it removes and makes again, in real time. The loss is told once on
// standard error, the anemometer is found again, and the log holds the data of both sides in one
// file, also when the port goes again as the anemometer is searched for; a port that stays away
// ends the run with its own status and the log whole. The summary at the end counts a stall and
// the loss.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "cli/exit_status.h"
#include "support/file_contents.h"

namespace ventari {
namespace {

#if defined(VENTARI_CLI_EXECUTABLE) && defined(VENTARI_SIM_EXECUTABLE)

struct LogRun {
  int exitCode;
  QString err;
  QByteArray log;
  // The log as it was `markAtMs` after the simulator started (empty without a mark).
  QByteArray logAtMark;
  QByteArray out;
};

// The simulated anemometer is pulled at each of `unplugAt` (seconds after it started) and
// plugged back in at each of `replugAt`.
LogRun LogAcrossUnplug(const QStringList& unplugAt, const QStringList& replugAt,
                       const QStringList& cliArguments, int markAtMs = -1,
                       const QStringList& faults = {}) {
  QTemporaryDir dir;
  const QString link = dir.filePath(QStringLiteral("anemometer"));
  QProcess simulator;
  QStringList simArguments{"--model", "kestrix2", "--rate", "4", "--link", link};
  for (const QString& at : unplugAt) simArguments << "--unplug-at" << at;
  for (const QString& at : replugAt) simArguments << "--replug-at" << at;
  for (const QString& fault : faults) simArguments << "--fault" << fault;
  simulator.start(QStringLiteral(VENTARI_SIM_EXECUTABLE), simArguments);
  EXPECT_TRUE(simulator.waitForReadyRead(10000));
  EXPECT_EQ(QString::fromUtf8(simulator.readLine()).trimmed(), link);
  QElapsedTimer sinceStart;
  sinceStart.start();

  const QString log = dir.filePath(QStringLiteral("wind.log"));
  QProcess cli;
  cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE),
            QStringList{"log", "--settings", dir.filePath("settings.ini"), "--port", link, "--baud",
                        "9600", "--no-timestamp", "--out", log} +
                cliArguments);
  QByteArray logAtMark;
  if (markAtMs >= 0) {
    cli.waitForFinished(static_cast<int>(std::max<qint64>(markAtMs - sinceStart.elapsed(), 0)));
    logAtMark = test::FileContents(log);
  }
  cli.waitForFinished(90000);
  simulator.terminate();
  simulator.waitForFinished(5000);
  return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardError()), test::FileContents(log),
          logAtMark, cli.readAllStandardOutput()};
}

int DataLines(const QByteArray& log) {
  int count = 0;
  for (const QByteArray& line : log.split('\n')) count += line.startsWith("Q,") ? 1 : 0;
  return count;
}

TEST(Reconnect, TheLogGoesOnInTheSameFileOnceTheAnemometerIsFoundAgain) {
  const LogRun run =
      LogAcrossUnplug({"14"}, {"16"}, {"--seconds", "34", "--reconnect-timeout", "10"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.err.count(QStringLiteral("lost - waiting for it to return")), 1)
      << run.err.toStdString();
  EXPECT_EQ(run.err.count(QStringLiteral("found again")), 1) << run.err.toStdString();
  // Four messages a second for the seconds on either side of the loss, the search excepted.
  EXPECT_GE(DataLines(run.log), 4 * 8) << run.log.toStdString();
  EXPECT_EQ(run.log.count("Serial no."), 1) << "one file, one header";
}

TEST(Reconnect, TheLogGoesOnThroughTwoLossesInARow) {
  // Pulled at 14 s (after the first search, as above) and plugged back at 15 s; pulled again as
  // it is searched for, and back at 18 s.
  const int secondReturnMs = 18'000;
  const LogRun run =
      LogAcrossUnplug({"14", "16.3"}, {"15", "18"},
                      {"--seconds", "22", "--reconnect-timeout", "10"}, secondReturnMs);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.err.count(QStringLiteral("lost - waiting for it to return")), 2)
      << run.err.toStdString();
  // The last thing told before the run's summary.
  const QStringList told = run.err.trimmed().split('\n');
  ASSERT_GE(told.size(), 2);
  EXPECT_TRUE(told.at(told.size() - 2).contains(QStringLiteral("found again")))
      << run.err.toStdString();
  EXPECT_TRUE(run.log.startsWith(run.logAtMark)) << "nothing logged before is rewritten";
  // Four messages a second for the seconds after the second return, the search excepted.
  EXPECT_GE(DataLines(run.log) - DataLines(run.logAtMark), 4 * 4) << run.log.toStdString();
  EXPECT_EQ(run.log.count("Serial no."), 1) << "one file, one header";
}

TEST(Reconnect, APortThatStaysAwayEndsTheRunWithItsOwnStatusAndTheLogWhole) {
  const LogRun run = LogAcrossUnplug({"14"}, {}, {"--seconds", "40", "--reconnect-timeout", "2"});
  EXPECT_EQ(run.exitCode, kExitPortGone) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("did not return within 2 s")))
      << run.err.toStdString();
  EXPECT_GE(DataLines(run.log), 4) << run.log.toStdString();
}

TEST(Reconnect, TheSummaryCountsAStallAndTheLossAndReturn) {
  const LogRun run =
      LogAcrossUnplug({"26"}, {"28"}, {"--seconds", "32", "--reconnect-timeout", "10", "--json"},
                      -1, {"stall=14000", "resume=7000"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_GE(run.err.count(QStringLiteral("No data from ")), 1) << run.err.toStdString();
  const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines.back().startsWith("Summary: ")) << run.err.toStdString();
  EXPECT_TRUE(lines.back().contains(", 1 port loss, 1 return")) << run.err.toStdString();

  const QJsonObject summary =
      QJsonDocument::fromJson(run.out.trimmed()).object().value("summary").toObject();
  ASSERT_FALSE(summary.isEmpty()) << run.out.toStdString();
  EXPECT_EQ(summary.value("records").toInt(), DataLines(run.log)) << run.out.toStdString();
  EXPECT_GE(summary.value("droppedIncomplete").toInt(), 1) << run.out.toStdString();
  EXPECT_EQ(summary.value("droppedBad").toInt(), 0);
  EXPECT_GE(summary.value("pauses").toInt(), 1);
  // The stall from 14 s to 21 s, less the record time before it.
  EXPECT_GE(summary.value("pauseSeconds").toDouble(), 6.0);
  EXPECT_EQ(summary.value("portLosses").toInt(), 1);
  EXPECT_EQ(summary.value("portReturns").toInt(), 1);
  EXPECT_TRUE(lines.back().startsWith(QStringLiteral("Summary: %1 records, %2 dropped incomplete, ")
                                          .arg(summary.value("records").toInt())
                                          .arg(summary.value("droppedIncomplete").toInt())))
      << run.err.toStdString();
}

#endif

}  // namespace
}  // namespace ventari
