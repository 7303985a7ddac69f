// ventari-cli stopped as the tools that run loggers stop it, against ventari-sim's T7 on a
// pseudo-terminal in real time: coreutils' timeout (SIGTERM to the command and to its process
// group at the same instant), a service manager (SIGTERM to the process only), and the user's
// Ctrl+C pressed again while the stop is under way.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>
#include <vector>

#include "base/qt_runtime.h"
#include "base/timer.h"
#include "cli/exit_status.h"
#include "link/qt_serial_port.h"
#include "link/serial_port.h"
#include "support/cli_run.h"
#include "support/file_contents.h"

#if defined(VENTARI_CLI_EXECUTABLE) && defined(VENTARI_SIM_EXECUTABLE)

namespace ventari {
namespace {

struct StoppedRun {
  QProcess simulator;
  QProcess stopped;  // ventari-cli, or the program that runs it
  QByteArray heard;  // what the T7 heard
  qsizetype heardAtStop = -1;
  QElapsedTimer sinceStop;
  qint64 endedAfterStopMs = -1;
  bool askedAgain = false;
  QString err;
};

// Starts a T7 with `simulatorArguments` and returns its port.
QString StartT7(StoppedRun& run, const QStringList& simulatorArguments) {
  return test::StartTracedSimulator(run.simulator, QStringLiteral(VENTARI_SIM_EXECUTABLE),
                                    QStringList{"--model", "t7"} + simulatorArguments);
}

// Switches the T7 on `path` to polled output, as a user types it on a terminal.
void PutInPolledOutput(const QString& path) {
  QtRuntime runtime;
  SerialPort port(runtime, [](const QString&) { return std::make_unique<QtSerialPort>(); });
  port.SetName(path);
  port.SetBaud(19200);
  port.SetOpen(true);
  const auto pause = [&runtime](int ms) {
    Timer paused(runtime, ms);
    paused.Start();
    runtime.WaitUntil([&paused] { return paused.fired; });
  };
  // The simulator notices its client first.
  pause(300);
  for (const char* command : {"IM\r", "MSGMODE POLL\r", "EXIT\r"}) {
    port.PutString(command);
    pause(300);
  }
  port.SetOpen(false);
}

// Starts `program` with `arguments` on the T7's `path`.
void StartOn(StoppedRun& run, const QString& path, const QString& program,
             const QStringList& arguments) {
  ASSERT_TRUE(path.startsWith("/dev/"));
  run.stopped.start(program, arguments + QStringList{"--port", path, "--baud", "19200"});
  ASSERT_TRUE(run.stopped.waitForStarted(5000));
}

void Signal(StoppedRun& run, int signal) {
  ::kill(static_cast<pid_t>(run.stopped.processId()), signal);
  if (run.heardAtStop >= 0) return;
  run.heardAtStop = run.heard.size();
  run.sinceStop.start();
}

// The runs go side by side, each search taking seconds of real time: `look` sees each run that
// goes on every 20 ms, until all have ended (60 s at most).
void RunAll(std::vector<std::unique_ptr<StoppedRun>>& runs,
            const std::function<void(std::size_t, StoppedRun&)>& look) {
  QtRuntime runtime;
  Timer each(runtime, 20, /*periodic=*/true);
  Timer bound(runtime, 60000);
  each.Start();
  bound.Start();
  runtime.WaitUntil([&] {
    bool ended = true;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      StoppedRun& run = *runs[i];
      run.heard += run.simulator.readAllStandardOutput();
      if (run.stopped.state() == QProcess::NotRunning) {
        if (run.endedAfterStopMs < 0 && run.sinceStop.isValid()) {
          run.endedAfterStopMs = run.sinceStop.elapsed();
        }
        continue;
      }
      look(i, run);
      ended = false;
    }
    return bound.fired || ended;
  });
  for (auto& run : runs) {
    run->stopped.kill();
    run->stopped.waitForFinished(2000);
    run->err = QString::fromUtf8(run->stopped.readAllStandardError());
    // What the port sent last may still be on its way through the simulator.
    run->simulator.waitForReadyRead(500);
    run->heard += run->simulator.readAllStandardOutput();
    run->simulator.kill();
    run->simulator.waitForFinished(2000);
  }
}

TEST(StopRequest, ALogStoppedByTimeoutOrAServiceManagerPutsTheT7BackAndEndsDone) {
  const QString timeout = QStandardPaths::findExecutable(QStringLiteral("timeout"));
  if (timeout.isEmpty()) GTEST_SKIP() << "no timeout here";
  QTemporaryDir dir;
  const QString cli = QStringLiteral(VENTARI_CLI_EXECUTABLE);
  const struct {
    const char* name;
    QString program;
    QStringList before;  // the program's words before ventari-cli's own
    int signal;          // sent to the program once the log holds records
    bool again;          // and sent again once the T7 hears the stop begin
  } cases[] = {
      // SIGALRM is what timeout's own time running out raises: it sends SIGTERM to ventari-cli,
      // then to the whole process group, and with --preserve-status ends with ventari-cli's
      // status.
      {"timeout", timeout, {"--preserve-status", "-s", "TERM", "3600", cli}, SIGALRM, false},
      {"service manager", cli, {}, SIGTERM, false},
      // As timeout's second SIGTERM when it comes apart from the first: the same request.
      {"service manager asking again", cli, {}, SIGTERM, true},
  };
  std::vector<std::unique_ptr<StoppedRun>> runs;
  QStringList logs;
  for (const auto& c : cases) {
    const QString name = QLatin1String(c.name);
    logs << dir.filePath(name + ".log");
    StoppedRun& run = *runs.emplace_back(std::make_unique<StoppedRun>());
    const QString path = StartT7(run, {});
    // Ventari switches it to continuous output for the log, and must switch it back.
    PutInPolledOutput(path);
    StartOn(run, path, c.program,
            c.before + QStringList{"log", "--out", logs.back(), "--settings",
                                   dir.filePath(name + ".ini")});
  }
  // The header's seven lines and three records.
  RunAll(runs, [&](std::size_t i, StoppedRun& run) {
    if (run.heardAtStop < 0 && test::FileContents(logs[i]).count("\r\n") >= 10) {
      Signal(run, cases[i].signal);
    } else if (run.heardAtStop >= 0 && cases[i].again && !run.askedAgain &&
               run.heard.indexOf("IM\r", run.heardAtStop) >= 0) {
      run.askedAgain = true;
      Signal(run, cases[i].signal);
    }
  });

  for (std::size_t i = 0; i < runs.size(); ++i) {
    const StoppedRun& run = *runs[i];
    SCOPED_TRACE(cases[i].name);
    ASSERT_GE(run.heardAtStop, 0) << run.err.toStdString();
    EXPECT_EQ(run.askedAgain, cases[i].again);
    EXPECT_EQ(run.stopped.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.stopped.exitCode(), kExitDone) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("ventari-cli: stopping in order")) << run.err.toStdString();
    const QByteArray afterStop = run.heard.mid(run.heardAtStop);
    EXPECT_TRUE(afterStop.contains("IM\r")) << afterStop.toStdString();
    EXPECT_TRUE(afterStop.contains("MSGMODE POLL\r")) << afterStop.toStdString();
    EXPECT_TRUE(afterStop.endsWith("EXIT\r")) << afterStop.toStdString();
    const QByteArray log = test::FileContents(logs[i]);
    EXPECT_GE(log.count("\r\n"), 10);
    EXPECT_TRUE(log.endsWith("\r\n"));
  }
}

