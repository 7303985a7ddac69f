// ventari-cli as a user runs it: exit statuses and messages, and the ports it lists.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "sim/sim_serial_port.h"

#ifdef VENTARI_CLI_EXECUTABLE

namespace ventari {
namespace {

struct Finished {
  int status = -1;
  QString out;
  QString err;
};

Finished RunCli(const QStringList& arguments, int boundMs = 20000) {
  QProcess cli;
  cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE), arguments);
  if (!cli.waitForFinished(boundMs)) {
    cli.kill();
    cli.waitForFinished();
    return {};
  }
  return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
          QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
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

}  // namespace
}  // namespace ventari

#endif  // VENTARI_CLI_EXECUTABLE
