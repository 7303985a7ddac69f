// One headless run: the session on the Qt event loop with messages on standard error, the port
// given on the command line, and the search as the main window's first activation runs it.
// However the run ends, the anemometer is out of configuration mode and every byte written has
// left the port before the port closes.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "app/session.h"
#include "base/qt_runtime.h"
#include "base/timer.h"
#include "cli/cli_options.h"
#include "cli/exit_status.h"
#include "cli/stderr_prompts.h"

namespace ventari {

// Prints "ventari-cli: message" on standard error.
void CliSay(const QString& message);
// Says `message` and gives the usage exit status.
int CliFail(const QString& message);
void CliPrint(const QString& text);
// The ports the ports dialog would list for a run with these options.
QStringList CliAvailablePorts(const CliOptions& options);

class CliSession {
 public:
  // How long the port may take to send what is still queued when the run ends.
  static constexpr int kDrainBoundMs = 2000;

  // A stop request (see cli/interruption.h) ends the run in order: a search stops after its
  // current try, a stream or log at once; standard error says so once. When the user cuts the
  // stop short, the port is closed at once and the process ends with kExitCutShort.
  explicit CliSession(const CliOptions& options);
  // Leaves configuration mode when the anemometer is in it, lets the port send what is queued
  // and closes it.
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  // Opens --port, searches from --baud (or the stored rate) and identifies. Returns the exit
  // status when the run cannot go on (a port error), nothing otherwise.
  std::optional<int> Identify();
  // Opens --port at --baud (or the stored rate) without searching, for the raw line. Returns
  // the exit status when the port cannot be opened, nothing otherwise.
  std::optional<int> Open();

  // Keeps the event loop running for the run time (for ever when none) or until interrupted.
  // A port that vanishes is told on standard error and waited for; false when it stayed away
  // longer than --reconnect-timeout, or the anemometer did not answer on it by then (said on
  // standard error).
  // `alsoStop`, when given, ends the run too once it holds.
  bool Run(const std::function<bool()>& alsoStop = {});

  Session& session() { return *session_; }
  Runtime& runtime() { return runtime_; }

 private:
  void End();
  // Creates the session and opens --port as the main window's first show does.
  std::optional<int> Start();
  // Prints each new notice of a vanished port.
  void TellPortNotice();
  // Prints the notice of records that stopped once per pause.
  void TellDataNotice();
  // Looks at the stop requests, between events.
  void Watch();
  // Ends the process from inside whatever wait the orderly stop is in, the port closed first.
  [[noreturn]] void CutShort();

  CliOptions options_;
  QtRuntime runtime_;
  StderrPrompts prompts_;
  std::unique_ptr<Session> session_;
  // Turns a stop request, noticed between events, into the end of the search.
  Timer watch_;
  bool toldStop_ = false;
  QString toldNotice_;
  int toldPauses_ = 0;
};

}  // namespace ventari
