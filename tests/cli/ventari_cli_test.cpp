// ventari-cli as a user runs it: exit statuses and messages, the ports it lists, and what reaches
// a three-axis anemometer served by ventari-sim on a pseudo-terminal in real time.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "base/qt_runtime.h"
#include "base/timer.h"
#include "sim/sim_serial_port.h"
#include "support/cli_run.h"
#include "support/file_contents.h"
#include "support/golden_file.h"

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#endif

#ifdef VENTARI_CLI_EXECUTABLE

namespace ventari {
namespace {

using Finished = test::CliRun;

Finished RunCli(const QStringList& arguments, int boundMs = 20000) {
  return test::RunCli(QStringLiteral(VENTARI_CLI_EXECUTABLE), arguments, boundMs);
}

class VentariCliTest : public ::testing::Test {
 protected:
  QString Settings() const { return dir.filePath(QStringLiteral("settings.ini")); }

  QTemporaryDir dir;
};

TEST_F(VentariCliTest, ANumberOutOfRangeEndsTheRunWithAUsageMessageBeforeAnySearch) {
  const QStringList cases[] = {
      {"stream", "--port", "sim:kestrix2", "--seconds", "inf"},
      {"log", "--port", "sim:kestrix2", "--out", dir.filePath("wind.log"), "--seconds", "1e300"},
      {"identify", "--port", "sim:kestrix2", "--baud", "nan"},
  };
  for (const QStringList& arguments : cases) {
    const Finished run = RunCli(arguments + QStringList{"--settings", Settings()}, 2000);
    EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.startsWith("ventari-cli: --")) << run.err.toStdString();
  }
}

TEST_F(VentariCliTest, ALogThatCannotBeWrittenEndsWithItsOwnStatus) {
  const QString file = dir.filePath(QStringLiteral("missing/wind.log"));
  const Finished run = RunCli({"log", "--port", "sim:kestrix2", "--baud", "9600", "--out", file,
                               "--seconds", "3", "--settings", Settings()});
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(run.err.contains("Cannot write the log file")) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("ventari-cli: the log " + file + " is incomplete"))
      << run.err.toStdString();
}

TEST_F(VentariCliTest, ASegmentOfAnEarlierRunIsReplacedOnlyWithOverwrite) {
  const QString earlier = dir.filePath(QStringLiteral("wind_1_0.log"));
  {
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("earlier run\r\n");
  }
  const QStringList arguments{"log",
                              "--port",
                              "sim:kestrix2",
                              "--baud",
                              "9600",
                              "--out",
                              dir.filePath("wind"),
                              "--segment-minutes",
                              "1",
                              "--seconds",
                              "2",
                              "--settings",
                              Settings()};
  const Finished refused = RunCli(arguments, 5000);
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(refused.err.startsWith("ventari-cli: the segment file " + earlier + " "))
      << refused.err.toStdString();
  EXPECT_TRUE(refused.err.contains("--overwrite")) << refused.err.toStdString();
  EXPECT_EQ(test::FileContents(earlier), "earlier run\r\n");

  const Finished replaced = RunCli(arguments + QStringList{"--overwrite"});
  EXPECT_EQ(replaced.status, 0) << replaced.err.toStdString();
  EXPECT_TRUE(test::FileContents(earlier).contains("\r\nSerial no.: "));
  EXPECT_FALSE(QFile::exists(dir.filePath("wind.log")));
}

TEST_F(VentariCliTest, TheJsonOfIdentifyIsTheGoldenFile) {
  const Finished run = RunCli(
      {"identify", "--port", "sim:t7", "--baud", "19200", "--json", "--settings", Settings()});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(test::MatchesGolden(run.out.toUtf8(), QStringLiteral("cli/golden/identify_t7.json")));
}

