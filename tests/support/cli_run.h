// Runs a command-line program to its end, for the tests that run ventari-cli as a user would, and
// starts the simulator they run it against.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace ventari::test {

struct CliRun {
  int status = -1;  // -1: it crashed or was still running after its bound
  QString out;
  QString err;
};

// Runs `program` with `arguments` until it ends or `boundMs` passed (then it is killed).
inline CliRun RunCli(const QString& program, const QStringList& arguments, int boundMs) {
  QProcess cli;
  cli.start(program, arguments);
  if (!cli.waitForFinished(boundMs)) {
    cli.kill();
    cli.waitForFinished();
    return {};
  }
  return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
          QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

// Starts ventari-sim (`program`) with `arguments` and --trace, so that it copies every byte the
// device hears to its standard output, and returns the path of its pseudo-terminal (empty when it
// did not start).
inline QString StartTracedSimulator(QProcess& simulator, const QString& program,
                                    const QStringList& arguments) {
  simulator.start(program, arguments + QStringList{QStringLiteral("--trace")});
  if (!simulator.waitForStarted(5000)) return {};
  for (int i = 0; i < 50 && !simulator.canReadLine(); ++i) simulator.waitForReadyRead(100);
  return QString::fromLocal8Bit(simulator.readLine()).trimmed();
}

}  // namespace ventari::test
