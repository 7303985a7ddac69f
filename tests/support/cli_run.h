// Runs a command-line program to its end, for the tests that run ventari-cli as a user would.
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

}  // namespace ventari::test