TEST_F(VentariCliTest, TheSimulatedPortsAreListedOnlyWhenOneIsGivenOrAskedFor) {
  const QStringList simulated = sim::SimulatedPorts::Names();
  const auto listed = [](const Finished& run) {
    return run.out.split('\n', Qt::SkipEmptyParts).filter(QStringLiteral("sim:"));
  };
  const Finished plain = RunCli({"ports"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_TRUE(listed(plain).isEmpty()) << plain.out.toStdString();
  EXPECT_EQ(listed(RunCli({"ports", "--port", "/dev/ttyUSB7"})), QStringList());
  EXPECT_EQ(listed(RunCli({"ports", "--simulators"})), simulated);
  EXPECT_EQ(listed(RunCli({"ports", "--port", "sim:t7"})), simulated);
}

#ifdef Q_OS_LINUX

// A pseudo-terminal whose owner may not open it and whose group may: the port of a user not in
// the serial group. Root opens anything, so as root ventari-cli runs as nobody.
TEST_F(VentariCliTest, APortTheUserMayNotOpenIsMarkedAndItsOpeningSaysHowToBeAllowed) {
  const bool root = ::geteuid() == 0;
  const auto run = [root](const QStringList& arguments) {
    if (!root) return RunCli(arguments);
    return test::RunCli(QStringLiteral("setpriv"),
                        QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                    QStringLiteral(VENTARI_CLI_EXECUTABLE)} +
                            arguments,
                        20000);
  };
  if (root && run({"--help"}).status != 0) GTEST_SKIP() << "nobody may not run the build tree";
  QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther |
                                        QFile::WriteOther | QFile::ExeOther);
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const QString port = QString::fromLocal8Bit(::ptsname(master));
  ASSERT_TRUE(QFile::setPermissions(port, QFile::ReadGroup | QFile::WriteGroup));
  const QString group = QFileInfo(port).group();
  const Finished listed = run({"ports", "--port", port});
  EXPECT_EQ(listed.status, 0) << listed.err.toStdString();
  EXPECT_TRUE(listed.out.split('\n').contains(port + " (no permission)"))
      << listed.out.toStdString();
  const Finished opened = run({"identify", "--port", port, "--settings", Settings()});
  EXPECT_EQ(opened.status, 2);
  EXPECT_TRUE(opened.err.contains(port + ": no permission. The port belongs to the group " + group +
                                  ": run sudo usermod -aG " + group + " $USER"))
      << opened.err.toStdString();
  ::close(master);
}

#endif  // Q_OS_LINUX

#ifdef VENTARI_SIM_EXECUTABLE

// Starts ventari-sim for a T7 that reports on standard output every byte it hears, and returns
// the path of its pseudo-terminal.
QString StartTracedT7(QProcess& simulator) {
  return test::StartTracedSimulator(simulator, QStringLiteral(VENTARI_SIM_EXECUTABLE),
                                    {"--model", "t7"});
}

TEST_F(VentariCliTest, EveryRunEndsWithTheTriAxisAnemometerOutOfConfigurationMode) {
  struct Case {
    const char* name;
    QStringList arguments;
    int status;
    bool interruptInConfigMode;
  };
  // Stream and log start the records and stop them; an option for two-axis logs is refused
  // after identifying.
  const Case cases[] = {
      {"identify", {"identify"}, 0, false},
      {"stream", {"stream", "--seconds", "1", "--pc-avg", "0"}, 0, false},
      {"log", {"log", "--out", dir.filePath("wind.log"), "--seconds", "3"}, 0, false},
      {"log without timestamps",
       {"log", "--out", dir.filePath("none.log"), "--seconds", "1", "--no-timestamp"},
       2,
       false},
      {"identify interrupted", {"identify"}, 0, true},
  };
  struct Run {
    QProcess simulator;
    QProcess cli;
    QByteArray heard;
    bool interrupted = false;
  };
  // The runs go side by side: each search takes seconds of real time.
  std::vector<std::unique_ptr<Run>> runs;
  for (const Case& c : cases) {
    auto& run = *runs.emplace_back(std::make_unique<Run>());
    const QString path = StartTracedT7(run.simulator);
    ASSERT_TRUE(path.startsWith("/dev/")) << c.name;
    run.cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE),
                  c.arguments + QStringList{"--port", path, "--baud", "19200", "--settings",
                                            dir.filePath(QLatin1String(c.name) + ".ini")});
  }

  QtRuntime runtime;
  Timer look(runtime, 20, /*periodic=*/true);
  Timer bound(runtime, 60000);
  look.Start();
  bound.Start();
  const auto allEnded = [&] {
    bool ended = true;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      Run& run = *runs[i];
      run.heard += run.simulator.readAllStandardOutput();
      if (cases[i].interruptInConfigMode && !run.interrupted && run.heard.contains("IM\r")) {
        run.cli.terminate();
        run.interrupted = true;
      }
      ended = ended && run.cli.state() == QProcess::NotRunning;
    }
    return ended;
  };
  runtime.WaitUntil([&] { return bound.fired || allEnded(); });
  // What the port sent last may still be on its way through the simulator.
  Timer settle(runtime, 500);
  settle.Start();
  runtime.WaitUntil([&] {
    allEnded();
    return settle.fired;
  });

  for (std::size_t i = 0; i < runs.size(); ++i) {
    const Run& run = *runs[i];
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(run.cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.cli.exitCode(), cases[i].status);
    EXPECT_TRUE(run.heard.contains("CONFIG\r")) << run.heard.toStdString();
    EXPECT_TRUE(run.heard.endsWith("EXIT\r")) << run.heard.toStdString();
  }
  const QStringList logged = QString::fromLatin1(test::FileContents(dir.filePath("wind.log")))
                                 .split(QStringLiteral("\r\n"));
  ASSERT_GT(logged.size(), 8);
  EXPECT_TRUE(logged[2].startsWith("Serial no.: "));
  EXPECT_EQ(logged[6], "Sa Sb     Dir      Mag       W  ");
  EXPECT_FALSE(QFile::exists(dir.filePath("none.log")));
  for (auto& run : runs) {
    run->simulator.kill();
    run->simulator.waitForFinished(2000);
  }
}

