// ventari-cli diag: what it refuses before opening any port, and against ventari-sim's Kestrix II
// on a pseudo-terminal, that an interrupted run still switches the debug output off.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>

#include "cli/command_line.h"
#include "support/cli_run.h"

namespace ventari {
namespace {

TEST(DiagCommand, OptionsThatCannotRunEndWithTheUsageStatusBeforeAnyPortIsOpened) {
  const QStringList cases[] = {
      {"diag", "--port", "sim:kestrix2"},
      {"diag", "--port", "sim:kestrix2", "--test", "Status"},
      {"diag", "--port", "sim:kestrix2", "--test", "gain", "--extended"},
      {"diag", "--port", "sim:kestrix2", "--test", "preload", "--out", "x.log"},
      {"diag", "--port", "sim:kestrix2", "--test", "preload", "--seconds", "0"},
      {"diag", "--test", "status"},
      {"diag", "extra", "--port", "sim:kestrix2", "--test", "status"},
  };
  for (const QStringList& arguments : cases) {
    EXPECT_EQ(RunCommandLine(QStringList{"ventari-cli"} + arguments), 2)
        << arguments.join(' ').toStdString();
  }
}

#if defined(VENTARI_CLI_EXECUTABLE) && defined(VENTARI_SIM_EXECUTABLE)

TEST(DiagCommand, AnInterruptedRunSwitchesTheDebugOutputOffAndPrintsItsStatistics) {
  QTemporaryDir dir;
  QProcess simulator;
  const QString path = test::StartTracedSimulator(simulator, QStringLiteral(VENTARI_SIM_EXECUTABLE),
                                                  {"--model", "kestrix2"});
  ASSERT_TRUE(path.startsWith("/dev/"));

  QProcess cli;
  cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE),
            {"diag", "--port", path, "--baud", "9600", "--test", "downcounts", "--extended",
             "--json", "--settings", dir.filePath("settings.ini")});
  ASSERT_TRUE(cli.waitForStarted(5000));
  const auto ended = qScopeGuard([&] {
    for (QProcess* process : {&cli, &simulator}) {
      process->kill();
      process->waitForFinished(2000);
    }
  });
  QStringList lines;
  for (int i = 0; i < 600 && lines.size() < 3 && cli.state() == QProcess::Running; ++i) {
    cli.waitForReadyRead(100);
    while (cli.canReadLine()) lines << QString::fromUtf8(cli.readLine()).trimmed();
  }
  ASSERT_EQ(lines.size(), 3) << cli.readAllStandardError().toStdString();
  ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  lines += QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);

  EXPECT_EQ(QJsonDocument::fromJson(lines[0].toUtf8()).object()["test"].toString(), "downcounts");
  const QJsonObject statistics = QJsonDocument::fromJson(lines.last().toUtf8()).object();
  EXPECT_GE(statistics["samples"].toInt(), 3) << lines.last().toStdString();
  EXPECT_EQ(statistics["badLines"].toInt(), 0);

  simulator.waitForReadyRead(500);
  const QByteArray heard = simulator.readAllStandardOutput();
  EXPECT_TRUE(heard.contains("MAVROTIK\r\nW 64 9\r\nW 65 0\r\nW 66 8\r\n"));
  EXPECT_TRUE(
      heard.contains("MAVROTIK\r\nW 64 255\r\nW 65 1\r\nW 66 0\r\nW 67 0\r\nW 68 0\r\nW 74 0\r\n"));
}

TEST(DiagCommand, ADiagnosticThatWasNotSwitchedOnIsNotDone) {
  QTemporaryDir dir;
  QProcess simulator;
  const QString path = test::StartTracedSimulator(simulator, QStringLiteral(VENTARI_SIM_EXECUTABLE),
                                                  {"--model", "kestrix2"});
  ASSERT_TRUE(path.startsWith("/dev/"));

  QProcess cli;
  cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE),
            {"diag", "--port", path, "--baud", "9600", "--test", "status", "--seconds", "2",
             "--settings", dir.filePath("settings.ini")});
  ASSERT_TRUE(cli.waitForStarted(5000));
  const auto ended = qScopeGuard([&] {
    ::kill(static_cast<pid_t>(simulator.processId()), SIGCONT);
    for (QProcess* process : {&cli, &simulator}) {
      process->kill();
      process->waitForFinished(2000);
    }
  });
  // The identification ends by leaving configuration mode after D3: from then on the simulated
  // anemometer is held, so the diagnostic's "*" goes unanswered.
  QByteArray heard;
  for (int i = 0; i < 300 && cli.state() == QProcess::Running; ++i) {
    simulator.waitForReadyRead(100);
    heard += simulator.readAllStandardOutput();
    const auto d3 = heard.lastIndexOf("D3\r");
    if (d3 >= 0 && heard.indexOf("Q\r", d3) >= 0) break;
  }
  ASSERT_TRUE(heard.contains("D3\r")) << heard.toStdString();
  ::kill(static_cast<pid_t>(simulator.processId()), SIGSTOP);
  QByteArray said;
  for (int i = 0; i < 300 && !said.contains("not switched on"); ++i) {
    cli.waitForReadyRead(100);
    said += cli.readAllStandardError();
  }
  // Answering again, it would let the debug output be switched off as if the run had been done.
  ::kill(static_cast<pid_t>(simulator.processId()), SIGCONT);
  ASSERT_TRUE(cli.state() == QProcess::NotRunning || cli.waitForFinished(30000));
  said += cli.readAllStandardError();
  EXPECT_TRUE(said.contains("its diagnostic was not switched on")) << said.toStdString();
  EXPECT_EQ(cli.exitCode(), 1);
}

#endif

}  // namespace
}  // namespace ventari