TEST(StopRequest, OnlyCtrlCPressedAgainSomeSecondsAfterTheFirstCutsTheStopShort) {
  QTemporaryDir dir;
  // A T7 that never answers: each try of the search takes several seconds, and the first
  // interrupt ends the search after the try in hand.
  const struct {
    const char* name;
    int againAfterMs;
    int status;
  } cases[] = {
      {"again at once: the same request", 300, kExitNotDone},
      {"again after 3 s", 3300, kExitCutShort},
  };
  std::vector<std::unique_ptr<StoppedRun>> runs;
  for (const auto& c : cases) {
    StoppedRun& run = *runs.emplace_back(std::make_unique<StoppedRun>());
    StartOn(run, StartT7(run, {"--fault", "silent=0"}), QStringLiteral(VENTARI_CLI_EXECUTABLE),
            {"identify", "--settings", dir.filePath(QLatin1String(c.name) + ".ini")});
  }
  RunAll(runs, [&](std::size_t i, StoppedRun& run) {
    if (run.heardAtStop < 0) {
      // The search has begun its first try.
      if (run.heard.contains("*")) Signal(run, SIGINT);
      return;
    }
    if (!run.askedAgain && run.sinceStop.elapsed() >= cases[i].againAfterMs) {
      run.askedAgain = true;
      Signal(run, SIGINT);
    }
  });
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const StoppedRun& run = *runs[i];
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(run.stopped.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.stopped.exitCode(), cases[i].status) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("ventari-cli: stopping in order")) << run.err.toStdString();
    const bool cut = cases[i].status == kExitCutShort;
    EXPECT_EQ(run.err.contains("the stop was cut short and the port"), cut)
        << run.err.toStdString();
    // Cut short, it ends at once; in order, the try in hand ends first.
    ASSERT_TRUE(run.askedAgain);
    EXPECT_EQ(run.endedAfterStopMs < cases[i].againAfterMs + 1000, cut) << run.endedAfterStopMs;
  }
}

}  // namespace
}  // namespace ventari

#endif