TEST_F(VentariCliTest, SetChangesASettingOverAPseudoTerminalAndReadsItBack) {
  const struct {
    QString assignment;
    int status;
    bool sent;
  } cases[] = {
      {"ReportMode=uvw cal", 0, true},
      {"ReportMode=SIDEWAYS", 2, false},  // refused before anything is sent
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.assignment.toStdString());
    QProcess simulator;
    const QString path = StartTracedT7(simulator);
    ASSERT_TRUE(path.startsWith("/dev/"));
    const Finished run = RunCli(
        {"set", "--port", path, "--baud", "19200", "--settings", Settings(), c.assignment}, 60000);
    simulator.waitForReadyRead(500);
    const QByteArray heard = simulator.readAllStandardOutput();
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    EXPECT_EQ(heard.contains("WINDREP UVW CAL\r"), c.sent);
    if (c.status == 0) {
      EXPECT_TRUE(run.out.contains("\"ReportMode\": true")) << run.out.toStdString();
      EXPECT_TRUE(run.out.contains("\"ReportMode\": \"UVW CAL\"")) << run.out.toStdString();
    }
    simulator.kill();
    simulator.waitForFinished(2000);
  }
}

TEST_F(VentariCliTest, SetTellsOfATwoAxisAnemometerThatKeepsItsRateAndLeavesItOutOfConfigMode) {
  QProcess simulator;
  const QString path =
      test::StartTracedSimulator(simulator, QStringLiteral(VENTARI_SIM_EXECUTABLE),
                                 {"--model", "kestrix2", "--fault", "keep-rate=1"});
  ASSERT_TRUE(path.startsWith("/dev/"));
  const Finished run = RunCli(
      {"set", "--port", path, "--baud", "9600", "--settings", Settings(), "BaudRate=19200 baud"},
      90000);
  simulator.waitForReadyRead(500);
  const QByteArray heard = simulator.readAllStandardOutput();
  EXPECT_EQ(run.status, 3) << run.err.toStdString();
  EXPECT_EQ(run.err.count("did not confirm its new serial settings and keeps its previous ones"), 1)
      << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("neither")) << run.err.toStdString();
  EXPECT_TRUE(run.out.contains("\"BaudRate\": false")) << run.out.toStdString();
  // Read back after the change, and out of configuration mode at the end.
  const qsizetype change = heard.lastIndexOf("B4\r");
  ASSERT_GE(change, 0) << heard.toStdString();
  EXPECT_GT(heard.indexOf("D3\r", change), change) << heard.toStdString();
  EXPECT_TRUE(heard.endsWith("Q\r")) << heard.toStdString();
  simulator.kill();
  simulator.waitForFinished(2000);
}

#endif  // VENTARI_SIM_EXECUTABLE

}  // namespace
}  // namespace ventari

#endif  // VENTARI_CLI_EXECUTABLE
